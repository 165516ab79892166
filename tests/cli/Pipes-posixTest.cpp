// A named pipe that nobody writes to, given to every command: each refuses it at once instead of
// waiting for a writer that never comes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace {

TEST(PipesPosix, EveryCommandRefusesAPipeNobodyWritesToAtOnce) {
  ScratchFolder scratch;
  const std::string text = scratch.Path("vp.txt"), grid = scratch.Path("m.mvg");
  for (const std::string& pipe : {text, grid}) ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::vector<std::vector<std::string>> commands = {
      {"sizes", text},
      {"convert", "--vp", text, "--dx", "1", "--dz", "1", "-o", scratch.Path("out.mvg")},
      {"info", grid},
      {"info", text},
      {"picture", text},
      {"picture", grid},
      {"totext", grid}};
  for (const auto& args : commands) {
    std::future<RunResult> run = std::async(std::launch::async, [&args] { return RunTool(args); });
    if (run.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
      ADD_FAILURE() << args[0] << " waits for a writer";
      for (const std::string& pipe : {text, grid}) close(open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
    }
    ExpectFailure(run.get(), 1, {"Not a regular file"});
  }
  EXPECT_FALSE(scratch.Exists("out.mvg"));
}

// An output that leads to a pipe, through a link, is written as a stream: the model arrives
// through it, the link stays; one that leads to standard output (/dev/stdout) is "-o -", with the
// summary on stderr.
TEST(PipesPosix, AnOutputLinkToAPipeOrToStandardOutputCarriesTheModel) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1500 1600\n1700 1800\n");
  const std::vector<std::string> options = {"convert", "--vp", vp,   "--dx",
                                            "10",      "--dz", "10", "-o"};
  std::vector<std::string> args = options;
  args.push_back(scratch.Path("plain.mvg"));
  ASSERT_EQ(RunTool(args).status, 0);
  const std::string model = scratch.Read("plain.mvg");

  const std::string pipe = scratch.Path("pipe"), link = scratch.Path("model.mvg");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_EQ(symlink(pipe.c_str(), link.c_str()), 0);
  std::future<std::string> arrived = std::async(std::launch::async, [&pipe] {
    return ReadFileBytes(pipe);  // waits for the writer, reads to its end
  });
  args.back() = link;
  const RunResult run = RunTool(args);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Wrote " + link + ": ", 0), 0u) << run.out;
  EXPECT_TRUE(arrived.get() == model);
  struct stat info {};
  EXPECT_TRUE(lstat(link.c_str(), &info) == 0 && S_ISLNK(info.st_mode));

  const std::string toStdout = scratch.Path("to-stdout");
  ASSERT_EQ(symlink("/dev/stdout", toStdout.c_str()), 0);
  args.back() = toStdout;
  std::string command = "'" + std::string(MVGTOOL_PATH) + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " 2>'" + scratch.Path("err") + "' | cat >'" + scratch.Path("cap.mvg") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(scratch.Read("cap.mvg") == model);
  EXPECT_EQ(scratch.Read("err").rfind("Wrote " + toStdout + ": ", 0), 0u) << scratch.Read("err");
}

// An endless stream of NUL bytes, which no text grid holds, is refused as binary data from its
// first bytes: the rest stays unread, for whatever reads the stream next.
TEST(PipesPosix, NulBytesOnStandardInputAreRefusedAtTheFirst) {
  ScratchFolder scratch;
  const std::vector<std::string> commands = {
      "sizes -", "convert --vp - --dx 1 --dz 1 -o '" + scratch.Path("out.mvg") + "'",
      "picture - -o '" + scratch.Path("out.png") + "'"};
  constexpr long kStream = 256L << 20;
  for (const std::string& command : commands) {
    const std::string run = "head -c " + std::to_string(kStream) + " /dev/zero | { '" +
                            std::string(MVGTOOL_PATH) + "' " + command + " 2>'" +
                            scratch.Path("err") + "'; cat | wc -c >'" + scratch.Path("unread") +
                            "'; }";
    ASSERT_EQ(std::system(run.c_str()), 0) << command;
    EXPECT_NE(scratch.Read("err").find("standard input: binary data, not a text grid"),
              std::string::npos)
        << command << ": " << scratch.Read("err");
    EXPECT_GT(std::stol(scratch.Read("unread")), kStream / 2) << command;
  }
  EXPECT_FALSE(scratch.Exists("out.mvg") || scratch.Exists("out.png"));
}

}  // namespace
