#include "dialog/HelpText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

TEST(HelpTextTest, HasTheTwentyThreeLinesOfTheAboutBoxJoinedByLineFeeds) {
  const std::string text = HelpText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 22);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(
      text.rfind("Utility for conversion of physical properties grid in txt (text) format into mvg "
                 "(morvelan grid)\n",
                 0),
      0u);
  EXPECT_NE(text.find("\n\nTroubleshooting\n\n"), std::string::npos);
  const std::string last =
      "\n    values (X*Z), some values will be truncated or filled with zeroes.";
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
  // Every other character pinned: a golden FNV-1a checksum of the whole text.
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3u;
  EXPECT_EQ(hash, 0x4401ba7347da59feu);
}

TEST(HelpTextTest, WithCrLfBreaksLinesForAStaticControl) {
  EXPECT_EQ(WithCrLf("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
  EXPECT_EQ(WithCrLf("no break"), "no break");
  EXPECT_EQ(WithCrLf(HelpText()).size(), HelpText().size() + 22);
}

}  // namespace
