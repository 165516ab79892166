#include "app/FolderMemory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

#ifdef _WIN32
constexpr char kLineEnd[] = "\r\n";
#else
constexpr char kLineEnd[] = "\n";
#endif

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Current() {
  std::error_code error;
  return fs::current_path(error).string();
}

// Each test starts in a fresh temporary start folder and leaves the process where it was.
class FolderMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path start =
        fs::temp_directory_path() / (std::string("mvg_folder_memory_") + info->name());
    std::error_code error;
    fs::remove_all(start, error);
    fs::create_directories(start);
    fs::current_path(start);
    start_ = Current();  // as the platform spells it (no symbolic links)
    resource_ = start_ + kPathSeparator + "RUX";
    memory_ = resource_ + kPathSeparator + "_cwd.rux";
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code error;
    fs::remove_all(start_, error);
  }
  // A folder below the start folder, created, as the platform spells it.
  std::string MakeFolder(const std::string& name) {
    fs::create_directories(fs::path(start_) / name);
    return (fs::path(start_) / name).string();
  }
  void Remember(const std::string& bytes) {
    fs::create_directories(resource_);
    WriteBytes(memory_, bytes);
  }

  fs::path previous_;
  std::string start_, resource_, memory_;
};

TEST_F(FolderMemoryTest, FirstRunRemembersNothingAndCreatesNothing) {
  EXPECT_EQ(InitFolderMemory(), resource_);
  EXPECT_FALSE(fs::exists(resource_));
  EXPECT_EQ(Current(), start_);

  EXPECT_EQ(ReadRememberedFolder(resource_), "");
  EXPECT_EQ(Current(), start_);
  fs::create_directories(resource_);  // the folder exists but holds no memory file yet
  EXPECT_EQ(ReadRememberedFolder(resource_), "");
  EXPECT_EQ(Current(), start_);
}

TEST_F(FolderMemoryTest, SaveCreatesFolderAndFileWithOneLine) {
  const std::string data = MakeFolder("data");
  fs::current_path(data);
  SaveCurrentFolder(resource_);
  EXPECT_EQ(ReadBytes(memory_), data + kLineEnd);

  // A resource folder removed in between is made again; the file is rewritten whole.
  fs::remove_all(resource_);
  fs::current_path(start_);
  SaveCurrentFolder(resource_);
  EXPECT_EQ(ReadBytes(memory_), start_ + kLineEnd);
}

TEST_F(FolderMemoryTest, RoundTripRestoresTheSavedFolder) {
  const std::string data = MakeFolder("survey data");
  fs::current_path(data);
  SaveCurrentFolder(resource_);
  fs::current_path(start_);

  EXPECT_EQ(ReadRememberedFolder(resource_), data);
  EXPECT_EQ(Current(), data);
  // Reading does not consume the memory.
  fs::current_path(start_);
  EXPECT_EQ(ReadRememberedFolder(resource_), data);
  EXPECT_EQ(ReadBytes(memory_), data + kLineEnd);
}

TEST_F(FolderMemoryTest, TrailingSeparatorsAreTrimmedFromTheTextOnly) {
  const std::string data = MakeFolder("data");
  const std::string twoSeparators = data + kPathSeparator + kPathSeparator;
  Remember(twoSeparators + "\n");
  EXPECT_EQ(ReadRememberedFolder(resource_), data);
  EXPECT_EQ(Current(), data);
  EXPECT_EQ(ReadBytes(memory_), twoSeparators + "\n");  // reading never rewrites

  // A root: the folder becomes the root itself, the text loses its separator ("C:\" -> "C:",
  // "/" -> "", so separator + pattern still names the root).
  const std::string root = fs::path(start_).root_path().string();
  std::string rootText = root;
  while (!rootText.empty() && rootText.back() == kPathSeparator) rootText.pop_back();
  Remember(root + kLineEnd);
  EXPECT_EQ(ReadRememberedFolder(resource_), rootText);
  EXPECT_EQ(Current(), root);
}

TEST_F(FolderMemoryTest, OnlyARealLineEndIsStripped) {
  const std::string data = MakeFolder("data");
  for (const std::string& bytes : {data + "\r\n", data + "\n", data, data + "\nsecond line\n"}) {
    Remember(bytes);
    fs::current_path(start_);
    EXPECT_EQ(ReadRememberedFolder(resource_), data) << bytes;
    EXPECT_EQ(Current(), data) << bytes;
  }
  // A lone CR is no line end: the text keeps it, and no such folder exists.
  Remember(data + "\r");
  fs::current_path(start_);
  EXPECT_EQ(ReadRememberedFolder(resource_), data + "\r");
  EXPECT_EQ(Current(), start_);
}

