// Every command that writes refuses to replace its own input, however the output is spelled.
#include <gtest/gtest.h>

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

}  // namespace
