#include "grid/TextChunkParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextChunkParserTest, TokensAreShownPrintableAndShort) {
  EXPECT_EQ(ShownToken("12a"), "12a");
  EXPECT_EQ(ShownToken(std::string("\"\\\x00\x7f\xe9", 5)), "\\\"\\\\\\x00\\x7F\\xE9");
  EXPECT_EQ(ShownToken(std::string(50, '9')), std::string(40, '9') + "...");
  EXPECT_EQ(ShownToken("1.5", true), "1.5...");
}

}  // namespace
