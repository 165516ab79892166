#include "grid/TextGridPass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Texts of every trouble a chunk boundary can meet: separator runs, CR+LF split in two, long
// tokens, an occasional character 26 or bad token, values that round to zeros of either sign;
// half of them rows of one length, some ending in a shorter one.
std::string RandomText(std::mt19937& random, bool withTroubles) {
  const char* const separators[] = {" ", "  ", "\t", ",", "\n", "\r\n", "\r", " , \r\n\n"};
  const char* const lineEnds[] = {"\n", "\r\n", "\r", " \r\n\r\n"};
  const char* const tokens[] = {"1523.25", "-4500.1", "2710", "+.5", "1e-47", "-1e-67", "-0", "0"};
  std::string text;
  const bool rows = random() % 2 == 0;
  const int perRow = 1 + static_cast<int>(random() % 4);
  const int count = static_cast<int>(random() % 60);
  for (int i = 0; i < count; ++i) {
    text += rows ? (i % perRow ? " " : lineEnds[random() % 4]) : separators[random() % 8];
    const unsigned pick = random() % 20;
    if (pick == 0) {
      text += std::string(1 + random() % 40, '0') + "1.25";
    } else if (pick < 6) {  // short decimals of every shape: leading zeros, a point anywhere
      std::string token = std::to_string(random() % 100000);
      token.insert(random() % (token.size() + 1), std::string(random() % 3, '0'));
      if (random() % 4 != 0) token.insert(random() % (token.size() + 1), ".");
      text += token;
    } else {
      text += tokens[random() % 8];
    }
    if (withTroubles && random() % 150 == 0) text += random() % 2 ? "\x1a" : "x";
  }
  if (random() % 2) text += separators[random() % 8];
  return text;
}

void ExpectSameResult(const TextPassResult& a, const TextPassResult& b, const std::string& what,
                      bool load = false) {
  EXPECT_EQ(a.stop, b.stop) << what;
  if (a.stop != TextPassStop::kEnd) {
    EXPECT_TRUE(a.problemOffset == b.problemOffset && a.token == b.token) << what;
    return;
  }
  EXPECT_EQ(a.count, b.count) << what;
  // The character 26 that ended the text, found where it is whichever chunk met it.
  EXPECT_TRUE(a.endMark == b.endMark && a.endMarkOffset == b.endMarkOffset) << what;
  if (load) return;  // a load finds no bounds nor lines
  // Bit for bit: the sign of a zero bound is the one a reading in order finds.
  EXPECT_EQ(std::memcmp(&a.minimum, &b.minimum, sizeof(float)), 0) << what;
  EXPECT_EQ(std::memcmp(&a.maximum, &b.maximum, sizeof(float)), 0) << what;
  EXPECT_TRUE(a.lines == b.lines) << what << ": " << DescribeLines(a.lines);
}

// The values as a scan and a load with its layout find them; one more slot that must stay as is.
std::vector<float> LoadedValues(const TextSource& source, const TextPassOptions& options,
                                TextPassResult* load) {
  const TextPassResult scan = ScanTextPass(source, {}, options);
  std::vector<float> values(scan.count + 1, -1.0f);
  *load = LoadTextPass(source, scan.layout, values.data(), {}, options);
  return values;
}

TextPassOptions Chunks(std::size_t chunkBytes, unsigned threads) {
  TextPassOptions options;
  options.chunkBytes = chunkBytes;
  options.threads = threads;
  return options;
}

TEST(TextGridPassTest, AnyCutIntoChunksAndThreadsGivesTheReadingOfOneWhole) {
  std::mt19937 random(42);
  for (int round = 0; round < 300; ++round) {
    const std::string text = RandomText(random, round % 3 == 2);
    const MemoryTextSource source(text);
    const TextPassOptions whole = Chunks(text.size() + 1, 1);
    const TextPassResult expected = ScanTextPass(source, {}, whole);
    TextPassResult load;
    const std::vector<float> expectedValues = LoadedValues(source, whole, &load);
    float minimum = 1e30f, maximum = -1e30f;  // the bounds of the values as read
    for (std::size_t i = 0; i < expected.count; ++i) {
      minimum = std::min(minimum, expectedValues[i]);
      maximum = std::max(maximum, expectedValues[i]);
    }
    if (expected.stop == TextPassStop::kEnd) {
      EXPECT_TRUE(expected.minimum == minimum && expected.maximum == maximum) << text;
    }

    for (const std::size_t chunkBytes : {1, 2, 3, 5, 8, 13, 64}) {
      const TextPassOptions options = Chunks(chunkBytes, 1 + chunkBytes % 3);
      const std::string what = "text \"" + text + "\" in chunks of " + std::to_string(chunkBytes);
      ExpectSameResult(ScanTextPass(source, {}, options), expected, what);
      const std::vector<float> values = LoadedValues(source, options, &load);
      if (expected.stop == TextPassStop::kEnd) {
        ExpectSameResult(load, expected, what + " (load)", true);
        EXPECT_EQ(values, expectedValues) << what;
      }
    }
  }
  // The first value that rounds to a zero, then any negative one, gives a zero bound its sign.
  const std::pair<const char*, bool> zeros[] = {
      {"8.2e36 1e-47 -1e-67 -0", true}, {"1e-47 -0 0", false}, {"0 -0 3", false}, {"3 -0 0", true}};
  for (const auto& [text, negative] : zeros) {
    const TextPassResult scan = ScanTextPass(MemoryTextSource(text), {}, Chunks(3, 0));
    EXPECT_EQ(std::signbit(scan.minimum), negative) << text;
  }
}

