#include "textgrid/TextGridReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/GzipText.h"
#include "support/ScratchFolder.h"

namespace {

using Floats = std::vector<float>;

Floats ValuesOf(const TextGridRead& read) {
  EXPECT_TRUE(read.ok()) << read.status.message();
  return Floats(read.values.data(), read.values.data() + read.values.size());
}

TEST(TextGridReaderTest, OnlyTheNumbersCountUpToACharacterTwentySix) {
  const std::pair<const char*, Floats> cases[] = {
      // Tabs, commas, runs, trailing separators, CR+LF, lone CR, empty lines: no invented zeros.
      {"1\t2,3 \r\n\r\n  4 ,\t5\r6  \n\n\n,,\t \n7", {1, 2, 3, 4, 5, 6, 7}},
      {"\357\273\2771 2\r\n3", {1, 2, 3}},  // after a UTF-8 byte-order mark, as Notepad writes
      {"1 2 \x1a\n12a", {1, 2}},            // a character 26 (\032) ends the text
      {"12\03234", {12}},
      // Read as a double first: 1.00000005960464477539063 lies a hair above the midpoint of 1
      // and the next float, but its double is the midpoint itself, which rounds to even.
      {"1.00000005960464477539063", {1.0f}},
  };
  for (const auto& [text, values] : cases) {
    EXPECT_EQ(ValuesOf(ReadTextGridText(text, "vp.txt")), values) << text;
  }
  // A character 26 with more than blanks after it is noted with its line.
  const std::pair<std::string, std::uint64_t> marks[] = {
      {"1 2 \x1a\n12a", 1},
      {"1\r\n2\r3\x1a"
       "4",
       3},
      {std::string("1 2\x1a \r\n\t,\x1a\0", 11), 0},  // blanks, padding: nothing cut off
      {"1 2", 0}};
  for (const auto& [text, line] : marks) {
    EXPECT_EQ(ReadTextGridText(text, "vp.txt").endMarkLine, line) << text;
  }
  for (const char* text : {"", " \n\r\n,\t", "\x1a 1 2", "\xEF\xBB\xBF\n"}) {
    const TextGridRead read = ReadTextGridText(text, "vp.txt");
    EXPECT_EQ(read.status.message(), "vp.txt: holds no values") << text;
    EXPECT_TRUE(read.values.empty());
  }
}

TEST(TextGridReaderTest, BadTokensAreRefusedWithTheirLineAndPlaceOnIt) {
  const std::pair<std::string, std::string> cases[] = {
      {"1 2\n3 12a 4\n", "line 2, value 2: \"12a\" is not a number"},
      {"5\r\n\t-1e39", "line 2, value 1: \"-1e39\" is beyond the range of 32-bit floats"},
      {"1\r2\r\r4,,5 nan", "line 4, value 3: \"nan\" is not a number"},
      {"1 . 2", "line 1, value 2: \".\" is not a number"},
      {"\"q\\\x7f", "line 1, value 1: \"\\\"q\\\\\\x7F\" is not a number"},  // shown escaped
      {"1 " + std::string(50, '9'),                                          // and shortened
       "line 1, value 2: \"" + std::string(40, '9') + "...\" is beyond the range of 32-bit floats"},
      // "1500 1600" saved as UTF-16 with its byte-order mark.
      {std::string("\xFF\xFE\x31\x00\x35\x00 \x00", 8),
       "line 1, value 1: \"\\xFF\\xFE1\\x005\\x00\" is not a number"},
  };
  for (const auto& [text, fault] : cases) {
    const TextGridRead read = ReadTextGridText(text, "vp.txt");
    EXPECT_EQ(read.status.message(), "vp.txt, " + fault) << text;
    EXPECT_TRUE(read.values.empty());
  }
}

TEST(TextGridReaderTest, BoundsStartAtPlusMinusOneEThirty) {
  const TextGridSummary above = ReadTextGridText("2e30 5e30\n3e30", "vp.txt").summary;
  const TextGridSummary below = ReadTextGridText("-2e30 -5e30", "vp.txt").summary;
  EXPECT_EQ((Floats{above.minimum, above.maximum, below.minimum, below.maximum}),
            (Floats{1e30f, 5e30f, -5e30f, -1e30f}));
}

// gzip data is told by its first bytes, whatever the name; damaged data is refused, not read in
// part.
TEST(TextGridReaderTest, GzipFilesReadAsTheirTextAndDamagedOnesAreRefused) {
  ScratchFolder scratch;
  const std::string text =
      "\xEF\xBB\xBF"
      "1 2 3\r\n4 5 6\n";
  const std::string gzip = GzipOf(text);
  for (const std::string& path : {scratch.Write("vp.txt", text), scratch.Write("vp.txt.gz", gzip),
                                  scratch.Write("gzip.txt", gzip),
                                  scratch.Write("two.gz", GzipOf("1 2 3\r\n") + GzipOf("4 5 6"))}) {
    const TextGridRead read = ReadTextGrid(path, "vp");
    EXPECT_EQ(ValuesOf(read), (Floats{1, 2, 3, 4, 5, 6})) << path;
    EXPECT_EQ(DescribeLines(read.lines), "2 lines of 3 values") << path;
  }
  std::string damaged = gzip;
  damaged[damaged.size() / 2] ^= 0x55;
  const std::pair<std::string, std::string> refused[] = {
      {gzip.substr(0, gzip.size() - 4), "its gzip data is cut short"},
      {damaged, "its gzip data is damaged ("},
      {gzip + "1 2 3", "its gzip data is followed by other bytes"},
      {"\x1F\x8B", "its gzip data is cut short"},
  };
  for (const auto& [bytes, problem] : refused) {
    const TextGridRead read = ReadTextGrid(scratch.Write("bad.gz", bytes), "bad.gz");
    EXPECT_EQ(read.status.message().rfind("bad.gz: " + problem, 0), 0u) << read.status.message();
    EXPECT_TRUE(read.values.empty());
  }
  const TextGridRead missing = ReadTextGrid(scratch.Path("none.txt"), "--vp a/none.txt");
  EXPECT_EQ(missing.status.message().rfind("--vp a/none.txt: cannot open: ", 0), 0u);
  EXPECT_GT(missing.status.message().size(), 30u);  // with the system's reason
}

}  // namespace
