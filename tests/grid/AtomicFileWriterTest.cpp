#include "grid/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace {

using Names = std::vector<std::string>;

TEST(WriteFileAtomically, ReplacesALargerFileByExactlyTheBlocksInOrder) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("out.mvg", std::string(200000, '\xEE'));
  const std::string first = "\x01\n\x02", second(100000, '\n');  // a line end stays one byte
  const Status result = WriteFileAtomically(
      path, {{first.data(), first.size()}, {nullptr, 0}, {second.data(), second.size()}});
  ASSERT_TRUE(result.ok()) << result.message();
  EXPECT_EQ(ReadFileBytes(path), first + second);
  ASSERT_TRUE(WriteFileAtomically(path, {}).ok());
  EXPECT_EQ(ReadFileBytes(path), "");
  EXPECT_EQ(scratch.Names(), Names{"out.mvg"});
}

}  // namespace
