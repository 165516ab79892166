// A named pipe that nobody writes to, given to every command: each refuses it at once instead of
// waiting for a writer that never comes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
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

}  // namespace
