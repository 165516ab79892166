#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "grid/ReadOnlyFile.h"

namespace {

TEST(ReadOnlyFilePosixTest, NamedPipesAreRefusedWithoutWaitingForAWriter) {
  const std::string path = "/tmp/mvg-read-only-fifo-" + std::to_string(getpid());
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  ReadOnlyFile file;
  std::string reason;
  EXPECT_FALSE(file.Open(path, &reason));
  EXPECT_EQ(reason, "Not a regular file");
  unlink(path.c_str());
}

}  // namespace
