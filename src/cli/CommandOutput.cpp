#include <ostream>

#include "cli/Commands.h"
#include "cli/Mvgtool.h"

namespace {

std::string OnOneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

void ReportProblem(std::ostream& err, const std::string& line) {
  err << "mvgtool: " << OnOneLine(line) << '\n';
}

int Refuse(std::ostream& err, const std::string& line) {
  ReportProblem(err, line);
  return kExitRefused;
}

int UsageError(std::ostream& err, const CommandHelp& help, const std::string& problem) {
  err << "mvgtool " << help.name << ": " << problem << '\n'
      << "usage: " << help.usage << '\n'
      << "Run \"mvgtool " << help.name << " --help\" for more.\n";
  return kExitUsage;
}

int ShowHelp(std::ostream& out, const CommandHelp& help) {
  out << "usage: " << help.usage << "\n\n" << help.details;
  return kExitSuccess;
}
