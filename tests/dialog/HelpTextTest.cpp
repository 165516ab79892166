#include "dialog/HelpText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) lines.push_back(line);
  return lines;
}

TEST(HelpTextTest, HasTwentyThreeLinesJoinedByLineFeedsOnly) {
  const std::string text = HelpText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 22);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_EQ(SplitLines(text).size(), 23u);
}

TEST(HelpTextTest, LinesAreThoseOfTheAboutBox) {
  const std::vector<std::string> lines = SplitLines(HelpText());
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[0],
            "Utility for conversion of physical properties grid in txt (text) format into mvg "
            "(morvelan grid)");
  EXPECT_EQ(lines[2], "(see corresponding User Documentation)");
  EXPECT_EQ(lines[14], "8. Press OK button.");
  EXPECT_EQ(lines[16], "Troubleshooting");
  EXPECT_EQ(lines[22], "    values (X*Z), some values will be truncated or filled with zeroes.");
  for (int empty : {3, 15, 17}) EXPECT_EQ(lines[empty], "") << "line " << empty + 1;
}

TEST(HelpTextTest, ContinuationLinesBeginWithFourBlanks) {
  const std::vector<std::string> lines = SplitLines(HelpText());
  ASSERT_EQ(lines.size(), 23u);
  const std::vector<int> continued = {5, 8, 11, 19, 20, 22};  // zero-based
  for (int i = 0; i < 23; ++i) {
    const bool isContinued = std::find(continued.begin(), continued.end(), i) != continued.end();
    EXPECT_EQ(lines[i].rfind("    ", 0) == 0, isContinued) << "line " << i + 1;
    if (isContinued) {
      EXPECT_NE(lines[i][4], ' ') << "line " << i + 1;
    }
    EXPECT_EQ(lines[i].find_last_not_of(' ') + 1, lines[i].size()) << "line " << i + 1;
  }
}

TEST(HelpTextTest, WithCrLfBreaksLinesForAStaticControl) {
  EXPECT_EQ(WithCrLf("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
  EXPECT_EQ(WithCrLf(""), "");
  EXPECT_EQ(WithCrLf("no break"), "no break");
  const std::string text = WithCrLf(HelpText());
  EXPECT_EQ(text.size(), HelpText().size() + 22);
  EXPECT_EQ(text.substr(text.find("\r\n") - 8, 10), "an grid)\r\n");
}

}  // namespace
