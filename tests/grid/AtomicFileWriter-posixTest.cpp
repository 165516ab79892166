// What only POSIX lets a test arrange: a write limit standing in for a full disk, permissions.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/AtomicFileWriter.h"
#include "grid/GridScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

// Files may grow to limit bytes while it lives: writes beyond fail (EFBIG) as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST(WriteFileAtomicallyPosix, AWriteThatRunsOutOfRoomLeavesTheOldFile) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  WriteFileBytes(path, Bytes{1, 2, 3});
  const Bytes header(296, 7), data(100000, 8);
  FileWriteResult result;
  {
    FileSizeLimit limit(4096);  // the header fits, the data block stops short
    result =
        WriteFileAtomically(path, {{header.data(), header.size()}, {data.data(), data.size()}});
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.reason, "File too large");
  EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2, 3}));
  EXPECT_EQ(scratch.Names(), Names{"out.mvg"});
}

TEST(WriteFileAtomicallyPosix, SkipsTemporaryNamesAlreadyTaken) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  for (int attempt = 0; attempt < 3; ++attempt) {
    WriteFileBytes(TemporaryFileName(path, static_cast<std::uint64_t>(getpid()), attempt),
                   Bytes{5});
  }
  const Bytes data{1, 2};
  ASSERT_TRUE(WriteFileAtomically(path, {{data.data(), data.size()}}).ok);
  EXPECT_EQ(ReadFileBytes(path), data);
  EXPECT_EQ(ReadFileBytes(TemporaryFileName(path, static_cast<std::uint64_t>(getpid()), 0)),
            Bytes{5});
  EXPECT_EQ(scratch.Names().size(), 4u);
}

TEST(WriteFileAtomicallyPosix, AReplacedFileKeepsItsPermissions) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("out.mvg");
  WriteFileBytes(path, Bytes{1});
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const Bytes data{2};
  ASSERT_TRUE(WriteFileAtomically(path, {{data.data(), data.size()}}).ok);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(WriteFileAtomicallyPosix, ANewFileIsAnOrdinaryWritableFile) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("new.mvg");
  const mode_t mask = umask(022);
  const Bytes data{2};
  const bool ok = WriteFileAtomically(path, {{data.data(), data.size()}}).ok;
  umask(mask);
  ASSERT_TRUE(ok);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(WriteFileAtomicallyPosix, RefusesWherePermissionsForbid) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  GridScratchFolder scratch;
  const Bytes data{2};

  const std::string readOnlyFile = scratch.Path("kept.mvg");
  WriteFileBytes(readOnlyFile, Bytes{1});
  ASSERT_EQ(chmod(readOnlyFile.c_str(), 0444), 0);
  const FileWriteResult onReadOnlyFile =
      WriteFileAtomically(readOnlyFile, {{data.data(), data.size()}});
  EXPECT_FALSE(onReadOnlyFile.ok);
  EXPECT_EQ(onReadOnlyFile.reason, "Permission denied");
  EXPECT_EQ(ReadFileBytes(readOnlyFile), Bytes{1});

  const std::string folder = scratch.Path("locked");
  ASSERT_EQ(mkdir(folder.c_str(), 0555), 0);
  const FileWriteResult inReadOnlyFolder =
      WriteFileAtomically(folder + "/out.mvg", {{data.data(), data.size()}});
  EXPECT_FALSE(inReadOnlyFolder.ok);
  EXPECT_EQ(inReadOnlyFolder.reason, "Permission denied");
  chmod(folder.c_str(), 0755);
  EXPECT_EQ(scratch.Names(), (Names{"kept.mvg", "locked"}));
}

}  // namespace
