#pragma once
// Shared by the mvgtool tests: running the tool in-process or as a program, scratch folders,
// the bundled data, and a grid file's fields.

#include <cstdint>
#include <string>
#include <vector>

struct RunResult {
  int status = -1;
  std::string out, err;
};

RunResult RunTool(const std::vector<std::string>& args, bool showProgress = false);
// The real program; stdout and stderr go through files in the scratch folder.
class ScratchFolder;
RunResult RunProgram(const std::vector<std::string>& args, const ScratchFolder& scratch);

// Expects status 1 or 2 with everything that must go with it: for 1, one line on stderr
// starting "mvgtool: "; for 2, the problem and then a usage line. Each piece must be in err.
void ExpectFailure(const RunResult& result, int status, const std::vector<std::string>& pieces);

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  std::string Path(const std::string& name) const;
  std::string Write(const std::string& name, const std::string& bytes) const;  // returns Path
  std::string Read(const std::string& name) const;                             // "" when missing
  bool Exists(const std::string& name) const;

 private:
  std::string folder_;
};

std::string ReadFileBytes(const std::string& path);
std::string SamplePath(const std::string& name);    // samples/<name> of the source tree
std::string MarmousiPath(const std::string& name);  // the shared 500 x 174 model

// A well-formed text grid read independently of the reader under test: each token as a
// double, then rounded to float32.
std::vector<float> ParseTextGrid(const std::string& path);

// The 296 header bytes the grid file format gives for these choices.
std::string HeaderBytes(std::int32_t nx, std::int32_t nz, float dx, float dz, bool vp, bool density,
                        bool vs);
// The bit pattern of the i-th float after the header.
std::uint32_t DataBits(const std::string& bytes, std::size_t index);
