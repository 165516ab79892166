#include "folders/FolderMemory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

constexpr char kSep = kPathSeparator;
// The memory file is written in text mode: CR LF on Windows.
const std::string kLineEnd = kSep == '\\' ? "\r\n" : "\n";

std::string Current() { return fs::current_path().string(); }

// Each test starts in a fresh temporary start folder and leaves the process where it was.
class FolderMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    const fs::path start =
        fs::temp_directory_path() /
        ("mvg_folder_memory_"s + testing::UnitTest::GetInstance()->current_test_info()->name());
    std::error_code error;
    fs::remove_all(start, error);
    fs::create_directories(start);
    fs::current_path(start);
    start_ = Current();  // as the platform spells it
    resource_ = start_ + kSep + "RUX";
    memory_ = resource_ + kSep + "_cwd.rux";
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code error;
    fs::remove_all(fs::path(start_), error);
  }
  std::string Folder(const std::string& name) {
    fs::create_directories(fs::path(start_) / name);
    return start_ + kSep + name;
  }
  void Remember(const std::string& bytes) {
    fs::create_directories(resource_);
    std::ofstream(fs::path(memory_), std::ios::binary) << bytes;
  }
  std::string Memory() {
    std::ifstream in(fs::path(memory_), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // What ReadRememberedFolder returns when started from the start folder, and where it leaves us.
  std::pair<std::string, std::string> ReadFromStart() {
    fs::current_path(start_);
    std::string text = FolderMemory(folders_, resource_).ReadRememberedFolder();
    return {text, Current()};
  }

  void Save() { FolderMemory(folders_, resource_).SaveCurrentFolder(); }
  std::string Init() { return InitFolderMemory(folders_); }

  ProcessFolders folders_;  // the folder memory is about the process's current folder
  fs::path previous_;
  std::string start_, resource_, memory_;
};

TEST_F(FolderMemoryTest, FirstRunRemembersNothingAndTheFirstSaveCreatesFolderAndFile) {
  EXPECT_EQ(Init(), resource_);
  EXPECT_FALSE(fs::exists(resource_));
  EXPECT_EQ(ReadFromStart(), std::make_pair(""s, start_));

  const std::string data = Folder("survey data");
  fs::current_path(data);
  Save();
  EXPECT_EQ(Memory(), data + kLineEnd);
  EXPECT_EQ(ReadFromStart(), std::make_pair(data, data));
  EXPECT_EQ(ReadFromStart(), std::make_pair(data, data));  // reading keeps the memory

  // A resource folder removed in between is made again; the file is rewritten whole.
  fs::remove_all(resource_);
  fs::current_path(start_);
  Save();
  EXPECT_EQ(Memory(), start_ + kLineEnd);
}

TEST_F(FolderMemoryTest, TextLosesTrailingSeparatorsAndOnlyARealLineEnd) {
  const std::string data = Folder("data");
  for (const std::string& bytes :
       {data + kSep + kSep + "\n", data + "\r\n", data, data + "\nsecond line\n"}) {
    Remember(bytes);
    EXPECT_EQ(ReadFromStart(), std::make_pair(data, data)) << bytes;
    EXPECT_EQ(Memory(), bytes);  // reading never rewrites
  }

  // A root becomes current; its text loses the separator ("C:\" -> "C:", "/" -> "", so that
  // separator + pattern still names the root).
  const std::string root = fs::path(start_).root_path().string();
  Remember(root + kLineEnd);
  EXPECT_EQ(ReadFromStart(), std::make_pair(root.substr(0, root.find_last_not_of(kSep) + 1), root));
}

TEST_F(FolderMemoryTest, LongPathsAreKeptExactly) {
  // A folder deeper than 300 characters (POSIX only: the Windows runtime keeps the current
  // folder within 260 characters).
  if (kSep != '/') return;
  std::string deep = start_;
  for (char name = 'a'; name < 'f'; ++name) deep += kSep + std::string(70, name);
  fs::create_directories(deep);
  fs::current_path(deep);
  Save();
  EXPECT_EQ(Memory(), deep + kLineEnd);
  EXPECT_EQ(ReadFromStart(), std::make_pair(deep, deep));
}

// A memory file of an earlier version, in another code page, must not stop the file dialogs.
TEST_F(FolderMemoryTest, GarbageOrAVanishedFolderCountsAsNothingRemembered) {
  const std::string data = Folder("data");
  const std::string lines[] = {"\x01\xff\xfe not a folder \0 at all\n\x03"s,
                               data + "\0tail\n"s,  // a NUL after a folder that exists
                               start_ + kSep + "Mod\xe8le" + kLineEnd};
  for (const std::string& line : lines) {
    Remember(line);
    EXPECT_EQ(ReadFromStart(), std::make_pair(""s, start_));
    EXPECT_EQ(Init(), resource_);
    EXPECT_EQ(Current(), start_);
    EXPECT_EQ(Memory(), line);  // left as it was
  }
}

TEST_F(FolderMemoryTest, EmptyOrUnreadableMemoryCountsAsMissingAndUnwritableIsSkipped) {
  for (const std::string& bytes : {""s, "\n"s, "\r\n"s}) {
    Remember(bytes);
    EXPECT_EQ(ReadFromStart(), std::make_pair(""s, start_));
    EXPECT_EQ(Init(), resource_);
    EXPECT_EQ(Memory(), bytes);  // nothing to rewrite
  }
  // A folder where the memory file should be: nothing remembered, the save skipped.
  fs::remove(memory_);
  fs::create_directories(memory_);
  EXPECT_EQ(ReadFromStart(), std::make_pair(""s, start_));
  EXPECT_EQ(Init(), resource_);
  Save();
  EXPECT_TRUE(fs::is_directory(memory_));

  // A file where the resource folder should be: the save is skipped.
  fs::remove_all(resource_);
  std::ofstream(fs::path(resource_)) << "in the way";
  Save();
  EXPECT_TRUE(fs::is_regular_file(resource_));
}

TEST_F(FolderMemoryTest, InitRestoresTheFolderAndRewritesItTrimmed) {
  const std::string data = Folder("data");
  Remember(data + kSep + kSep + "\r\n");
  EXPECT_EQ(Init(), resource_);  // formed from the start folder, before the change
  EXPECT_EQ(Current(), data);
  EXPECT_EQ(Memory(), data + kLineEnd);
  EXPECT_EQ(Init(), data + kSep + "RUX");  // it follows the current folder
}

}  // namespace
