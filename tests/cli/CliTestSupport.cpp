#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/Mvgtool.h"

namespace fs = std::filesystem;

int RunResult::ErrLines() const {
  int lines = 0;
  for (char c : err) lines += c == '\n';
  return lines;
}

RunResult RunTool(const std::vector<std::string>& args, bool showProgress) {
  std::ostringstream out, err;
  RunResult result;
  result.status = RunMvgtool(args, out, err, showProgress);
  result.out = out.str();
  result.err = err.str();
  return result;
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> serial{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name =
      std::string("mvgtool_") + (info ? info->name() : "test") + "_" + std::to_string(serial++);
  const fs::path folder = fs::temp_directory_path() / name;
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

namespace {

std::string FromEnvironment(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  return value != nullptr ? value : fallback;
}

}  // namespace

std::string SamplePath(const std::string& name) {
  return FromEnvironment("MVG_SOURCE_DIR", ".") + "/samples/" + name;
}

std::string MarmousiPath(const std::string& name) {
  return FromEnvironment("MVG_SHARED_DIR", ".") + "/data/marmousi2/" + name;
}

std::vector<float> ParseTextGrid(const std::string& text) {
  std::vector<float> values;
  std::string token;
  std::istringstream in(text);
  while (in >> token) values.push_back(static_cast<float>(std::strtod(token.c_str(), nullptr)));
  return values;
}

std::uint32_t BitsAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = word << 8 | static_cast<unsigned char>(bytes.at(offset + i));
  return word;
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
  return static_cast<std::int32_t>(BitsAt(bytes, offset));
}

float FloatAt(const std::string& bytes, std::size_t offset) {
  const std::uint32_t bits = BitsAt(bytes, offset);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

float DataValue(const std::string& bytes, std::size_t index) {
  return FloatAt(bytes, 296 + 4 * index);
}
