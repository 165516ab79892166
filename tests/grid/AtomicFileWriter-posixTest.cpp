// What only POSIX lets a test arrange: a file size limit standing in for a full disk, permissions,
// this process's temporary names.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/AtomicFileWriter.h"
#include "support/ScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

Status WriteBytes(const std::string& path, const Bytes& bytes) {
  return WriteFileAtomically(path, {{bytes.data(), bytes.size()}});
}

mode_t Permissions(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(WriteFileAtomicallyPosix, AWriteThatRunsOutOfRoomLeavesTheOldFile) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  WriteFileBytes(path, Bytes{1, 2, 3});
  const Bytes header(296, 7), data(100000, 8);
  // Files may not grow past 4096 bytes: the data block's write stops short, then fails (EFBIG),
  // as on a full disk.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit lowered = saved;
  lowered.rlim_cur = 4096;
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &lowered);
  const Status result =
      WriteFileAtomically(path, {{header.data(), header.size()}, {data.data(), data.size()}});
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.message(), "File too large");
  EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2, 3}));
  EXPECT_EQ(scratch.Names(), Names{"out.mvg"});
}

TEST(WriteFileAtomicallyPosix, KeepsPermissionsAndSkipsTakenTemporaryNames) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  const mode_t mask = umask(022);
  const bool created = WriteBytes(path, Bytes{1}).ok();
  umask(mask);
  ASSERT_TRUE(created);
  EXPECT_EQ(Permissions(path), 0644u);  // an ordinary writable file

  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const auto pid = static_cast<std::uint64_t>(getpid());
  for (int attempt = 0; attempt < 3; ++attempt) {
    WriteFileBytes(TemporaryFileName(path, pid, attempt), Bytes{5});
  }
  ASSERT_TRUE(WriteBytes(path, Bytes{2}).ok());
  EXPECT_EQ(ReadFileBytes(path), Bytes{2});
  EXPECT_EQ(Permissions(path), 0640u);
  EXPECT_EQ(ReadFileBytes(TemporaryFileName(path, pid, 0)), Bytes{5});
  EXPECT_EQ(scratch.Names().size(), 4u);
}

TEST(WriteFileAtomicallyPosix, RefusesWherePermissionsForbid) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  GridScratchFolder scratch;
  const std::string readOnlyFile = scratch.Path("kept.mvg");
  WriteFileBytes(readOnlyFile, Bytes{1});
  ASSERT_EQ(chmod(readOnlyFile.c_str(), 0444), 0);
  EXPECT_EQ(WriteBytes(readOnlyFile, Bytes{2}).message(), "Permission denied");
  EXPECT_EQ(ReadFileBytes(readOnlyFile), Bytes{1});

  const std::string folder = scratch.Path("locked");
  ASSERT_EQ(mkdir(folder.c_str(), 0555), 0);
  EXPECT_EQ(WriteBytes(folder + "/out.mvg", Bytes{2}).message(), "Permission denied");
  chmod(folder.c_str(), 0755);
  EXPECT_EQ(scratch.Names(), (Names{"kept.mvg", "locked"}));
}

}  // namespace
