#include "cli/Mvgtool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "CliTestSupport.h"
#include "support/GzipText.h"

namespace {

TEST(MvgtoolTest, HelpVersionOrAUsageErrorWithoutAKnownCommand) {
  for (const char* help : {"--help", "-h", "help"}) {
    EXPECT_EQ(RunTool({help}).out.rfind("usage: mvgtool convert ", 0), 0u) << help;
  }
  EXPECT_TRUE(std::regex_match(RunTool({"-V"}).out, std::regex("mvgtool \\d+\\.\\d+\\.\\d+\n")));
  EXPECT_EQ(RunTool({"--version"}).out, RunTool({"-V"}).out);
  ExpectFailure(RunTool({}), kExitUsage, {"mvgtool: no command given\n"});
  ExpectFailure(RunTool({"convrt", "--vp", "x"}), kExitUsage, {"unknown command \"convrt\""});
  ExpectFailure(RunTool({"--vp", "x"}), kExitUsage, {"unknown option \"--vp\""});
}

TEST(MvgtoolTest, ProgressLineOnlyWhenAskedAndOnlyForLargeFiles) {
  ScratchFolder scratch;
  // Over the 8 MiB of a large file.
  const std::string large =
      scratch.Write("large.txt", std::string(9 << 20, ' ') + "1500 1600\n1700 1800");

  RunResult result = RunTool({"sizes", large}, true);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err.find("\rScanning " + large + ": "), 0u) << result.err;
  EXPECT_EQ(result.err.find('\n'), std::string::npos);  // rewritten in place
  EXPECT_EQ(result.err.back(), '\r');                   // and wiped at the end

  result = RunTool(
      {"convert", "--vp", large, "--dx", "5", "--dz", "5", "-o", scratch.Path("large.mvg")}, true);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("\rReading " + large + ": 100%"), std::string::npos);

  EXPECT_EQ(RunTool({"sizes", large}, false).err, "");
  EXPECT_EQ(RunTool({"sizes", scratch.Write("small.txt", "1 2 3 4")}, true).err, "");
}

// The real program: exit statuses and what reaches stdout and stderr.
TEST(MvgtoolTest, TheProgramsExitStatusesAndStreams) {
  ScratchFolder scratch;
  // By default: the X size its 40 lines of 120 values say, the whole grid and the output named
  // exactly as given.
  const std::string out = scratch.Path("model");
  RunResult result = RunProgram(
      {"convert", "--density", SamplePath("density.txt"), "--dx", "1", "--dz", "1", "-o", out},
      scratch);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Wrote " + out +
                                 ": nx 120 from the lines (40 lines of 120 values), nz 40, "
                                 "properties Q, 19496 bytes",
                             0),
            0u);
  EXPECT_EQ(result.err, "");  // stderr is a file here: no progress line
  const std::string file = ReadFileBytes(out);
  EXPECT_EQ(file.substr(0, 296), HeaderBytes(120, 40, 1, 1, "Q"));
  EXPECT_EQ(file.size(), 19496u);

  const std::string bad = scratch.Write("bad.txt", "1 2\n3 4\n12a\n");
  ExpectFailure(RunProgram({"convert", "--vp", bad, "--dx", "1", "--dz", "1", "-o", out}, scratch),
                1, {"bad.txt, line 3, value 1: \"12a\""});
  ExpectFailure(RunProgram({"convert", "--bogus"}, scratch), 2, {"usage: mvgtool convert"});
  EXPECT_EQ(RunProgram({"--help"}, scratch).status, 0);
}

// A grid from standard input ("-", a pipe where the shell makes one) or gzip-compressed, under any
// name, reads as the plain file by name; "-o -" writes the grid file itself to standard output.
TEST(MvgtoolTest, StandardInputAndGzipReadAsTheFileAndTheGridFileGoesToStandardOutput) {
  ScratchFolder scratch;
  const std::string vp = MarmousiPath("vp.txt");
  const std::string gzip = GzipOf(ReadFileBytes(vp));
  const std::string named = scratch.Path("named.mvg");
  ASSERT_EQ(
      RunProgram({"convert", "--vp", vp, "--dx", "20", "--dz", "20", "-o", named}, scratch).status,
      0);
  const std::string plainSizes = RunProgram({"sizes", vp}, scratch).out;
  const std::string summary =
      ": nx 500 from the lines (174 lines of 500 values), nz 174, properties P, 348296 bytes\n";
  for (const std::string& input :
       {vp, scratch.Write("vp.txt.gz", gzip), scratch.Write("gzip.txt", gzip)}) {
    const RunResult piped =
        RunProgram({"convert", "--vp", "-", "--dx", "20", "--dz", "20", "-o", "-"}, scratch, input);
    EXPECT_EQ(piped.status, 0) << input << ": " << piped.err;
    std::string said = piped.err;  // in text mode on Windows, with CR+LF
    said.erase(std::remove(said.begin(), said.end(), '\r'), said.end());
    EXPECT_EQ(said.substr(0, said.find('\n') + 1),
              "Wrote the grid file to standard output" + summary);
    EXPECT_TRUE(piped.out == ReadFileBytes(named)) << input;
    const std::string sizes = RunProgram({"sizes", input}, scratch).out;
    EXPECT_EQ(sizes.substr(sizes.find(": ")), plainSizes.substr(plainSizes.find(": "))) << input;
  }
  // A grid prepared on its way out is measured as it goes: its report comes after it all the same.
  const RunResult resampled = RunProgram(
      {"convert", "--vp", vp, "--dx", "20", "--dz", "20", "--resample", "40", "40", "-o", "-"},
      scratch);
  EXPECT_NE(resampled.err.find("fastest velocity 4766 m/s: the largest Vp"), std::string::npos)
      << resampled.err;
  // A damaged stream is refused with nothing written.
  const RunResult cut = RunProgram({"convert", "--vp", "-", "--dx", "20", "--dz", "20", "-o", "-"},
                                   scratch, scratch.Write("cut.gz", gzip.substr(0, 5000)));
  ExpectFailure(cut, 1, {"--vp standard input: its gzip data is cut short"});
}

}  // namespace
