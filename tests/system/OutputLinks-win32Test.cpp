// A symbolic link given as an output, where Windows lets a test make one: the file it leads to is
// replaced in its own folder, and the link stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "system/AtomicFileWriter.h"

namespace {

TEST(OutputLinksWin32, ALinkStaysAndTheFileItLeadsToIsReplaced) {
  ScratchFolder scratch;
  std::filesystem::create_directories(scratch.Path("models"));
  const std::string target = scratch.Write("models\\m.mvg", "old"), link = scratch.Path("m.mvg");
  // Wine says yes and makes none.
  const bool made = CreateSymbolicLinkA(link.c_str(), target.c_str(), 0) &&
                    GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!made) GTEST_SKIP() << "no symbolic links here";
  const std::string data = "new";
  ASSERT_TRUE(WriteFileAtomically(link, {{data.data(), data.size()}}).ok());
  EXPECT_EQ(ReadFileBytes(target), "new");
  const DWORD attributes = GetFileAttributesA(link.c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES &&
              (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
  std::vector<std::string> models;
  for (const auto& entry : std::filesystem::directory_iterator(scratch.Path("models"))) {
    models.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(models, std::vector<std::string>{"m.mvg"});
}

}  // namespace
