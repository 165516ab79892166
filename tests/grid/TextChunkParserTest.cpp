#include "grid/TextChunkParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ChunkValues {
  std::vector<float> values;
  ChunkOutcome outcome;
};

ChunkValues ParseChunk(const std::string& text, std::uint64_t begin, std::uint64_t end) {
  const MemoryTextSource source(text);
  ChunkParser parser(source);
  EXPECT_TRUE(parser.Allocate(end - begin));
  ChunkValues chunk;
  chunk.values.resize(text.size());
  StoringSink sink;
  sink.quick.out = chunk.values.data();
  sink.quick.room = chunk.values.size();
  parser.Parse(begin, end, sink, chunk.outcome);
  chunk.values.resize(sink.Count());
  return chunk;
}

TEST(TextChunkParserTest, AChunkOwnsTheTokensThatStartInIt) {
  const std::string text = "11 22 33\r\n44";
  EXPECT_EQ(ParseChunk(text, 0, 3).values, (std::vector<float>{11}));
  EXPECT_EQ(ParseChunk(text, 3, 4).values, (std::vector<float>{22}));  // read on past its end
  EXPECT_EQ(ParseChunk(text, 4, 7).values, (std::vector<float>{33}));  // skips the end of "22"
  EXPECT_EQ(ParseChunk(text, 7, 9).values, (std::vector<float>{}));    // inside "33", then CR
  EXPECT_EQ(ParseChunk(text, 9, 12).values, (std::vector<float>{44}));
}

TEST(TextChunkParserTest, StopsAtABadTokenOrACharacterTwentySix) {
  const ChunkValues bad = ParseChunk("1 2 x3 4", 1, 8);
  EXPECT_EQ(bad.values, (std::vector<float>{2}));
  EXPECT_EQ(bad.outcome.stop, TextPassStop::kNotANumber);
  EXPECT_EQ(bad.outcome.problemOffset, 4u);
  EXPECT_EQ(bad.outcome.token, "x3");

  const ChunkValues ended = ParseChunk(
      "1 2\x1a"
      "3 4",
      0, 3);
  EXPECT_EQ(ended.values, (std::vector<float>{1, 2}));
  EXPECT_TRUE(ended.outcome.endMark);
  EXPECT_EQ(ended.outcome.stop, TextPassStop::kEnd);
}

TEST(TextChunkParserTest, TokensAreShownPrintableAndShort) {
  EXPECT_EQ(ShownToken("12a"), "12a");
  EXPECT_EQ(ShownToken(std::string("\"\\\x00\x7f\xe9", 5)), "\\\"\\\\\\x00\\x7F\\xE9");
  EXPECT_EQ(ShownToken(std::string(50, '9')), std::string(40, '9') + "...");
  EXPECT_EQ(ShownToken("1.5", true), "1.5...");
}

}  // namespace
