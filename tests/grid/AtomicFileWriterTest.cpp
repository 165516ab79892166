#include "grid/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "grid/GridScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

TEST(WriteFileAtomically, WritesTheBlocksInOrder) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  const Bytes first{1, 2, 3}, second(100000, 0x0A);
  const FileWriteResult result = WriteFileAtomically(
      path, {{first.data(), first.size()}, {nullptr, 0}, {second.data(), second.size()}});
  ASSERT_TRUE(result.ok) << result.reason;
  EXPECT_EQ(result.reason, "");
  Bytes expected(first.size() + second.size(), 0x0A);
  std::copy(first.begin(), first.end(), expected.begin());
  EXPECT_EQ(ReadFileBytes(path), expected);  // a 0x0A stays one byte
  EXPECT_EQ(scratch.Names(), Names{"out.mvg"});
}

TEST(WriteFileAtomically, ReplacesALargerFileByExactlyTheNewBytes) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  WriteFileBytes(path, Bytes(5000, 0xEE));
  const Bytes fresh{9, 8, 7};
  ASSERT_TRUE(WriteFileAtomically(path, {{fresh.data(), fresh.size()}}).ok);
  EXPECT_EQ(ReadFileBytes(path), fresh);
  ASSERT_TRUE(WriteFileAtomically(path, {}).ok);
  EXPECT_EQ(ReadFileBytes(path), Bytes{});
  EXPECT_EQ(scratch.Names(), Names{"out.mvg"});
}

TEST(TemporaryFileName, StaysBesideTheTarget) {
  EXPECT_EQ(TemporaryFileName("out.mvg", 42, 0), "out.mvg.42-0.tmp");
  EXPECT_EQ(TemporaryFileName("C:\\models\\a.mvg", 7, 3), "C:\\models\\a.mvg.7-3.tmp");
}

}  // namespace