TEST_F(FolderMemoryTest, LongPathsAreKeptExactly) {
  // Text of 400 characters that names no folder: returned whole, the folder stays.
  const std::string missing = start_ + kPathSeparator + std::string(400, 'x');
  Remember(missing + kLineEnd);
  EXPECT_EQ(ReadRememberedFolder(resource_), missing);
  EXPECT_EQ(Current(), start_);

  // A real folder deeper than 300 characters, where the platform can make and enter it (the
  // Windows runtime stops at 260). Made and removed level by level, deepest last.
  std::vector<std::string> levels{start_};
  std::error_code error;
  for (char name = 'a'; name < 'f' && !error; ++name) {
    levels.push_back(levels.back() + kPathSeparator + std::string(70, name));
    fs::create_directory(levels.back(), error);
  }
  const std::string deep = levels.back();
  if (!error) fs::current_path(deep, error);
  if (!error && Current() == deep) {
    ASSERT_GT(deep.size(), 300u);
    SaveCurrentFolder(resource_);
    fs::current_path(start_);
    EXPECT_EQ(ReadRememberedFolder(resource_), deep);
    EXPECT_EQ(Current(), deep);
    EXPECT_EQ(ReadBytes(memory_), deep + kLineEnd);
  }
  fs::current_path(start_);
  for (std::size_t level = levels.size() - 1; level > 0; --level) fs::remove(levels[level], error);
}

TEST_F(FolderMemoryTest, GarbageIsReturnedAsTextAndTheFolderStays) {
  const std::string garbage = "\x01\xff\xfe not a folder \0 at all"s;
  Remember(garbage + "\n\x03\x04");
  EXPECT_EQ(ReadRememberedFolder(resource_), garbage);
  EXPECT_EQ(Current(), start_);

  // A NUL after a folder that exists must not be cut into that folder.
  const std::string data = MakeFolder("data");
  Remember(data + std::string(1, '\0') + "tail\n");
  EXPECT_EQ(ReadRememberedFolder(resource_).size(), data.size() + 5);
  EXPECT_EQ(Current(), start_);

  Remember("?<>| no such place\n");
  EXPECT_EQ(ReadRememberedFolder(resource_), "?<>| no such place");
  EXPECT_EQ(Current(), start_);
}

TEST_F(FolderMemoryTest, EmptyOrUnreadableMemoryCountsAsMissing) {
  for (const std::string& bytes : {std::string(), std::string("\n"), std::string("\r\n")}) {
    Remember(bytes);
    EXPECT_EQ(ReadRememberedFolder(resource_), "");
    EXPECT_EQ(Current(), start_);
    EXPECT_EQ(InitFolderMemory(), resource_);
    EXPECT_EQ(ReadBytes(memory_), bytes);  // nothing to rewrite
  }

  // A folder where the memory file should be: nothing remembered, and the save is skipped.
  fs::remove(memory_);
  fs::create_directories(memory_);
  EXPECT_EQ(ReadRememberedFolder(resource_), "");
  EXPECT_EQ(InitFolderMemory(), resource_);
  EXPECT_EQ(Current(), start_);
  SaveCurrentFolder(resource_);
  EXPECT_TRUE(fs::is_directory(memory_));
}

TEST_F(FolderMemoryTest, SaveIsSkippedWhenTheResourceFolderCannotBeMade) {
  WriteBytes(resource_, "a file in the way");
  SaveCurrentFolder(resource_);
  EXPECT_EQ(ReadBytes(resource_), "a file in the way");
}

TEST_F(FolderMemoryTest, VanishedFolderIsStillReturnedAndIgnored) {
  const std::string gone = MakeFolder("gone");
  fs::current_path(gone);
  SaveCurrentFolder(resource_);
  fs::current_path(start_);
  fs::remove_all(gone);

  EXPECT_EQ(ReadRememberedFolder(resource_), gone);
  EXPECT_EQ(Current(), start_);
  EXPECT_EQ(InitFolderMemory(), resource_);
  EXPECT_EQ(Current(), start_);
  EXPECT_EQ(ReadBytes(memory_), gone + kLineEnd);
}

TEST_F(FolderMemoryTest, InitRestoresTheFolderAndRewritesItTrimmed) {
  const std::string data = MakeFolder("data");
  Remember(data + kPathSeparator + kPathSeparator + "\r\n");
  EXPECT_EQ(InitFolderMemory(), resource_);  // formed from the start folder, before the change
  EXPECT_EQ(Current(), data);
  EXPECT_EQ(ReadBytes(memory_), data + kLineEnd);
  // The resource folder does not follow the current folder.
  EXPECT_EQ(InitFolderMemory(), data + kPathSeparator + "RUX");
}

}  // namespace
