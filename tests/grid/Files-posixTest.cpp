// What only POSIX lets a test arrange: a file size limit standing in for a full disk, permissions,
// this process's temporary names, a process known to be gone, names of 255 bytes.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "grid/AtomicFileWriter.h"
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

// A name as long as the system takes, and temporaries left by earlier writes: one whose process
// was killed goes, one whose process lives or whose writer holds it stays.
TEST(WriteFileAtomicallyPosix, TakesTheLongestNamesAndRemovesTemporariesOfProcessesGone) {
  ScratchFolder scratch;
  std::string name;  // 255 bytes: 125 letters of two bytes, and "a.mvg"
  for (int i = 0; i < 125; ++i) name += "\xC3\xA9";
  name += "a.mvg";
  ASSERT_TRUE(WriteText(scratch.Path(name), "long").ok());
  EXPECT_EQ(scratch.Read(name), "long");

  const std::string path = scratch.Write("out.mvg", "old");
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const std::string killed = TemporaryFileName(path, static_cast<std::uint64_t>(gone), 0);
  const std::string held = TemporaryFileName(path, static_cast<std::uint64_t>(gone), 1);
  const std::string living = TemporaryFileName(path, 1, 0);  // init lives as long as the system
  for (const std::string& temporary : {killed, held, living}) WriteFileBytes(temporary, "part");
  const int lock = open(held.c_str(), O_RDONLY);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  ASSERT_TRUE(WriteText(path, "new").ok());
  close(lock);
  EXPECT_EQ(ReadFileBytes(path), "new");
  EXPECT_FALSE(std::filesystem::exists(killed));
  EXPECT_TRUE(std::filesystem::exists(held));
  EXPECT_TRUE(std::filesystem::exists(living));
  EXPECT_EQ(scratch.Names().size(), 4u);  // the long name, out.mvg and the two kept
}

}  // namespace
