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

TEST(ParseNumberTest, WholeIntegersWithin32BitsAndDecimalsWithinFloat) {
  std::int32_t integer = 5;
  for (const char* bad : {"", "-", "+", "12x", "1.0", " 12", "2147483648", "0x10", "1e3"}) {
    EXPECT_FALSE(ParseInt32(bad, integer)) << bad;
  }
  EXPECT_EQ(integer, 5);  // untouched by refusals
  const std::pair<const char*, std::int32_t> integers[] = {
      {"120", 120}, {"+7", 7}, {"-2147483648", -2147483647 - 1}, {"002147483647", 2147483647}};
  for (const auto& [text, expected] : integers) {
    EXPECT_TRUE(ParseInt32(text, integer) && integer == expected) << text;
  }

  float number = 1.0f;
  for (const char* bad : {"", ".", "e5", "1e", "1e+", "nan", "inf", "0x10", "1,5", "12a", " 1",
                          "--1", "3.5e38", "1e999"}) {
    EXPECT_FALSE(ParseFloat32(bad, number)) << bad;
  }
  EXPECT_EQ(number, 1.0f);
  const std::pair<const char*, float> numbers[] = {
      {"25", 25.0f},   {"-2.5e3", -2500.0f}, {".5", 0.5f},
      {"7.", 7.0f},    {"0.3048", 0.3048f},  {"3.4028235e38", std::numeric_limits<float>::max()},
      {"1e-999", 0.0f}};
  for (const auto& [text, expected] : numbers) {
    EXPECT_TRUE(ParseFloat32(text, number) && number == expected) << text;
  }
}

}  // namespace
