#include "folders/FolderMemory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/ScratchFolder.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

constexpr char kSep = kPathSeparator;
// The memory file is written in text mode: CR LF on Windows.
const std::string kLineEnd = kSep == '\\' ? "\r\n" : "\n";

std::string Current() { return fs::current_path().string(); }

// Each test starts in a fresh start folder and leaves the process where it was: the folder
// memory is about the process's own current folder.
class FolderMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(scratch_.Folder());
    start_ = Current();  // as the platform spells it
    resource_ = start_ + kSep + "RUX";
    memory_ = resource_ + kSep + "_cwd.rux";
  }
  void TearDown() override { fs::current_path(previous_); }

  std::string Folder(const std::string& name) {
    fs::create_directories(fs::path(start_) / name);
    return start_ + kSep + name;
  }
  void Remember(const std::string& bytes) {
    fs::create_directories(resource_);
    WriteFileBytes(memory_, bytes);
  }
  // What ReadRememberedFolder returns when started from the start folder, and where it leaves us.
  std::pair<std::string, std::string> ReadFromStart() {
    fs::current_path(start_);
    std::string text = FolderMemory(folders_, resource_).ReadRememberedFolder();
    return {text, Current()};
  }
  void Save() { FolderMemory(folders_, resource_).SaveCurrentFolder(); }

  ScratchFolder scratch_;
  ProcessFolders folders_;
  fs::path previous_;
  std::string start_, resource_, memory_;
};

TEST_F(FolderMemoryTest, FirstRunRemembersNothingAndTheFirstSaveCreatesFolderAndFile) {
  EXPECT_EQ(InitFolderMemory(folders_), resource_);
  EXPECT_FALSE(fs::exists(resource_));
  EXPECT_EQ(ReadFromStart(), std::make_pair(""s, start_));

  // A folder deeper than 260 characters (POSIX only: the Windows runtime keeps the current
  // folder within them).
  std::string data = Folder("survey data");
  if (kSep == '/')
    data = Folder("survey data/" + std::string(150, 'a') + "/" + std::string(150, 'b'));
  fs::current_path(data);
  Save();
  EXPECT_EQ(ReadFileBytes(memory_), data + kLineEnd);
  EXPECT_EQ(ReadFromStart(), std::make_pair(data, data));

  // A resource folder removed in between is made again; the file is rewritten whole.
  fs::remove_all(resource_);
  fs::current_path(start_);
  Save();
  EXPECT_EQ(ReadFileBytes(memory_), start_ + kLineEnd);
}

TEST_F(FolderMemoryTest, TextLosesTrailingSeparatorsAndOnlyARealLineEnd) {
  const std::string data = Folder("data");
  for (const std::string& bytes :
       {data + kSep + kSep + "\n", data + "\r\n", data, data + "\nsecond line\n"}) {
    Remember(bytes);
    EXPECT_EQ(ReadFromStart(), std::make_pair(data, data)) << bytes;
    EXPECT_EQ(ReadFileBytes(memory_), bytes);  // reading never rewrites
  }
  // A root becomes current; its text loses the separator ("C:\" -> "C:", "/" -> "", so that
  // separator + pattern still names the root).
  const std::string root = fs::path(start_).root_path().string();
  Remember(root + kLineEnd);
  EXPECT_EQ(ReadFromStart(), std::make_pair(root.substr(0, root.find_last_not_of(kSep) + 1), root));
}

// A memory file of an earlier version, in another code page, must not stop the file dialogs.
TEST_F(FolderMemoryTest, NothingUsableRememberedCountsAsNothingAndIsLeftAsItWas) {
  const std::string data = Folder("data");
  for (const std::string& bytes : {""s, "\r\n"s, "\x01\xff\xfe not a folder \0 at all\n\x03"s,
                                   data + "\0tail\n"s,  // a NUL after a folder that exists
                                   start_ + kSep + "Mod\xe8le" + kLineEnd}) {
    Remember(bytes);
    EXPECT_EQ(ReadFromStart(), std::make_pair(""s, start_));
    EXPECT_EQ(InitFolderMemory(folders_), resource_);
    EXPECT_EQ(Current(), start_);
    EXPECT_EQ(ReadFileBytes(memory_), bytes);
  }
  // A folder where the memory file should be: nothing remembered, the save skipped.
  fs::remove(memory_);
  fs::create_directories(memory_);
  EXPECT_EQ(ReadFromStart(), std::make_pair(""s, start_));
  Save();
  EXPECT_TRUE(fs::is_directory(memory_));
  // A file where the resource folder should be: the save is skipped.
  fs::remove_all(resource_);
  WriteFileBytes(resource_, "in the way");
  Save();
  EXPECT_EQ(ReadFileBytes(resource_), "in the way");
}

TEST_F(FolderMemoryTest, InitRestoresTheFolderAndRewritesItTrimmed) {
  const std::string data = Folder("data");
  Remember(data + kSep + kSep + "\r\n");
  EXPECT_EQ(InitFolderMemory(folders_),
            resource_);  // formed from the start folder, before the change
  EXPECT_EQ(Current(), data);
  EXPECT_EQ(ReadFileBytes(memory_), data + kLineEnd);
  EXPECT_EQ(InitFolderMemory(folders_), data + kSep + "RUX");  // it follows the current folder
}

}  // namespace
