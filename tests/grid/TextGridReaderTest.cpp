#include "grid/TextGridReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace {

using Floats = std::vector<float>;

Floats Load(const std::string& text) {
  const TextGridScan scan = ScanTextGridText(text, "vp.txt");
  EXPECT_TRUE(scan.ok()) << scan.status.message();
  if (!scan.ok()) return {};
  TextGridValues loaded = LoadTextGridValuesFromText(text, "vp.txt", scan.summary.count);
  EXPECT_TRUE(loaded.ok()) << loaded.status.message();
  if (!loaded.ok()) return {};
  return Floats(loaded.values.get(), loaded.values.get() + loaded.count);
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
  for (const auto& [text, values] : cases) EXPECT_EQ(Load(text), values) << text;
  // A character 26 with more than blanks after it is noted with its line.
  const std::pair<std::string, std::uint64_t> marks[] = {
      {"1 2 \x1a\n12a", 1},
      {"1\r\n2\r3\x1a"
       "4",
       3},
      {std::string("1 2\x1a \r\n\t,\x1a\0", 11), 0},  // blanks, padding: nothing cut off
      {"1 2", 0}};
  for (const auto& [text, line] : marks) {
    EXPECT_EQ(ScanTextGridText(text, "vp.txt").endMarkLine, line) << text;
  }
  for (const char* text : {"", " \n\r\n,\t", "\x1a 1 2", "\xEF\xBB\xBF\n"}) {
    EXPECT_EQ(ScanTextGridText(text, "vp.txt").status.message(), "vp.txt: holds no values") << text;
    EXPECT_EQ(LoadTextGridValuesFromText(text, "vp.txt", 0).status.message(),
              "vp.txt: holds no values");
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
    EXPECT_EQ(ScanTextGridText(text, "vp.txt").status.message(), "vp.txt, " + fault) << text;
    // A load meets the same problem and returns nothing.
    const TextGridValues loaded = LoadTextGridValuesFromText(text, "vp.txt", 3);
    EXPECT_EQ(loaded.status.message(), "vp.txt, " + fault);
    EXPECT_EQ(loaded.values, nullptr);
  }
}

TEST(TextGridReaderTest, BoundsStartAtPlusMinusOneEThirty) {
  const TextGridSummary above = ScanTextGridText("2e30 5e30\n3e30", "vp.txt").summary;
  const TextGridSummary below = ScanTextGridText("-2e30 -5e30", "vp.txt").summary;
  EXPECT_EQ((Floats{above.minimum, above.maximum, below.minimum, below.maximum}),
            (Floats{1e30f, 5e30f, -5e30f, -1e30f}));
}

TEST(TextGridReaderTest, FilesAreReadTwiceAndRefusedWhenChangedInBetweenOrMissing) {
  ScratchFolder scratch;
  const std::string path = scratch.Write("vp.txt", "1 2 3\n4 5 6\n");
  ASSERT_TRUE(ScanTextGrid(path, "vp.txt").ok());
  const TextGridValues loaded = LoadTextGridValues(path, "vp.txt", 6);
  ASSERT_TRUE(loaded.ok()) << loaded.status.message();
  EXPECT_EQ(Floats(loaded.values.get(), loaded.values.get() + 6), (Floats{1, 2, 3, 4, 5, 6}));

  const std::pair<const char*, const char*> changes[] = {
      {"1 2 3 4 5 6 7", "vp.txt: changed while it was being read"},
      {"1 2 3 4 5", "vp.txt: changed while it was being read"},
      {"1 2 3 4 5 x", "vp.txt, line 1, value 6: \"x\" is not a number"}};
  for (const auto& [changed, message] : changes) {
    scratch.Write("vp.txt", changed);
    const TextGridValues refused = LoadTextGridValues(path, "vp.txt", 6);
    EXPECT_EQ(refused.status.message(), message);
    EXPECT_EQ(refused.values, nullptr);
    EXPECT_EQ(refused.count, 0u);
  }
  std::filesystem::remove(path);  // vanishes between the two passes
  const TextGridValues vanished = LoadTextGridValues(path, "--vp a/vp.txt", 6);
  EXPECT_EQ(vanished.status.message().rfind("--vp a/vp.txt: cannot open: ", 0), 0u);
  EXPECT_GT(vanished.status.message().size(), 30u);  // with the system's reason
}

}  // namespace
