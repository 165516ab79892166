#include "grid/TextGridPass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Texts of every trouble a chunk boundary can meet: separator runs, CR+LF split in two, long
// tokens, an occasional character 26 or bad token, values that round to zeros of either sign.
std::string RandomText(std::mt19937& random, bool withTroubles) {
  const char* const separators[] = {" ", "  ", "\t", ",", "\n", "\r\n", "\r", " , \r\n\n"};
  const char* const tokens[] = {"1523.25", "-4500.1", "2710", "+.5", "1e-47", "-1e-67", "-0", "0"};
  std::string text;
  const int count = static_cast<int>(random() % 60);
  for (int i = 0; i < count; ++i) {
    text += separators[random() % 8];
    if (random() % 20 == 0) {
      text += std::string(1 + random() % 40, '0') + "1.25";
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
  if (a.stop == TextPassStop::kEnd) {
    EXPECT_EQ(a.count, b.count) << what;
    if (!load) {  // bit for bit: the sign of a zero bound is the one a reading in order finds
      EXPECT_EQ(std::memcmp(&a.minimum, &b.minimum, sizeof(float)), 0) << what;
      EXPECT_EQ(std::memcmp(&a.maximum, &b.maximum, sizeof(float)), 0) << what;
    }
  } else {
    EXPECT_EQ(a.problemOffset, b.problemOffset) << what;
    EXPECT_EQ(a.token, b.token) << what;
  }
}

TEST(TextGridPassTest, AnyCutIntoChunksAndThreadsGivesTheReadingOfOneWhole) {
  std::mt19937 random(42);
  for (int round = 0; round < 200; ++round) {
    const std::string text = RandomText(random, round % 2 == 1);
    const MemoryTextSource source(text);
    TextPassOptions whole;
    whole.chunkBytes = text.size() + 1;
    whole.threads = 1;
    const TextPassResult expected = ScanTextPass(source, {}, whole);
    // Room for every value, and one more that must stay untouched.
    const std::size_t room = expected.stop == TextPassStop::kEnd ? expected.count : text.size();
    std::vector<float> expectedValues(room + 1, -1.0f);
    LoadTextPass(source, expectedValues.data(), room, {}, whole);

    for (const std::size_t chunkBytes : {1, 2, 3, 5, 8, 13, 64}) {
      const unsigned threads = 1 + chunkBytes % 3;
      TextPassOptions options;
      options.chunkBytes = chunkBytes;
      options.threads = threads;
      const std::string what = "text \"" + text + "\" in chunks of " + std::to_string(chunkBytes) +
                               " on " + std::to_string(threads);
      ExpectSameResult(ScanTextPass(source, {}, options), expected, what);
      std::vector<float> values(room + 1, -1.0f);
      const TextPassResult load = LoadTextPass(source, values.data(), room, {}, options);
      ExpectSameResult(load, expected, what + " (load)", true);
      if (expected.stop == TextPassStop::kEnd) {
        EXPECT_EQ(values, expectedValues) << what;
      }
    }
  }
  // The first value that rounds to a zero, then any negative one, gives the zero its sign.
  TextPassOptions options;
  options.chunkBytes = 3;
  EXPECT_TRUE(
      std::signbit(ScanTextPass(MemoryTextSource("8.2e36 1e-47 -1e-67 -0"), {}, options).minimum));
  EXPECT_FALSE(std::signbit(ScanTextPass(MemoryTextSource("1e-47 -0 0"), {}, options).minimum));
}

TEST(TextGridPassTest, TokensLongerThanAnyBufferAreReadInPieces) {
  const std::string zeros(200000, '0');
  const std::string text = "1 " + zeros + "5 2\n-" + zeros + "\x1a 9";
  for (const unsigned threads : {1u, 2u}) {
    TextPassOptions options;
    options.chunkBytes = 1000;
    options.threads = threads;
    std::vector<float> values(4);
    const TextPassResult load =
        LoadTextPass(MemoryTextSource(text), values.data(), values.size(), {}, options);
    EXPECT_EQ(load.stop, TextPassStop::kEnd);
    EXPECT_EQ(load.count, 4u);
    EXPECT_EQ(values, (std::vector<float>{1, 5, 2, 0}));
    EXPECT_TRUE(std::signbit(values[3]));  // "-000...0" ended by the character 26

    const TextPassResult bad = ScanTextPass(MemoryTextSource("3 " + zeros + "x 4"), {}, options);
    EXPECT_EQ(bad.stop, TextPassStop::kNotANumber);
    EXPECT_EQ(bad.problemOffset, 2u);
    EXPECT_EQ(bad.token, std::string(40, '0') + "...");
  }
}

TEST(TextGridPassTest, LimitsStopThePassWithoutWritingPastTheArray) {
  const std::string text = "1 2 3 4 5 6 7 8 9 10";
  TextPassOptions options;
  options.chunkBytes = 4;
  options.threads = 2;
  options.maxValues = 7;
  EXPECT_EQ(ScanTextPass(MemoryTextSource(text), {}, options).stop, TextPassStop::kTooManyValues);
  options.maxValues = 10;
  EXPECT_EQ(ScanTextPass(MemoryTextSource(text), {}, options).stop, TextPassStop::kEnd);

  std::vector<float> values(4);  // fewer than the text holds: guarded by the sanitizers too
  const TextPassResult load = LoadTextPass(MemoryTextSource(text), values.data(), 4, {}, options);
  EXPECT_EQ(load.stop, TextPassStop::kMoreThanCapacity);
  EXPECT_EQ(values, (std::vector<float>{1, 2, 3, 4}));
}

TEST(TextGridPassTest, TheFirstProblemInTheTextWinsWhicheverThreadMeetsItFirst) {
  TextPassOptions options;
  options.chunkBytes = 4;
  options.threads = 3;
  for (int run = 0; run < 200; ++run) {
    const TextPassResult result = ScanTextPass(MemoryTextSource("12a 1 2 x 3 y"), {}, options);
    ASSERT_EQ(result.stop, TextPassStop::kNotANumber);
    ASSERT_EQ(result.problemOffset, 0u);
    ASSERT_EQ(result.token, "12a");
  }
}

// A source whose bytes cannot be read beyond some offset, as a failing disk.
class FailingSource : public TextSource {
 public:
  FailingSource(std::string text, std::uint64_t failAt) : text_(std::move(text)), failAt_(failAt) {}
  std::uint64_t Size() const override { return text_.size(); }
  bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
              std::string* reason) const override {
    if (offset + size > failAt_) {
      *reason = "Input/output error";
      return false;
    }
    return MemoryTextSource(text_).ReadAt(offset, buffer, size, got, reason);
  }

 private:
  std::string text_;
  std::uint64_t failAt_;
};

TEST(TextGridPassTest, ReadErrorsStopThePassWithTheirReason) {
  TextPassOptions options;
  options.chunkBytes = 8;
  options.threads = 2;
  const TextPassResult result =
      ScanTextPass(FailingSource(std::string(100, '1') + " 2 3", 50), {}, options);
  EXPECT_EQ(result.stop, TextPassStop::kReadError);
  EXPECT_EQ(result.reason, "Input/output error");
}

TEST(TextGridPassTest, LinesEndAtLfCrLfOrALoneCr) {
  const std::string text = "1\n2\r\n3\r4\r\r5\n\r\n6";
  std::uint64_t line = 0;
  std::string reason;
  const std::pair<char, std::uint64_t> expected[] = {{'1', 1}, {'2', 2}, {'3', 3},
                                                     {'4', 4}, {'5', 6}, {'6', 8}};
  for (const auto& [digit, number] : expected) {
    ASSERT_TRUE(LineOfOffset(MemoryTextSource(text), text.find(digit), &line, &reason));
    EXPECT_EQ(line, number) << digit;
  }
}

}  // namespace
