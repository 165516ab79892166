#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/Mvgtool.h"
#include "grid/GridFileHeader.h"

namespace fs = std::filesystem;

RunResult RunTool(const std::vector<std::string>& args, bool showProgress) {
  std::ostringstream out, err;
  const int status = RunMvgtool(args, out, err, showProgress);
  return {status, out.str(), err.str()};
}

void ExpectFailure(const RunResult& result, int status, const std::vector<std::string>& pieces) {
  EXPECT_EQ(result.status, status) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("mvgtool", 0), 0u) << result.err;
  if (status == 1) {
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  } else {
    EXPECT_NE(result.err.find("\nusage: mvgtool"), std::string::npos) << result.err;
  }
  for (const std::string& piece : pieces) {
    EXPECT_NE(result.err.find(piece), std::string::npos) << piece << " not in " << result.err;
  }
}

ScratchFolder::ScratchFolder() {
  static int serial = 0;
  const fs::path folder =
      fs::temp_directory_path() /
      ("mvgtool_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
       std::to_string(serial++));
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder);
  folder_ = folder.string();
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  fs::remove_all(fs::path(folder_), error);
}

std::string ScratchFolder::Path(const std::string& name) const {
  return (fs::path(folder_) / name).string();
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(fs::path(Path(name)), std::ios::binary) << bytes;
  return Path(name);
}

std::string ScratchFolder::Read(const std::string& name) const { return ReadFileBytes(Path(name)); }

bool ScratchFolder::Exists(const std::string& name) const {
  return fs::exists(fs::path(Path(name)));
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string SamplePath(const std::string& name) {
  const char* root = std::getenv("MVG_SOURCE_DIR");
  return std::string(root ? root : ".") + "/samples/" + name;
}

std::string MarmousiPath(const std::string& name) {
  const char* shared = std::getenv("MVG_SOURCE_DIR");
  return std::string(shared ? shared : ".") + "/samples/marmousi2/" + name;
}

std::vector<float> ParseTextGrid(const std::string& path) {
  std::vector<float> values;
  std::istringstream in(ReadFileBytes(path));
  for (std::string token; in >> token;) {
    values.push_back(static_cast<float>(std::strtod(token.c_str(), nullptr)));
  }
  return values;
}

std::string HeaderBytes(std::int32_t nx, std::int32_t nz, float dx, float dz, bool vp, bool density,
                        bool vs) {
  const auto bytes = MakeGridFileHeader(nx, nz, dx, dz, vp, density, vs).ToBytes();
  return std::string(bytes.begin(), bytes.end());
}

std::uint32_t DataBits(const std::string& bytes, std::size_t index) {
  const std::size_t at = kGridFileHeaderSize + 4 * index;
  return LoadLittleEndian32(reinterpret_cast<const std::uint8_t*>(bytes.substr(at, 4).data()));
}
