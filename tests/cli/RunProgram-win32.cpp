#include <cstdlib>

#include "CliTestSupport.h"

RunResult RunProgram(const std::vector<std::string>& args, const ScratchFolder& scratch,
                     const std::string& standardInput) {
  // cmd.exe /c strips the outer quotes of the whole line, hence the extra pair.
  std::string command = "\"\"" MVGTOOL_PATH "\"";
  for (const std::string& arg : args) command += " \"" + arg + "\"";
  if (!standardInput.empty()) command += " <\"" + standardInput + "\"";
  command += " >\"" + scratch.Path("stdout.txt") + "\" 2>\"" + scratch.Path("stderr.txt") + "\"\"";
  RunResult result;
  result.status = std::system(command.c_str());
  result.out = scratch.Read("stdout.txt");
  result.err = scratch.Read("stderr.txt");
  return result;
}
