// What only POSIX lets a test arrange: a file size limit standing in for a full disk, permissions,
// this process's temporary names, a process known to be gone, names of 255 bytes, file numbers.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "system/AtomicFileWriter.h"
#include "system/ReadOnlyFile.h"

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

// A writer closes its temporary once, whether it committed it or gave it up: the number the
// system gave the temporary goes to the next file opened, which the writer's end leaves alone.
TEST(WriteFileAtomicallyPosix, AFinishedWriterLeavesTheFilesOpenedAfterItAlone) {
  ScratchFolder scratch;
  const std::string text = "P 1500";
  for (const bool commit : {true, false}) {
    const std::string other = scratch.Path(commit ? "after-commit.txt" : "after-refusal.txt");
    int fd = -1;
    {
      AtomicFileWriter writer;
      ASSERT_TRUE(writer.Begin(scratch.Path("out.mvg")).ok());
      ASSERT_TRUE(writer.Write(text.data(), text.size()).ok());
      if (commit) {
        ASSERT_TRUE(writer.Commit().ok());
      } else {
        EXPECT_EQ(writer.Begin(scratch.Folder()).message(), "Is a directory");
      }
      fd = open(other.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ASSERT_GE(fd, 0);
    }
    EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(fd);
    EXPECT_EQ(ReadFileBytes(other), text);
  }
}

// Standard input is read from where it stands and stays open for whatever reads it next; one
// that cannot be read (the writing end of a pipe, a regular file whose bytes fail to come: this
// process's memory at an address nothing is mapped at) says why rather than seem to end.
TEST(ReadOnlyFilePosix, StandardInputIsReadFromWhereItStandsStaysOpenAndSaysWhyItFails) {
  ScratchFolder scratch;
  const int saved = dup(STDIN_FILENO);
  int pipeEnds[2] = {-1, -1};
  ASSERT_TRUE(saved >= 0 && pipe(pipeEnds) == 0);
  const int file = open(scratch.Write("vp.txt", "1 2 3 4").c_str(), O_RDONLY);
  const int memory = open("/proc/self/mem", O_RDONLY);
  ASSERT_GE(memory, 0);
  const std::map<int, std::string> told = {
      {file, "2 3 4"}, {memory, "Input/output error"}, {pipeEnds[1], "Bad file descriptor"}};
  for (const auto& [input, expected] : told) {
    ASSERT_EQ(dup2(input, STDIN_FILENO), STDIN_FILENO);
    lseek(STDIN_FILENO, 2, SEEK_SET);
    {
      ReadOnlyFile standardInput;
      std::string reason;
      ASSERT_TRUE(standardInput.OpenStandardInput(&reason)) << reason;
      char text[8];
      std::size_t got = 0;
      const bool read = standardInput.Read(text, sizeof text, &got, &reason);
      EXPECT_EQ(read ? std::string(text, got) : reason, expected);
    }
    struct stat status {};
    EXPECT_EQ(fstat(STDIN_FILENO, &status), 0);
  }
  dup2(saved, STDIN_FILENO);
  for (const int fd : {saved, file, memory, pipeEnds[0], pipeEnds[1]}) close(fd);
}

// Temporaries left by earlier writes stay when their process lives (this one, init) or a writer
// holds them locked; one whose process was killed goes.
TEST(WriteFileAtomicallyPosix, KeepsPermissionsAndTheTemporariesOfOthersButNotOfTheGone) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("out.mvg", "1");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const auto pid = static_cast<std::uint64_t>(getpid());
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  const auto gone = static_cast<std::uint64_t>(child);
  const std::string taken[] = {TemporaryFileName(path, pid, 0), TemporaryFileName(path, pid, 1),
                               TemporaryFileName(path, 1, 0), TemporaryFileName(path, gone, 1)};
  for (const std::string& temporary : taken) WriteFileBytes(temporary, "taken");
  WriteFileBytes(TemporaryFileName(path, gone, 0), "killed");
  const int lock = open(taken[3].c_str(), O_RDONLY);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  ASSERT_TRUE(WriteText(path, "2").ok());
  close(lock);
  EXPECT_EQ(ReadFileBytes(path), "2");
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
  for (const std::string& temporary : taken) EXPECT_EQ(ReadFileBytes(temporary), "taken");
  EXPECT_FALSE(std::filesystem::exists(TemporaryFileName(path, gone, 0)));

  if (geteuid() == 0) return;  // permissions do not bind the super-user
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(WriteText(path, "3").message(), "Permission denied");
  EXPECT_EQ(ReadFileBytes(path), "2");
  const std::string folder = scratch.Path("locked");
  ASSERT_EQ(mkdir(folder.c_str(), 0555), 0);
  EXPECT_EQ(WriteText(folder + "/out.mvg", "3").message(), "Permission denied");
  chmod(folder.c_str(), 0755);
  EXPECT_EQ(scratch.Names().size(), 6u);  // no temporary file of its own left
}

// Names as long as the system takes: 125 letters of two bytes then "a.mvg", and 251 bytes that
// are no UTF-8 (Latin-1 "µ") then ".mvg"; the temporary stands beside the file all the while.
TEST(WriteFileAtomicallyPosix, TakesNamesAsLongAsTheSystemDoes) {
  std::string letters;
  for (int i = 0; i < 125; ++i) letters += "\xC3\xA9";
  for (const std::string& name : {letters + "a.mvg", std::string(251, '\xB5') + ".mvg"}) {
    ScratchFolder scratch;
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Begin(scratch.Path(name)).ok());
    EXPECT_EQ(scratch.Names().size(), 1u);
    ASSERT_TRUE(writer.Write("long", 4).ok() && writer.Commit().ok());
    EXPECT_EQ(scratch.Names(), Names{name});
  }
}

}  // namespace
