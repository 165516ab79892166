#pragma once
// Shared by the mvgtool tests: running the tool in-process or as a program, the bundled data,
// and an independent reading of a text grid.

#include <cstdint>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

struct RunResult {
  int status = -1;
  std::string out, err;
};

RunResult RunTool(const std::vector<std::string>& args, bool showProgress = false,
                  bool stdoutIsTerminal = false);
// The real program; stdout and stderr go through files in the scratch folder. standardInput: a
// file whose bytes come on standard input, through a pipe where the shell makes one easily.
RunResult RunProgram(const std::vector<std::string>& args, const ScratchFolder& scratch,
                     const std::string& standardInput = "");

// Expects status 1 or 2 with everything that must go with it: for 1, one line on stderr
// starting "mvgtool: "; for 2, the problem and then a usage line. Each piece must be in err.
void ExpectFailure(const RunResult& result, int status, const std::vector<std::string>& pieces);

std::string SamplePath(const std::string& name);    // samples/<name> of the source tree
std::string MarmousiPath(const std::string& name);  // the 500 x 174 model among the samples

// Marmousi-II's Vp rows, each value as the file writes it, and text of them with perLine values a
// line, each row from a new line.
using Rows = std::vector<std::vector<std::string>>;
Rows MarmousiRows();
std::string Lines(const Rows& rows, std::size_t perLine);

// The 296 header bytes the grid file format gives for these choices.
std::string HeaderBytes(std::int32_t nx, std::int32_t nz, float dx, float dz,
                        const std::string& codes);
