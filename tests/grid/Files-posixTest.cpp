// What only POSIX lets a test arrange: a file size limit standing in for a full disk, permissions,
// this process's temporary names, named pipes.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "grid/AtomicFileWriter.h"
#include "grid/TextGridReader.h"
#include "support/ScratchFolder.h"

namespace {

using Names = std::vector<std::string>;

Status WriteText(const std::string& path, const std::string& text) {
  return WriteFileAtomically(path, {{text.data(), text.size()}});
}

TEST(WriteFileAtomicallyPosix, AWriteThatRunsOutOfRoomLeavesTheOldFile) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("out.mvg", "old model");
  const std::string header(296, '\x07'), data(100000, '\x08');
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

  EXPECT_EQ(result.message(), "File too large");
  EXPECT_EQ(ReadFileBytes(path), "old model");
  EXPECT_EQ(scratch.Names(), Names{"out.mvg"});
}

TEST(WriteFileAtomicallyPosix, KeepsPermissionsSkipsTakenTemporaryNamesAndHeedsPermissions) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("out.mvg", "1");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const auto pid = static_cast<std::uint64_t>(getpid());
  for (int attempt = 0; attempt < 3; ++attempt) {
    WriteFileBytes(TemporaryFileName(path, pid, attempt), "taken");
  }
  ASSERT_TRUE(WriteText(path, "2").ok());
  EXPECT_EQ(ReadFileBytes(path), "2");
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(ReadFileBytes(TemporaryFileName(path, pid, 0)), "taken");

  if (geteuid() == 0) return;  // permissions do not bind the super-user
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(WriteText(path, "3").message(), "Permission denied");
  EXPECT_EQ(ReadFileBytes(path), "2");
  const std::string folder = scratch.Path("locked");
  ASSERT_EQ(mkdir(folder.c_str(), 0555), 0);
  EXPECT_EQ(WriteText(folder + "/out.mvg", "3").message(), "Permission denied");
  chmod(folder.c_str(), 0755);
  EXPECT_EQ(scratch.Names().size(), 5u);  // no temporary file of its own left
}

TEST(ReadingPosix, NamedPipesAreRefusedWithoutWaitingForAWriter) {
  ScratchFolder scratch;
  ASSERT_EQ(mkfifo(scratch.Path("vp.txt").c_str(), 0600), 0);
  EXPECT_EQ(ScanTextGrid(scratch.Path("vp.txt"), "vp.txt").status.message(),
            "vp.txt: cannot open: Not a regular file");
}

}  // namespace
