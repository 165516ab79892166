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
  EXPECT_TRUE(scan.ok()) << scan.status.message();
  if (!scan.ok()) return {};
  TextGridValues loaded = LoadTextGridValuesFromText(text, "vp.txt", scan.summary.count);
  EXPECT_TRUE(loaded.ok()) << loaded.status.message();
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
  EXPECT_EQ(ScanTextGridText("\x1a 1 2", "vp.txt").status.message(), "vp.txt: holds no values");
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

TEST(TextGridReaderTest, BadTokensAreRefusedWithTheirLineAndPlaceOnIt) {
  const std::pair<std::string, const char*> cases[] = {
      {"1 2\n3 12a 4\n", "line 2, value 2: \"12a\" is not a number"},
      {"1e39", "line 1, value 1: \"1e39\" is beyond the range of 32-bit floats"},
      {"5\r\n\t-1e39", "line 2, value 1: \"-1e39\" is beyond the range of 32-bit floats"},
      {"1\r2\r\r4,,5 nan", "line 4, value 3: \"nan\" is not a number"},
      {"inf", "line 1, value 1: \"inf\" is not a number"},
      {"\n--1", "line 2, value 1: \"--1\" is not a number"},
      {"1e", "line 1, value 1: \"1e\" is not a number"},
      {"1 . 2", "line 1, value 2: \".\" is not a number"},
      {"1\n2 0x10", "line 2, value 2: \"0x10\" is not a number"},
      {"\"q\\", "line 1, value 1: \"\\\"q\\\\\" is not a number"},
      {"1 \xEF\xBB\xBF"
       "2",
       "line 1, value 2: \"\\xEF\\xBB\\xBF2\" is not a number"},
      {std::string("1 2\0 3", 6), "line 1, value 2: \"2\\x00\" is not a number"},
      // "1500 1600" saved as UTF-16 with its byte-order mark.
      {std::string("\xFF\xFE"
                   "1\0"
                   "5\0"
                   "0\0"
                   "0\0"
                   " \0"
                   "1\0",
                   12),
       "line 1, value 1: \"\\xFF\\xFE1\\x005\\x000\\x000\\x00\" is not a number"},
  };
  for (const auto& [text, fault] : cases) {
    EXPECT_EQ(ScanTextGridText(text, "vp.txt").status.message(), std::string("vp.txt, ") + fault)
        << text;
    // A load meets the same problem and returns nothing.
    const TextGridValues loaded = LoadTextGridValuesFromText(text, "vp.txt", 3);
    EXPECT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.values, nullptr);
  }
  std::string binary(
      "\x7F"
      "ELF\x02\x01\x01",
      7);
  std::mt19937 random(7);
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>(random());
  const std::string elf = ScanTextGridText(binary, "vp.txt").status.message();
  EXPECT_EQ(elf.rfind("vp.txt, line 1, value 1: \"\\x7FELF\\x02\\x01\\x01", 0), 0u) << elf;
  EXPECT_LE(elf.size(), 230u);  // the token is shortened
}

TEST(TextGridReaderTest, TextsWithoutValuesAreRefused) {
  for (const char* text : {"", " ", "\n\n\r\n", " ,\t,\r", "\x1a", "\xEF\xBB\xBF\n"}) {
    EXPECT_EQ(ScanTextGridText(text, "vp.txt").status.message(), "vp.txt: holds no values") << text;
    EXPECT_EQ(LoadTextGridValuesFromText(text, "vp.txt", 0).status.message(),
              "vp.txt: holds no values");
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

TEST(TextGridReaderTest, FilesAreReadTwiceAndRefusedWhenChangedInBetweenOrMissing) {
  TempFolder folder;
  const std::string path = folder.Write("vp.txt", "1 2 3\n4 5 6\n");
  const TextGridScan scan = ScanTextGrid(path, "vp.txt");
  ASSERT_TRUE(scan.ok()) << scan.status.message();
  EXPECT_EQ(scan.summary.count, 6u);
  EXPECT_EQ(scan.summary.minimum, 1.0f);
  EXPECT_EQ(scan.summary.maximum, 6.0f);
  const TextGridValues loaded = LoadTextGridValues(path, "vp.txt", 6);
  ASSERT_TRUE(loaded.ok()) << loaded.status.message();
  EXPECT_EQ(std::vector<float>(loaded.values.get(), loaded.values.get() + 6),
            (std::vector<float>{1, 2, 3, 4, 5, 6}));

  const std::pair<const char*, const char*> changes[] = {
      {"1 2 3 4 5 6 7", "vp.txt: changed while it was being read"},
      {"1 2 3 4 5", "vp.txt: changed while it was being read"},
      {"", "vp.txt: changed while it was being read"},
      {"1 2 3 4 5 x", "vp.txt, line 1, value 6: \"x\" is not a number"}};
  for (const auto& [changed, message] : changes) {
    folder.Write("vp.txt", changed);
    const TextGridValues refused = LoadTextGridValues(path, "vp.txt", 6);
    EXPECT_EQ(refused.status.message(), message);
    EXPECT_EQ(refused.values, nullptr);
    EXPECT_EQ(refused.count, 0u);
  }
  fs::remove(path);  // vanishes between the two passes
  const TextGridValues vanished = LoadTextGridValues(path, "--vp a/vp.txt", 6);
  EXPECT_EQ(vanished.status.message().rfind("--vp a/vp.txt: cannot open: ", 0), 0u);
  EXPECT_GT(vanished.status.message().size(), 30u);  // with the system's reason
  EXPECT_EQ(vanished.values, nullptr);
  // A folder cannot be opened (Windows) or read (POSIX) as a text grid.
  const std::string onFolder =
      ScanTextGrid(fs::temp_directory_path().string(), "tmp").status.message();
  EXPECT_TRUE(onFolder.rfind("tmp: cannot open: ", 0) == 0 ||
              onFolder.rfind("tmp: cannot read: ", 0) == 0)
      << onFolder;
}

TEST(TextGridReaderTest, ReadsTheMarmousiModelAndReportsProgress) {
  const char* source = std::getenv("MVG_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string path = std::string(source) + "/samples/marmousi2/vp.txt";
  std::uint64_t lastDone = 0, total = 0;
  bool forward = true;
  const TextGridScan scan =
      ScanTextGrid(path, "vp.txt", [&](std::uint64_t done, std::uint64_t all) {
        forward = forward && done >= lastDone;
        lastDone = done;
        total = all;
      });
  ASSERT_TRUE(scan.ok()) << scan.status.message();
  EXPECT_EQ(scan.summary.count, 87000u);
  EXPECT_EQ(scan.summary.minimum, 1500.0f);
  EXPECT_EQ(scan.summary.maximum, 4766.6f);
  EXPECT_TRUE(forward);
  EXPECT_EQ(lastDone, total);
  EXPECT_EQ(total, fs::file_size(path));

  const TextGridValues loaded = LoadTextGridValues(path, "vp.txt", scan.summary.count);
  ASSERT_TRUE(loaded.ok()) << loaded.status.message();
  EXPECT_EQ(loaded.values[0], 1500.0f);
  EXPECT_EQ(loaded.values[43210], 3017.77f);
  EXPECT_EQ(loaded.values[86999], 2899.45f);
}

TEST(TextGridReaderTest, TheNameShownIsThePathsLastComponent) {
  EXPECT_EQ(FileNameOf("C:\\models\\vp.txt"), "vp.txt");
  EXPECT_EQ(FileNameOf("/data/models/vp.txt"), "vp.txt");
}

}  // namespace
