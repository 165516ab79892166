#include "textgrid/TextGridPass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#if defined(__linux__)
#include <sys/resource.h>
#endif

#include "support/CLibraryNumber.h"
#include "support/GzipText.h"
#include "textgrid/GzipStream.h"
#include "textgrid/Utf16Stream.h"

namespace {

// Texts of every trouble a chunk boundary can meet: separator runs, CR+LF split in two, long
// tokens, comment lines, an occasional character 26 or bad token, values that round to zeros of
// either sign, D exponents, NaN; half of them rows of one length, some ending in a shorter one.
std::string RandomText(std::mt19937& random, bool withTroubles) {
  const char* const separators[] = {" ", "  ", "\t", ",", "\n", "\r\n", "\r", " , \r\n\n"};
  const char* const lineEnds[] = {"\n", "\r\n", "\r", " \r\n\r\n"};
  const char* const tokens[] = {"1523.25", "-4500.1", "2710",    "+.5", "1e-47",
                                "-1e-67",  "-0",      "1.5D+03", "nan", "0"};
  std::string text;
  const bool rows = random() % 2 == 0;
  const int perRow = 1 + static_cast<int>(random() % 4);
  const int count = static_cast<int>(random() % 60);
  for (int i = 0; i < count; ++i) {
    text += rows ? (i % perRow ? " " : lineEnds[random() % 4]) : separators[random() % 8];
    if ((text.back() == '\n' || text.back() == '\r') && random() % 6 == 0) {
      text += std::string(random() % 3, ' ') + (random() % 2 ? "# 12," : "%x") +
              std::string(random() % 9, '7') + (random() % 2 ? "\r\n" : "\n");
    }
    const unsigned pick = random() % 20;
    if (pick == 0) {
      text += std::string(1 + random() % 40, '0') + "1.25";
    } else if (pick < 6) {  // short decimals of every shape: leading zeros, a point anywhere
      std::string token = std::to_string(random() % 100000);
      token.insert(random() % (token.size() + 1), std::string(random() % 3, '0'));
      if (random() % 4 != 0) token.insert(random() % (token.size() + 1), ".");
      text += token;
    } else {
      text += tokens[random() % 10];
    }
    if (withTroubles && random() % 150 == 0) text += random() % 2 ? "\x1a" : "x";
  }
  if (random() % 2) text += separators[random() % 8];
  if (withTroubles && random() % 2 == 0) {
    // A character 26, then blanks over several chunks, maybe a value after them.
    text += '\x1a';
    const char blanks[] = {' ', '\t', ',', '\r', '\n', '\x1a', '\0'};
    for (unsigned n = random() % 80; n > 0; --n) text += blanks[random() % 7];
    if (random() % 2) text += "7";
  }
  return text;
}

// Lines before the first character 26 whose first character but spaces is # or %.
std::uint64_t CommentLinesOf(const std::string& text) {
  std::uint64_t comments = 0;
  bool lineStart = true;
  for (const char c : text.substr(0, text.find('\x1a'))) {
    comments += lineStart && (c == '#' || c == '%');
    lineStart = c == '\n' || c == '\r' || (lineStart && c == ' ');
  }
  return comments;
}

// The line of the first character 26 when more than blanks follow it, else 0, counted here.
std::uint64_t EndMarkLineOf(const std::string& text) {
  const std::size_t mark = text.find('\x1a');
  if (mark == std::string::npos ||
      text.find_first_not_of(std::string(" \t,\r\n\x1a\0", 7), mark) == std::string::npos) {
    return 0;
  }
  std::uint64_t line = 1;
  for (std::size_t i = 0; i < mark; ++i) {
    line += text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'));
  }
  return line;
}

std::vector<float> ValuesOf(const TextPassResult& result) {
  return std::vector<float>(result.values.data(), result.values.data() + result.values.size());
}

void ExpectSameResult(const TextPassResult& a, const TextPassResult& b, const std::string& what) {
  EXPECT_EQ(a.stop, b.stop) << what;
  if (a.stop != TextPassStop::kEnd) {
    EXPECT_TRUE(a.problemOffset == b.problemOffset && a.problemLine == b.problemLine &&
                a.problemValue == b.problemValue && a.token == b.token)
        << what;
    return;
  }
  EXPECT_EQ(a.count, b.count) << what;
  EXPECT_TRUE(a.holes == b.holes && a.firstHole == b.firstHole) << what;
  EXPECT_TRUE(a.comments.count == b.comments.count && a.comments.more == b.comments.more &&
              DescribeSkipped(a.comments, "") == DescribeSkipped(b.comments, ""))
      << what;
  // The character 26 that ended the text, found where it is whichever chunk met it, and whether
  // more than blanks follow it, however far on.
  EXPECT_TRUE(a.endMark == b.endMark && a.endMarkOffset == b.endMarkOffset &&
              a.endMarkLine == b.endMarkLine)
      << what;
  // Bit for bit: the sign of a zero bound is the one a reading in order finds.
  EXPECT_EQ(std::memcmp(&a.minimum, &b.minimum, sizeof(float)), 0) << what;
  EXPECT_EQ(std::memcmp(&a.maximum, &b.maximum, sizeof(float)), 0) << what;
  EXPECT_TRUE(a.lines == b.lines) << what << ": " << DescribeLines(a.lines);
  if (!a.values.empty() || a.count == 0) {
    EXPECT_EQ(ValuesOf(a), ValuesOf(b)) << what;
  }
}

TextPassOptions Chunks(std::size_t chunkBytes, unsigned threads, bool keepValues = true) {
  TextPassOptions options;
  options.chunkBytes = chunkBytes;
  options.threads = threads;
  options.keepValues = keepValues;
  return options;
}

TextPassResult Read(ByteStream&& stream, const TextPassOptions& options) {
  return ReadTextPass(stream, {}, options);
}

TEST(TextGridPassTest, AnyCutIntoChunksThreadsAndStreamPiecesGivesTheReadingOfOneWhole) {
  std::mt19937 random(42);
  for (int round = 0; round < 300; ++round) {
    const std::string text = RandomText(random, round % 3 == 2);
    const std::string gzip = GzipOf(text);
    const TextPassResult expected = Read(MemoryStream(text), Chunks(text.size() + 1, 1));
    if (expected.stop == TextPassStop::kEnd) {
      // The bounds of the values as read.
      const std::vector<float> values = ValuesOf(expected);
      EXPECT_EQ(values.size(), expected.count);
      float minimum = 1e30f, maximum = -1e30f;
      for (float value : values)
        minimum = std::min(minimum, value), maximum = std::max(maximum, value);
      EXPECT_TRUE(expected.minimum == minimum && expected.maximum == maximum) << text;
      EXPECT_EQ(expected.endMarkLine, EndMarkLineOf(text)) << text;
      EXPECT_EQ(expected.comments.count, CommentLinesOf(text)) << text;
      // Each NaN a hole, holding Surfer's blank: the first one's place is where it was read.
      const std::string beforeMark = text.substr(0, text.find('\x1a'));
      std::uint64_t nans = 0;
      for (std::size_t at = beforeMark.find("nan"); at != std::string::npos;
           at = beforeMark.find("nan", at + 1)) {
        ++nans;
      }
      const auto first = std::find(values.begin(), values.end(), 1.70141e38f);
      EXPECT_EQ(expected.holes, nans) << text;
      EXPECT_EQ(static_cast<std::uint64_t>(std::count(values.begin(), values.end(), 1.70141e38f)),
                nans);
      EXPECT_EQ(expected.firstHole,
                nans > 0 ? static_cast<std::uint64_t>(first - values.begin()) : 0);
    }
    for (const std::size_t chunkBytes : {1, 2, 3, 5, 8, 13, 64}) {
      const TextPassOptions options = Chunks(chunkBytes, 1 + chunkBytes % 3);
      const std::string what = "text \"" + text + "\" in chunks of " + std::to_string(chunkBytes);
      ExpectSameResult(Read(MemoryStream(text), options), expected, what);
      // As a pipe gives it, a few bytes at a time, its values told in order as they become
      // final; inflated from gzip data; counted alone.
      std::vector<float> told;
      TextPassOptions telling = options;
      telling.finalValues = [&told](const float* values, std::uint64_t first, std::uint64_t n) {
        EXPECT_EQ(first, told.size());
        told.insert(told.end(), values + first, values + first + n);
      };
      const TextPassResult piped = Read(MemoryStream(text, 1 + chunkBytes % 7), telling);
      ExpectSameResult(piped, expected, what + " from a pipe");
      if (piped.stop == TextPassStop::kEnd) {
        EXPECT_EQ(told, ValuesOf(piped)) << what;
      }
      MemoryStream compressed(gzip, 1 + chunkBytes % 5);
      ExpectSameResult(Read(GzipStream(compressed), options), expected, what + " from gzip");
      ExpectSameResult(Read(MemoryStream(text), Chunks(chunkBytes, 2, false)), expected,
                       what + " counted");
    }
  }
  // The first value that rounds to a zero, then any negative one, gives a zero bound its sign.
  const std::pair<const char*, bool> zeros[] = {
      {"8.2e36 1e-47 -1e-67 -0", true}, {"1e-47 -0 0", false}, {"0 -0 3", false}, {"3 -0 0", true}};
  for (const auto& [text, negative] : zeros) {
    const TextPassResult scan = Read(MemoryStream(text), Chunks(3, 0));
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
      // Comment lines anywhere hold no values and keep the lines' numbers; one after values on
      // its line is refused (below).
      {"# 1 2\n1 2 3\r\n \t%\n4 5 6\n#\n7", "2 lines of 3 values, then line 6 holds 1 value",
       false},
  };
  for (const auto& [text, described, alike] : cases) {
    const TextPassResult read = Read(MemoryStream(text), Chunks(2, 2));
    EXPECT_EQ(DescribeLines(read.lines), described) << text;
    EXPECT_EQ(read.lines.AllLinesAlike(), alike) << text;
  }
  EXPECT_EQ(DescribeSkipped(Read(MemoryStream(std::get<0>(cases[5])), Chunks(2, 2)).comments,
                            "comment line"),
            "3 comment lines (1, 3, 5)");
  const TextPassResult trailing = Read(MemoryStream("1 2\n3 # 4\n"), Chunks(3, 2));
  EXPECT_EQ(std::tie(trailing.stop, trailing.problemLine, trailing.problemValue, trailing.token),
            std::make_tuple(TextPassStop::kNotANumber, 2u, 2u, std::string("#")));
}

// Runs of equal lines are kept up to their limit, beyond it dropped, the same in any cut: past
// the limit by one line, or within the lines between the first and the last.
TEST(TextGridPassTest, LineRunsBeyondTheirLimitAreDroppedAlikeInAnyCut) {
  for (const std::size_t runs : {kMaxLineRuns, kMaxLineRuns + 1, kMaxLineRuns + 3}) {
    std::string text;
    for (std::size_t i = 0; i < runs; ++i) text += i % 2 == 0 ? "1 2\n" : "3\n";
    const TextPassResult whole = Read(MemoryStream(text), Chunks(text.size() + 1, 1));
    EXPECT_EQ(whole.lines.runs.size(), runs > kMaxLineRuns ? 0 : runs);
    EXPECT_EQ(whole.lines.tooManyRuns, runs > kMaxLineRuns);
    ExpectSameResult(Read(MemoryStream(text, 5), Chunks(7, 3)), whole, "in chunks of 7");
  }
}

TEST(TextGridPassTest, TokensLongerThanAnyBufferAreReadInPieces) {
  const std::string zeros(200000, '0');
  const std::string text = "1 " + zeros + "5 2\n-" + zeros + "\x1a 9";
  for (const unsigned threads : {1u, 2u}) {
    const TextPassResult read = Read(MemoryStream(text, 999), Chunks(1000, threads));
    EXPECT_EQ(read.stop, TextPassStop::kEnd);
    const std::vector<float> values = ValuesOf(read);
    EXPECT_EQ(values, (std::vector<float>{1, 5, 2, 0}));
    EXPECT_TRUE(std::signbit(values[3]));  // "-000...0" ended by the character 26

    const TextPassResult bad = Read(MemoryStream("3\n4 " + zeros + "x 4"), Chunks(1000, threads));
    EXPECT_EQ(bad.stop, TextPassStop::kNotANumber);
    EXPECT_EQ(std::tie(bad.problemOffset, bad.problemLine, bad.problemValue),
              std::make_tuple(4u, 2u, 2u));
    EXPECT_EQ(bad.token, std::string(40, '0') + "...");
  }
}

// Every token is read as the C library reads it (strtod, then a cast to float), whichever way the
// reading takes: short decimals with and without a sign, long ones, exponents, tokens longer than
// a chunk; counted alone, the bounds are those of the values. A token that strtod does not read
// whole is refused, and one beyond the floats too.
TEST(TextGridPassTest, EveryTokenIsReadAsTheCLibraryReadsIt) {
  std::mt19937 random(11);
  const auto randomToken = [&random](const char* alphabet, std::size_t letters, int length) {
    std::string token;
    for (; length > 0; --length) token += alphabet[random() % letters];
    return token;
  };
  std::string text;
  std::vector<float> expected;
  const char* const separators[] = {" ", "\n", "\t", ", "};
  for (int i = 0; i < 4000; ++i) {
    std::string token = random() % 3 == 0 ? (random() % 2 ? "-" : "+") : "";
    token += randomToken("0123456789", 10, 1 + random() % (i % 16 == 0 ? 40 : 9));
    if (random() % 2) token.insert(random() % (token.size() + 1), ".");
    if (random() % 4 == 0) {
      token += (random() % 2 ? "e" : "E") + std::string(random() % 2 ? "-" : "") +
               std::to_string(random() % 45);
    }
    double value = 0;
    if (!CLibraryReads(token, &value) || !std::isfinite(static_cast<float>(value))) continue;
    text += token + separators[random() % 4];
    expected.push_back(static_cast<float>(value));
  }
  const float least = std::min(1e30f, *std::min_element(expected.begin(), expected.end()));
  const float greatest = std::max(-1e30f, *std::max_element(expected.begin(), expected.end()));
  for (const std::size_t chunkBytes : {std::size_t{16}, std::size_t{1} << 16}) {
    for (const bool keep : {true, false}) {
      const TextPassResult read = Read(MemoryStream(text), Chunks(chunkBytes, 2, keep));
      ASSERT_EQ(read.stop, TextPassStop::kEnd);
      EXPECT_EQ(read.count, expected.size());
      EXPECT_TRUE(read.minimum == least && read.maximum == greatest) << chunkBytes;
      if (keep) {
        const std::vector<float> values = ValuesOf(read);
        ASSERT_EQ(values.size(), expected.size());
        EXPECT_EQ(std::memcmp(values.data(), expected.data(), values.size() * sizeof(float)), 0);
      }
    }
  }
  for (int i = 0; i < 400; ++i) {
    const std::string token = randomToken("0123456789..+-eE:", 17, 1 + random() % 8);
    double value = 0;
    const bool number = CLibraryReads(token, &value);
    const TextPassResult read = Read(MemoryStream("7 " + token + " 8"), Chunks(8, 1));
    const TextPassStop stop = !number ? TextPassStop::kNotANumber
                              : std::isfinite(static_cast<float>(value))
                                  ? TextPassStop::kEnd
                                  : TextPassStop::kBeyondFloatRange;
    ASSERT_EQ(read.stop, stop) << token;
    if (stop == TextPassStop::kEnd) {
      EXPECT_EQ(ValuesOf(read)[1], static_cast<float>(value)) << token;
    } else {
      EXPECT_TRUE(read.token == token && read.problemValue == 2) << token;
    }
  }
}

// A stream that fails after its first 50 bytes, as a failing disk does.
struct FailingStream : MemoryStream {
  using MemoryStream::MemoryStream;
  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override {
    if (InputDone() + size <= 50) return MemoryStream::Read(buffer, size, got, problem);
    *problem = "cannot read: Input/output error";
    return false;
  }
};

// A stream that says it holds fewer bytes than it gives: a file that grows while it is read.
struct GrowingStream : MemoryStream {
  using MemoryStream::MemoryStream;
  std::uint64_t Remaining() const override { return 4; }
};

// UTF-16 text reads as the UTF-8 of its characters, of every length up to the edges of each,
// whatever the size of the reads, none of them written past; a code unit without its pair (a
// lone surrogate, an odd last byte) reads as U+FFFD. A failing input fails the reading.
TEST(TextGridPassTest, Utf16TextReadsAsItsUtf8) {
  const std::vector<std::uint16_t> units = {0x31,   0x20,   0x7F,   0x80,   0x7FF,  0x800,  0xD7FF,
                                            0xE000, 0xFFFF, 0xD800, 0xDC00, 0xDBFF, 0xDFFF, 0xD834,
                                            0x20,   0xDFFF, 0xDC00, 0xDC00, 0x32,   0xD834, 0xDD1E};
  const std::string utf8 =
      "1 \x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"
      "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
      "2\xF0\x9D\x84\x9E";
  for (const bool bigEndian : {false, true}) {
    std::string encoded;
    for (const std::uint16_t unit : units) {
      const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
      encoded += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    for (const bool oddByte : {false, true}) {
      const std::string input = encoded + (oddByte ? "3" : "");
      for (std::size_t readSize = 1; readSize <= 5; ++readSize) {
        MemoryStream pieces(input, 3);
        Utf16Stream stream(pieces, bigEndian);
        std::string text, problem;
        for (std::size_t got = 1; got > 0;) {
          char buffer[7] = "######";
          ASSERT_TRUE(stream.Read(buffer, readSize, &got, &problem)) << problem;
          ASSERT_EQ(buffer[readSize], '#');
          text.append(buffer, got);
        }
        EXPECT_EQ(text, utf8 + (oddByte ? "\xEF\xBF\xBD" : ""))
            << (bigEndian ? "big-endian" : "little-endian") << ", reads of " << readSize;
      }
    }
  }
  FailingStream failing(std::string(100, '1'));
  Utf16Stream stream(failing, false);
  char buffer[8];
  std::size_t got = 0;
  std::string problem;
  EXPECT_FALSE(stream.Read(buffer, sizeof buffer, &got, &problem));
  EXPECT_EQ(problem, "cannot read: Input/output error");
}

TEST(TextGridPassTest, LimitsReadFailuresAndGrowthStopThePass) {
  const std::string text = "11 22 33 44";
  TextPassOptions options = Chunks(4, 2);
  options.maxValues = 3;
  EXPECT_EQ(Read(MemoryStream(text), options).stop, TextPassStop::kTooManyValues);
  options = Chunks(4, 1);  // one thread: progress after every chunk merged
  options.maxValues = 4;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> progress;
  MemoryStream stream(text);
  const TextPassResult read = ReadTextPass(
      stream,
      [&](std::uint64_t done, std::uint64_t all) {
        progress.push_back({done, all});
      },
      options);
  ASSERT_EQ(read.stop, TextPassStop::kEnd);
  EXPECT_EQ(progress, (decltype(progress){{4, 11}, {7, 11}, {10, 11}, {11, 11}}));

  const TextPassResult failed =
      Read(FailingStream(std::string(100, '1') + " 2 3", 8), Chunks(8, 2));
  EXPECT_EQ(failed.stop, TextPassStop::kReadError);
  EXPECT_EQ(failed.problem, "cannot read: Input/output error");
  // Never beyond the room its size promised, guarded by the sanitizers too.
  EXPECT_EQ(Read(GrowingStream("1 2 3 4 5 6"), Chunks(2, 2)).stop, TextPassStop::kChanged);
#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
  // Memory running out for the last values of a text that holds as many as its size allows is no
  // growth: the data limit, lowered once the first chunks are in, leaves no room for them.
  const std::uint64_t values = (1u << 20) + (1u << 18);
  std::string ones(2 * values - 1, ' ');
  for (std::size_t i = 0; i < ones.size(); i += 2) ones[i] = '1';
  rlimit saved{};
  getrlimit(RLIMIT_DATA, &saved);
  bool lowered = false;
  const auto lowerOnce = [&](std::uint64_t done, std::uint64_t) {
    if (lowered || done < (2u << 20)) return;
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word && word != "VmData:") {
    }
    std::uint64_t kilobytes = 0;
    status >> kilobytes;
    rlimit limit = saved;
    limit.rlim_cur = (kilobytes + 256) * 1024;
    lowered = setrlimit(RLIMIT_DATA, &limit) == 0;
  };
  MemoryStream full(ones);
  const TextPassStop stop = ReadTextPass(full, lowerOnce, Chunks(1u << 20, 1)).stop;
  setrlimit(RLIMIT_DATA, &saved);
  ASSERT_TRUE(lowered);
  EXPECT_EQ(stop, TextPassStop::kOutOfMemory);
#endif
}

}  // namespace
