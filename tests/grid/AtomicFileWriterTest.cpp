#include "grid/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

TEST(WriteFileAtomically, WritesTheBlocksInOrderReplacingALargerFileByExactlyTheNewBytes) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  WriteFileBytes(path, Bytes(200000, 0xEE));
  const Bytes first{1, 2, 3}, second(100000, 0x0A);
  const Status result = WriteFileAtomically(
      path, {{first.data(), first.size()}, {nullptr, 0}, {second.data(), second.size()}});
  ASSERT_TRUE(result.ok()) << result.message();
  EXPECT_EQ(result.message(), "");
  Bytes expected(first.size() + second.size(), 0x0A);
  std::copy(first.begin(), first.end(), expected.begin());
  EXPECT_EQ(ReadFileBytes(path), expected);  // a 0x0A stays one byte
  ASSERT_TRUE(WriteFileAtomically(path, {}).ok());
  EXPECT_EQ(ReadFileBytes(path), Bytes{});
  EXPECT_EQ(scratch.Names(), Names{"out.mvg"});
}

}  // namespace
