#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const std::vector<OptionSpec> kSpecs = {
    {"vp", 0, true}, {"dx", 0, true}, {"output", 'o', true}, {"help", 'h', false}};

TEST(ParseCommandLineTest, TakesBothValueFormsShortOptionsFlagsAndOperands) {
  const ParsedCommandLine line =
      ParseCommandLine({"--vp", "a b.txt", "--dx=-25", "-o", "out", "file1", "-h", "-"}, kSpecs);
  ASSERT_TRUE(line.ok()) << line.problem;
  EXPECT_EQ(line.Value("vp"), "a b.txt");
  EXPECT_EQ(line.Value("dx"), "-25");
  EXPECT_EQ(line.Value("output"), "out");
  EXPECT_TRUE(line.Has("help"));
  EXPECT_FALSE(line.Has("missing"));
  EXPECT_EQ(line.Value("missing"), "");
  // "-" alone is an operand, not an option.
  EXPECT_EQ(line.operands, (std::vector<std::string>{"file1", "-"}));
}

TEST(ParseCommandLineTest, ValuesMayLookLikeNumbersButNotLikeOptions) {
  EXPECT_EQ(ParseCommandLine({"--dx", "-25"}, kSpecs).Value("dx"), "-25");
  EXPECT_EQ(ParseCommandLine({"--vp=--odd name"}, kSpecs).Value("vp"), "--odd name");
  EXPECT_EQ(ParseCommandLine({"--vp", "-o", "out"}, kSpecs).problem, "option --vp needs a value");
  EXPECT_EQ(ParseCommandLine({"--vp", "--dx", "1"}, kSpecs).problem, "option --vp needs a value");
  EXPECT_EQ(ParseCommandLine({"-o"}, kSpecs).problem, "option -o needs a value");
  EXPECT_EQ(ParseCommandLine({"--vp="}, kSpecs).problem, "option --vp needs a value");
  EXPECT_EQ(ParseCommandLine({"--vp", ""}, kSpecs).problem, "option --vp needs a value");
}

TEST(ParseCommandLineTest, DoubleDashEndsTheOptions) {
  const ParsedCommandLine line = ParseCommandLine({"--", "--vp", "-o"}, kSpecs);
  ASSERT_TRUE(line.ok());
  EXPECT_EQ(line.operands, (std::vector<std::string>{"--vp", "-o"}));
  EXPECT_TRUE(line.values.empty());
}

TEST(ParseCommandLineTest, RefusesUnknownRepeatedAndMisusedOptions) {
  EXPECT_EQ(ParseCommandLine({"--vq", "x"}, kSpecs).problem, "unknown option \"--vq\"");
  EXPECT_EQ(ParseCommandLine({"--vq=x"}, kSpecs).problem, "unknown option \"--vq\"");
  EXPECT_EQ(ParseCommandLine({"-x"}, kSpecs).problem, "unknown option \"-x\"");
  EXPECT_EQ(ParseCommandLine({"-ofile"}, kSpecs).problem, "unknown option \"-ofile\"");
  EXPECT_EQ(ParseCommandLine({"--vp", "a", "--vp=b"}, kSpecs).problem,
            "option --vp is given twice");
  EXPECT_EQ(ParseCommandLine({"--help=yes"}, kSpecs).problem, "option --help takes no value");
}

TEST(ParseInt32Test, AcceptsWholeDecimalIntegersWithin32Bits) {
  std::int32_t value = 0;
  EXPECT_TRUE(ParseInt32("120", value));
  EXPECT_EQ(value, 120);
  EXPECT_TRUE(ParseInt32("+7", value));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(ParseInt32("-2147483648", value));
  EXPECT_EQ(value, std::numeric_limits<std::int32_t>::min());
  EXPECT_TRUE(ParseInt32("002147483647", value));
  EXPECT_EQ(value, std::numeric_limits<std::int32_t>::max());
  value = 5;
  for (const char* bad : {"", "-", "+", "12x", "1.0", " 12", "12 ", "2147483648", "0x10",
                          "99999999999999999999999"}) {
    EXPECT_FALSE(ParseInt32(bad, value)) << bad;
  }
  EXPECT_EQ(value, 5);  // untouched by refusals
}

TEST(ParseFloat32Test, ReadsDecimalNumbersRoundedToFloat) {
  float value = 0;
  EXPECT_TRUE(ParseFloat32("25", value));
  EXPECT_EQ(value, 25.0f);
  EXPECT_TRUE(ParseFloat32("-2.5e3", value));
  EXPECT_EQ(value, -2500.0f);
  EXPECT_TRUE(ParseFloat32(".5", value));
  EXPECT_EQ(value, 0.5f);
  EXPECT_TRUE(ParseFloat32("7.", value));
  EXPECT_EQ(value, 7.0f);
  EXPECT_TRUE(ParseFloat32("0.3048", value));
  EXPECT_EQ(value, 0.3048f);
  EXPECT_TRUE(ParseFloat32("3.4028235e38", value));
  EXPECT_EQ(value, std::numeric_limits<float>::max());
  value = 1.0f;
  for (const char* bad : {"", ".", "e5", "1e", "1e+", "nan", "inf", "0x10", "1,5", "12a", " 1",
                          "--1", "3.5e38", "1e999"}) {
    EXPECT_FALSE(ParseFloat32(bad, value)) << bad;
  }
  EXPECT_EQ(value, 1.0f);
}

}  // namespace
