#pragma once
// The commands of mvgtool and what they share: help texts, the one-line refusal and the usage
// error.

#include <iosfwd>
#include <string>
#include <vector>

struct CommandContext {
  std::ostream& out;
  std::ostream& err;
  bool showProgress = false;
  bool stdoutIsTerminal = false;  // where a grid file is not written
};

struct CommandHelp {
  const char* name;     // "convert"
  const char* usage;    // the usage line, without "usage: "
  std::string details;  // what follows it in --help
};

extern const CommandHelp kConvertHelp;
extern const CommandHelp kSizesHelp;
extern const CommandHelp kInfoHelp;
extern const CommandHelp kPictureHelp;
extern const CommandHelp kTotextHelp;

int RunConvertCommand(const std::vector<std::string>& args, const CommandContext& context);
int RunSizesCommand(const std::vector<std::string>& args, const CommandContext& context);
int RunInfoCommand(const std::vector<std::string>& args, const CommandContext& context);
int RunPictureCommand(const std::vector<std::string>& args, const CommandContext& context);
int RunTotextCommand(const std::vector<std::string>& args, const CommandContext& context);

// Writes "mvgtool: <line>" (line breaks in it become spaces) and returns the refusal status.
int Refuse(std::ostream& err, const std::string& line);
void ReportProblem(std::ostream& err, const std::string& line);  // the same, without a status

// Writes "mvgtool <command>: <problem>", the usage line and a pointer to --help; returns the
// usage status.
int UsageError(std::ostream& err, const CommandHelp& help, const std::string& problem);

// Writes the command's full help to out and returns success.
int ShowHelp(std::ostream& out, const CommandHelp& help);