TEST(TextGridPassTest, LinesAreCountedAsTheyStandWithTheFirstThatDiffers) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"1 2 3\n4 5 6\n", "2 lines of 3 values", true},
      {"1 2\r\n\r\n 3 4 \r5,6\n7\n8 9", "3 lines of 2 values, then line 5 holds 1 value", false},
      {"\n\n1 2 3", "1 line of 3 values", false},  // one line proposes nothing
      {"1\t2\r\n3 4\x1a\n5", "2 lines of 2 values", true},
      {"", "no values", false},
  };
  for (const auto& [text, described, alike] : cases) {
    const TextGridScan scan = ScanTextGridText(text, "vp.txt");
    EXPECT_EQ(DescribeLines(scan.lines), described) << text;
    EXPECT_EQ(scan.lines.AllLinesAlike(), alike) << text;
  }
}

// Runs of equal lines are kept up to their limit, beyond it dropped, the same in any cut.
TEST(TextGridPassTest, LineRunsBeyondTheirLimitAreDroppedAlikeInAnyCut) {
  for (const std::size_t runs : {kMaxLineRuns, kMaxLineRuns + 1}) {
    std::string text;
    for (std::size_t i = 0; i < runs; ++i) text += i % 2 == 0 ? "1 2\n" : "3\n";
    const MemoryTextSource source(text);
    const TextPassResult whole = ScanTextPass(source, {}, Chunks(text.size() + 1, 1));
    EXPECT_EQ(whole.lines.runs.size(), runs > kMaxLineRuns ? 0 : runs);
    EXPECT_EQ(whole.lines.tooManyRuns, runs > kMaxLineRuns);
    ExpectSameResult(ScanTextPass(source, {}, Chunks(7, 3)), whole, "in chunks of 7");
  }
}

TEST(TextGridPassTest, TokensLongerThanAnyBufferAreReadInPieces) {
  const std::string zeros(200000, '0');
  const std::string text = "1 " + zeros + "5 2\n-" + zeros + "\x1a 9";
  for (const unsigned threads : {1u, 2u}) {
    TextPassResult load;
    std::vector<float> values = LoadedValues(MemoryTextSource(text), Chunks(1000, threads), &load);
    EXPECT_EQ(load.stop, TextPassStop::kEnd);
    EXPECT_EQ(values, (std::vector<float>{1, 5, 2, 0, -1}));
    EXPECT_TRUE(std::signbit(values[3]));  // "-000...0" ended by the character 26

    const TextPassResult bad =
        ScanTextPass(MemoryTextSource("3 " + zeros + "x 4"), {}, Chunks(1000, threads));
    EXPECT_EQ(bad.stop, TextPassStop::kNotANumber);
    EXPECT_EQ(bad.problemOffset, 2u);
    EXPECT_EQ(bad.token, std::string(40, '0') + "...");
  }
}

// Bytes that cannot be read beyond offset 50, as on a failing disk.
struct FailingSource : MemoryTextSource {
  using MemoryTextSource::MemoryTextSource;
  bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
              std::string* reason) const override {
    if (offset + size <= 50) return MemoryTextSource::ReadAt(offset, buffer, size, got, reason);
    *reason = "Input/output error";
    return false;
  }
};

TEST(TextGridPassTest, LimitsReadErrorsAndAChangedFileStopThePassWithoutWritingOutsideTheArray) {
  const std::string text = "11 22 33 44";
  TextPassOptions options = Chunks(4, 2);
  options.maxValues = 3;
  EXPECT_EQ(ScanTextPass(MemoryTextSource(text), {}, options).stop, TextPassStop::kTooManyValues);
  options = Chunks(4, 1);  // one thread: progress after every chunk merged
  options.maxValues = 4;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> progress;
  const ReadProgress note = [&](std::uint64_t done, std::uint64_t all) {
    progress.push_back({done, all});
  };
  const TextPassResult scan = ScanTextPass(MemoryTextSource(text), note, options);
  ASSERT_EQ(scan.stop, TextPassStop::kEnd);
  EXPECT_EQ(progress, (decltype(progress){{4, 11}, {8, 11}, {11, 11}}));

  options.threads = 2;
  // More values than the scan found, of the same size or longer: the array holds exactly the
  // scan's count, guarded by the sanitizers too.
  for (const char* changed : {"1 1 2 2 3 3", "11 22 33 44 55"}) {
    std::vector<float> values(4);
    EXPECT_EQ(LoadTextPass(MemoryTextSource(changed), scan.layout, values.data(), {}, options).stop,
              TextPassStop::kChanged)
        << changed;
  }
  const std::string long100 = std::string(100, '1') + " 2 3";
  const TextPassResult failed = ScanTextPass(FailingSource(long100), {}, Chunks(8, 2));
  EXPECT_EQ(failed.stop, TextPassStop::kReadError);
  EXPECT_EQ(failed.reason, "Input/output error");
}

}  // namespace
