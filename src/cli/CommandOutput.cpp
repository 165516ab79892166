#include <charconv>
#include <cstdio>
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

std::string DialogFloat(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

std::string ExactFloat(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}
