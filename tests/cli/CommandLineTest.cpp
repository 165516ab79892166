#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const std::vector<OptionRule> kRules = {
    {"vp", 0, true}, {"dx", 0, true}, {"output", 'o', true}, {"help", 'h', false}};

TEST(ParseCommandLineTest, TakesBothValueFormsShortOptionsFlagsAndOperands) {
  ParsedCommandLine line = ParseCommandLine(
      {"--vp", "a b.txt", "--dx=-25", "-o", "--", "file1", "-h", "-", "--", "--vp"}, kRules);
  EXPECT_EQ(line.problem, "");
  // A value may look like a number ("-25") or be "--", but not like an option.
  EXPECT_EQ(line.values, (std::map<std::string, std::string>{
                             {"vp", "a b.txt"}, {"dx", "-25"}, {"output", "--"}, {"help", ""}}));
  EXPECT_EQ(line.operands, (std::vector<std::string>{"file1", "-", "--vp"}));  // "--" ends options
  EXPECT_EQ(line.Value("missing"), "");
  EXPECT_EQ(ParseCommandLine({"--vp=--odd=name"}, kRules).Value("vp"), "--odd=name");
}

TEST(ParseCommandLineTest, RefusesUnknownRepeatedAndMisusedOptions) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--vq", "x"}, "unknown option \"--vq\""},
      {{"--vq=x"}, "unknown option \"--vq\""},
      {{"-x"}, "unknown option \"-x\""},
      {{"-ofile"}, "unknown option \"-ofile\""},
      {{"--vp", "a", "--vp=b"}, "option --vp is given twice"},
      {{"--help=yes"}, "option --help takes no value"},
      {{"--vp", "-o", "out"}, "option --vp needs a value"},
      {{"--vp", "--dx", "1"}, "option --vp needs a value"},
      {{"--vp", ""}, "option --vp needs a value"},
      {{"--vp="}, "option --vp needs a value"},
      {{"-o"}, "option -o needs a value"},
  };
  for (const auto& [args, problem] : cases) {
    EXPECT_EQ(ParseCommandLine(args, kRules).problem, problem) << args[0];
  }
}

}  // namespace
