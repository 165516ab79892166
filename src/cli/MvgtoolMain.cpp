#include <iostream>
#include <string>
#include <vector>

#include "cli/Mvgtool.h"
#include "cli/Terminal.h"

int main(int argc, char** argv) {
  UseUtf8Console();
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunMvgtool(args, std::cout, std::cerr, StderrIsTerminal(), StdoutIsTerminal());
}
