// What only Windows lets a test arrange: read-only files, this process's temporary names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/AtomicFileWriter.h"
#include "support/ScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

TEST(WriteFileAtomicallyWin32, LeavesAReadOnlyFileAsItWas) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("kept.mvg");
  WriteFileBytes(path, Bytes{1});
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  const Bytes data{2, 3};
  const Status result = WriteFileAtomically(path, {{data.data(), data.size()}});
  EXPECT_FALSE(result.ok());
  EXPECT_NE(result.message(), "");
  EXPECT_EQ(ReadFileBytes(path), Bytes{1});
  EXPECT_EQ(scratch.Names(), Names{"kept.mvg"});
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WriteFileAtomicallyWin32, SkipsTemporaryNamesAlreadyTaken) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  for (int attempt = 0; attempt < 3; ++attempt) {
    WriteFileBytes(TemporaryFileName(path, GetCurrentProcessId(), attempt), Bytes{5});
  }
  const Bytes data{1, 2};
  ASSERT_TRUE(WriteFileAtomically(path, {{data.data(), data.size()}}).ok());
  EXPECT_EQ(ReadFileBytes(path), data);
  EXPECT_EQ(scratch.Names().size(), 4u);
}

}  // namespace
