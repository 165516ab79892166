#include <sys/wait.h>

#include <cstdlib>

#include "CliTestSupport.h"

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

RunResult RunProgram(const std::vector<std::string>& args, const ScratchFolder& scratch,
                     const std::string& standardInput) {
  std::string command = ShellQuoted(MVGTOOL_PATH);
  if (!standardInput.empty()) command = "cat " + ShellQuoted(standardInput) + " | " + command;
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(scratch.Path("stdout.txt")) + " 2>" +
             ShellQuoted(scratch.Path("stderr.txt"));
  const int status = std::system(command.c_str());
  RunResult result;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = scratch.Read("stdout.txt");
  result.err = scratch.Read("stderr.txt");
  return result;
}
