// Every command that writes refuses to replace its own input, however the output is spelled.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace fs = std::filesystem;

namespace {

// Other spellings of the file `name` in the scratch folder: through "./" and "sub/../", a
// symbolic and a hard link (where the system lets a test make them), and in capitals where the
// file system ignores case.
std::vector<std::string> SpellingsOf(const ScratchFolder& scratch, const std::string& name) {
  const fs::path folder = scratch.Folder();
  std::vector<std::string> spellings = {(folder / name).string(), (folder / "." / name).string(),
                                        (folder / "sub" / ".." / name).string()};
  std::error_code failed;
  fs::create_directories(folder / "sub");
  fs::create_symlink(folder / name, folder / ("symbolic-" + name), failed);
  if (!failed) spellings.push_back((folder / ("symbolic-" + name)).string());
  fs::create_hard_link(folder / name, folder / ("hard-" + name), failed);
  if (!failed) spellings.push_back((folder / ("hard-" + name)).string());
  std::string capitals = name;
  for (char& c : capitals) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  if (fs::exists(folder / capitals)) spellings.push_back((folder / capitals).string());
  return spellings;
}

TEST(WritingCommandsTest, NoCommandReplacesItsInputHoweverTheOutputIsSpelled) {
  ScratchFolder scratch;
  const std::string text = "1500 1600\n1700 1800\n";
  const std::string vp = scratch.Write("vp.txt", text), model = scratch.Path("m.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", vp, "--dx", "10", "--dz", "10", "-o", model}).status, 0);
  const std::string grid = ReadFileBytes(model);

  for (const std::string& spelling : SpellingsOf(scratch, "vp.txt")) {
    ExpectFailure(RunTool({"convert", "--vp", vp, "--dx", "10", "--dz", "10", "-o", spelling}), 1,
                  {"The grid file would replace the input file --vp " + vp});
    ExpectFailure(RunTool({"picture", vp, "-o", spelling}), 1,
                  {"Cannot write the picture " + spelling + ": it would replace its own input"});
    EXPECT_TRUE(ReadFileBytes(vp) == text) << spelling;
  }
  for (const std::string& spelling : SpellingsOf(scratch, "m.mvg")) {
    ExpectFailure(RunTool({"picture", model, "-o", spelling}), 1,
                  {"Cannot write the picture " + spelling + ": it would replace its own input"});
    ExpectFailure(RunTool({"totext", model, "-o", spelling}), 1,
                  {"Cannot write the text grid " + spelling + ": it would replace its own input"});
    EXPECT_TRUE(ReadFileBytes(model) == grid) << spelling;
  }
}

// An output that is a link stays a link, for every command that writes: the file it leads to is
// replaced in its own folder, or made where the link names a file not yet there.
TEST(WritingCommandsTest, AnOutputLinkStaysALinkAndItsFileIsWritten) {
  ScratchFolder scratch;
  const std::string vp = scratch.Write("vp.txt", "1500 1600\n1700 1800\n");
  const std::string model = scratch.Path("m.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", vp, "--dx", "10", "--dz", "10", "-o", model}).status, 0);
  const fs::path folder = scratch.Folder(), models = folder / "models";
  fs::create_directories(models);
  const std::vector<std::vector<std::string>> commands = {
      {"convert", "--vp", vp, "--dx", "10", "--dz", "10", "-o"},
      {"picture", model, "-o"},
      {"totext", model, "-o"}};
  for (const auto& command : commands) {
    for (const bool existing : {true, false}) {
      const fs::path target = models / (command[0] + (existing ? "-old" : "-new"));
      const fs::path link = folder / ("link-to-" + target.filename().string());
      if (existing) WriteFileBytes(target.string(), "old");
      std::error_code failed;
      fs::create_symlink(target, link, failed);
      if (failed) GTEST_SKIP() << "no symbolic links here: " << failed.message();
      std::vector<std::string> args = command;
      args.push_back(link.string());
      const RunResult run = RunTool(args);
      ASSERT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(run.out.rfind("Wrote " + link.string() + ": ", 0), 0u) << run.out;
      EXPECT_TRUE(fs::is_symlink(link)) << link;
      const std::string written = ReadFileBytes(target.string());
      EXPECT_TRUE(written.size() > 3 && written != "old") << target;
    }
  }
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(models)) {
    files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"convert-new", "convert-old", "picture-new",
                                             "picture-old", "totext-new", "totext-old"}));
}

}  // namespace
