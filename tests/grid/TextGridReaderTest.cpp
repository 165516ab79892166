#include "grid/TextGridReader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() /
            ("mvg-textgrid-" + std::to_string(seed()) + "-" + std::to_string(now));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const fs::path file = path_ / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    return file.string();
  }

 private:
  fs::path path_;
};

std::vector<float> Load(const std::string& text) {
  const TextGridScan scan = ScanTextGridText(text, "vp.txt");
  EXPECT_TRUE(scan.ok()) << scan.problem.Message();
  if (!scan.ok()) return {};
  TextGridValues loaded = LoadTextGridValuesFromText(text, "vp.txt", scan.summary.count);
  EXPECT_TRUE(loaded.ok()) << loaded.problem.Message();
  if (!loaded.ok()) return {};
  return std::vector<float>(loaded.values.get(), loaded.values.get() + loaded.count);
}

TEST(TextGridReaderTest, SeparatorsAndLineEndsOfEveryKindYieldOnlyTheNumbers) {
  EXPECT_EQ(Load("1 2 3\n4 5 6\n"), (std::vector<float>{1, 2, 3, 4, 5, 6}));
  // Tabs, commas, runs, trailing separators, CR+LF, lone CR, empty lines: no invented zeros.
  EXPECT_EQ(Load("1\t2,3 \r\n\r\n  4 ,\t5\r6  \n\n\n,,\t \n7"),
            (std::vector<float>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(Load("\n\n 8 \r\r"), (std::vector<float>{8}));
  // A UTF-8 byte-order mark at the very start (Notepad writes one) is skipped.
  EXPECT_EQ(Load("\xEF\xBB\xBF"
                 "1 2\r\n3"),
            (std::vector<float>{1, 2, 3}));
}

TEST(TextGridReaderTest, CharacterTwentySixEndsTheFile) {
  EXPECT_EQ(Load("1 2\x1a 3 4"), (std::vector<float>{1, 2}));
  EXPECT_EQ(Load("1 2 \x1a\n12a"), (std::vector<float>{1, 2}));
  EXPECT_EQ(Load("12\x1a"
                 "34"),
            (std::vector<float>{12}));
  EXPECT_EQ(ScanTextGridText("\x1a 1 2", "vp.txt").problem.error, TextGridError::kNoValues);
}

TEST(TextGridReaderTest, LongLinesAreReadWholeAndNoNumberIsSplit) {
  // 1500 numbers of six characters and a space: the 1171st fills characters 8191 to 8196.
  std::string line;
  std::vector<float> expected;
  for (int i = 0; i < 1500; ++i) {
    line += std::to_string(1000 + i) + ".5 ";
    expected.push_back(1000.5f + static_cast<float>(i));
  }
  ASSERT_EQ(line.substr(8190, 6), "2170.5");
  EXPECT_EQ(Load(line + "\n" + line), [&] {
    std::vector<float> twice = expected;
    twice.insert(twice.end(), expected.begin(), expected.end());
    return twice;
  }());
}

TEST(TextGridReaderTest, EveryDecimalFormReadsAsAtofThenFloat) {
  EXPECT_EQ(Load("+5 .5 7. -2.5e3 1E2 1e-2 -0 3.4028234e38 1e-50"),
            (std::vector<float>{5, 0.5f, 7, -2500, 100, 0.01f, -0.0f, 3.4028234e38f, 0}));
  // Read as a double first: 1.00000005960464477539063 lies a hair above the midpoint of 1 and
  // the next float, but its double is the midpoint itself, which rounds to even.
  EXPECT_EQ(Load("1.00000005960464477539063"), (std::vector<float>{1.0f}));
}

TEST(TextGridReaderTest, BadTokensAreRefusedWithFileLineAndToken) {
  struct Case {
    const char* text;
    std::uint64_t line;
    const char* shown;
    bool beyondRange;
  };
  for (const Case& c :
       {Case{"1 2\n3 12a 4\n", 2, "12a", false}, Case{"1e39", 1, "1e39", true},
        Case{"5\r\n-1e39", 2, "-1e39", true}, Case{"1\r2\r\rnan", 4, "nan", false},
        Case{"inf", 1, "inf", false}, Case{"\n--1", 2, "--1", false}, Case{"1e", 1, "1e", false},
        Case{"1 . 2", 1, ".", false}, Case{"e5", 1, "e5", false},
        Case{"1\n2 0x10", 2, "0x10", false}, Case{"\"q\\", 1, "\\\"q\\\\", false},
        Case{"1 \xEF\xBB\xBF"
             "2",
             1, "\\xEF\\xBB\\xBF2", false}}) {
    const TextGridScan scan = ScanTextGridText(c.text, "vp.txt");
    EXPECT_EQ(scan.problem.error, TextGridError::kNotANumber) << c.text;
    EXPECT_EQ(scan.problem.line, c.line) << c.text;
    EXPECT_EQ(scan.problem.token, c.shown) << c.text;
    EXPECT_EQ(scan.problem.beyondFloatRange, c.beyondRange) << c.text;
    EXPECT_EQ(scan.problem.fileName, "vp.txt");
    // A load meets the same problem and returns nothing.
    const TextGridValues loaded = LoadTextGridValuesFromText(c.text, "vp.txt", 3);
    EXPECT_EQ(loaded.problem.error, TextGridError::kNotANumber) << c.text;
    EXPECT_EQ(loaded.values, nullptr);
  }
  std::string twelveLines(11, '\n');
  const TextGridProblem problem = ScanTextGridText(twelveLines + "1 12a", "vp.txt").problem;
  EXPECT_EQ(problem.Message(),
            "Line 12 of vp.txt: \"12a\" is not a number.\nThe file was not loaded.");
  EXPECT_EQ(problem.OneLine(), "vp.txt, line 12: \"12a\" is not a number");
  EXPECT_EQ(ScanTextGridText("1e39", "vp.txt").problem.Message(),
            "Line 1 of vp.txt: \"1e39\" is beyond the range of 32-bit floats.\n"
            "The file was not loaded.");
}

TEST(TextGridReaderTest, BinaryNulAndUtf16TextAreRefusedPrintably) {
  const TextGridProblem nul = ScanTextGridText(std::string("1 2\0 3", 6), "vp.txt").problem;
  EXPECT_EQ(nul.error, TextGridError::kNotANumber);
  EXPECT_EQ(nul.token, "2\\x00");

  // "1500 1600" saved as UTF-16 with its byte-order mark.
  const std::string utf16(
      "\xFF\xFE"
      "1\0"
      "5\0"
      "0\0"
      "0\0"
      " \0"
      "1\0"
      "6\0"
      "0\0"
      "0\0",
      20);
  const TextGridProblem wide = ScanTextGridText(utf16, "vp.txt").problem;
  EXPECT_EQ(wide.error, TextGridError::kNotANumber);
  EXPECT_EQ(wide.line, 1u);
  EXPECT_EQ(wide.token, "\\xFF\\xFE1\\x005\\x000\\x000\\x00");

  std::string binary(
      "\x7F"
      "ELF\x02\x01\x01",
      7);
  std::mt19937 random(7);
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>(random());
  const TextGridProblem elf = ScanTextGridText(binary, "vp.txt").problem;
  EXPECT_EQ(elf.error, TextGridError::kNotANumber);
  EXPECT_EQ(elf.token.rfind("\\x7FELF\\x02\\x01\\x01", 0), 0u) << elf.token;
  EXPECT_LE(elf.token.size(), 4 * 40 + 3u);  // shortened
}

TEST(TextGridReaderTest, TextsWithoutValuesAreRefused) {
  for (const char* text : {"", " ", "\n\n\r\n", " ,\t,\r", "\x1a", "\xEF\xBB\xBF\n"}) {
    const TextGridScan scan = ScanTextGridText(text, "vp.txt");
    EXPECT_EQ(scan.problem.error, TextGridError::kNoValues) << text;
    EXPECT_EQ(scan.problem.Message(), "vp.txt holds no values.\nThe file was not loaded.");
    EXPECT_EQ(LoadTextGridValuesFromText(text, "vp.txt", 0).problem.error,
              TextGridError::kNoValues);
  }
}

TEST(TextGridReaderTest, BoundsStartAtPlusMinusOneETwentyNine) {
  const TextGridSummary above = ScanTextGridText("2e30 5e30\n3e30", "vp.txt").summary;
  EXPECT_EQ(above.count, 3u);
  EXPECT_EQ(above.minimum, 1e30f);
  EXPECT_EQ(above.maximum, 5e30f);
  const TextGridSummary below = ScanTextGridText("-2e30 -5e30", "vp.txt").summary;
  EXPECT_EQ(below.minimum, -5e30f);
  EXPECT_EQ(below.maximum, -1e30f);
  const TextGridSummary usual = ScanTextGridText("1523.25 4500.1 2710 -3", "vp.txt").summary;
  EXPECT_EQ(usual.minimum, -3.0f);
  EXPECT_EQ(usual.maximum, 4500.1f);
}

TEST(TextGridReaderTest, FilesAreReadTwiceAndRefusedWhenChangedInBetween) {
  TempFolder folder;
  const std::string path = folder.Write("vp.txt", "1 2 3\n4 5 6\n");
  const TextGridScan scan = ScanTextGrid(path);
  ASSERT_TRUE(scan.ok()) << scan.problem.Message();
  EXPECT_EQ(scan.summary.count, 6u);
  EXPECT_EQ(scan.summary.minimum, 1.0f);
  EXPECT_EQ(scan.summary.maximum, 6.0f);
  const TextGridValues loaded = LoadTextGridValues(path, 6);
  ASSERT_TRUE(loaded.ok()) << loaded.problem.Message();
  EXPECT_EQ(std::vector<float>(loaded.values.get(), loaded.values.get() + 6),
            (std::vector<float>{1, 2, 3, 4, 5, 6}));

  const std::pair<const char*, TextGridError> changes[] = {
      {"1 2 3 4 5 6 7", TextGridError::kFileChanged},
      {"1 2 3 4 5", TextGridError::kFileChanged},
      {"", TextGridError::kFileChanged},
      {"1 2 3 4 5 x", TextGridError::kNotANumber}};
  for (const auto& [changed, error] : changes) {
    folder.Write("vp.txt", changed);
    const TextGridValues refused = LoadTextGridValues(path, 6);
    EXPECT_EQ(refused.problem.error, error) << changed;
    EXPECT_EQ(refused.values, nullptr);
    EXPECT_EQ(refused.count, 0u);
  }
  folder.Write("vp.txt", "1 2 3 4 5 6 7");
  EXPECT_EQ(LoadTextGridValues(path, 6).problem.Message(),
            "vp.txt changed while it was being read.\nThe file was not loaded.");

  fs::remove(path);  // vanishes between the two passes
  const TextGridValues vanished = LoadTextGridValues(path, 6);
  EXPECT_EQ(vanished.problem.error, TextGridError::kCannotOpen);
  EXPECT_EQ(vanished.values, nullptr);
}

TEST(TextGridReaderTest, MissingOrUnreadableFilesAreRefusedWithTheReason) {
  TempFolder folder;
  const std::string missing = folder.Write("x", "") + "-missing.txt";
  const TextGridScan scan = ScanTextGrid(missing);
  EXPECT_EQ(scan.problem.error, TextGridError::kCannotOpen);
  EXPECT_EQ(scan.problem.fileName, "x-missing.txt");
  EXPECT_FALSE(scan.problem.reason.empty());
  EXPECT_EQ(scan.problem.Message(),
            "Cannot open x-missing.txt: " + scan.problem.reason + ".\nThe file was not loaded.");
  EXPECT_EQ(scan.problem.OneLine(), "x-missing.txt: cannot open: " + scan.problem.reason);
  // A folder cannot be opened (Windows) or read (POSIX) as a text grid.
  const TextGridError folderError = ScanTextGrid(fs::temp_directory_path().string()).problem.error;
  EXPECT_TRUE(folderError == TextGridError::kCannotOpen ||
              folderError == TextGridError::kCannotRead);
}

TEST(TextGridReaderTest, ReadsTheMarmousiModelAndReportsProgress) {
  const char* source = std::getenv("MVG_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string path = std::string(source) + "/samples/marmousi2/vp.txt";
  std::uint64_t lastDone = 0, total = 0;
  bool forward = true;
  const TextGridScan scan = ScanTextGrid(path, [&](std::uint64_t done, std::uint64_t all) {
    forward = forward && done >= lastDone;
    lastDone = done;
    total = all;
  });
  ASSERT_TRUE(scan.ok()) << scan.problem.Message();
  EXPECT_EQ(scan.summary.count, 87000u);
  EXPECT_EQ(scan.summary.minimum, 1500.0f);
  EXPECT_EQ(scan.summary.maximum, 4766.6f);
  EXPECT_TRUE(forward);
  EXPECT_EQ(lastDone, total);
  EXPECT_EQ(total, fs::file_size(path));

  const TextGridValues loaded = LoadTextGridValues(path, scan.summary.count);
  ASSERT_TRUE(loaded.ok()) << loaded.problem.Message();
  EXPECT_EQ(loaded.values[0], 1500.0f);
  EXPECT_EQ(loaded.values[43210], 3017.77f);
  EXPECT_EQ(loaded.values[86999], 2899.45f);
}

TEST(TextGridReaderTest, EveryRefusalNamesTheFileInBothForms) {
  TextGridProblem problem;
  problem.fileName = "density.txt";
  problem.reason = "Input/output error";
  const std::pair<TextGridError, const char*> expected[] = {
      {TextGridError::kCannotRead, "Cannot read density.txt: Input/output error."},
      {TextGridError::kTooManyValues, "density.txt holds more than 2147483647 values."},
      {TextGridError::kOutOfMemory, "Not enough memory to load density.txt."},
      {TextGridError::kFileChanged, "density.txt changed while it was being read."}};
  for (const auto& [error, text] : expected) {
    problem.error = error;
    EXPECT_EQ(problem.Message(), std::string(text) + "\nThe file was not loaded.");
    EXPECT_EQ(problem.OneLine().rfind("density.txt", 0), 0u) << problem.OneLine();
  }
  EXPECT_EQ(TextGridFileName("C:\\models\\vp.txt"), "vp.txt");
  EXPECT_EQ(TextGridFileName("/data/models/vp.txt"), "vp.txt");
}

}  // namespace
