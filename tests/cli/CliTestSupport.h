#pragma once
// Shared by the mvgtool tests: running the tool in-process, scratch folders, the bundled data,
// and reading a grid file back byte by byte.

#include <cstdint>
#include <string>
#include <vector>

struct RunResult {
  int status = -1;
  std::string out, err;
  int ErrLines() const;  // lines written to err
};

RunResult RunTool(const std::vector<std::string>& args, bool showProgress = false);

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string Path(const std::string& name) const;  // name inside the folder
  std::string Write(const std::string& name, const std::string& bytes) const;  // returns Path
  std::string Read(const std::string& name) const;                             // "" when missing
  bool Exists(const std::string& name) const;

 private:
  std::string folder_;
};

std::string ReadFileBytes(const std::string& path);
std::string SamplePath(const std::string& name);    // samples/<name> of the source tree
std::string MarmousiPath(const std::string& name);  // the shared 500 x 174 model

// The values of a text grid as the converter must read them: each token as a double, then
// rounded to float32 (independent of the reader under test; for well-formed test files).
std::vector<float> ParseTextGrid(const std::string& text);

// Little-endian fields of a file's bytes.
std::int32_t Int32At(const std::string& bytes, std::size_t offset);
float FloatAt(const std::string& bytes, std::size_t offset);
std::uint32_t BitsAt(const std::string& bytes, std::size_t offset);
float DataValue(const std::string& bytes, std::size_t index);  // index-th float after the header

// Runs the real mvgtool program with these arguments; stdout and stderr into files.
RunResult RunProgram(const std::vector<std::string>& args, const ScratchFolder& scratch);
