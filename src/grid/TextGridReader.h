#pragma once
// Reading of a text grid: one flat sequence of decimal numbers separated by runs of spaces, tabs,
// commas and line ends (LF, CR+LF, a lone CR); a character 26 (Ctrl-Z) ends the file (the scan
// says where when more than blanks follow it), and a UTF-8 byte-order mark at its very start is
// skipped. Each value is read as a correctly rounded double
// (as atof reads it) and then rounded to float32. The file is read twice: once for count, minimum
// and maximum, then into one array of exactly that many floats.
//
// Messages name the file as the caller calls it (`name`: "vp.txt", or "--vp b/vp.txt"), e.g.
//   "vp.txt, line 12, value 3: \"12a\" is not a number"
//   "vp.txt, line 12, value 3: \"1e39\" is beyond the range of 32-bit floats"
//   "vp.txt: cannot open: No such file or directory"      "vp.txt: cannot read: <reason>"
//   "vp.txt: holds no values"      "vp.txt: holds more than 2147483647 values"
//   "vp.txt: not enough memory to load it"      "vp.txt: changed while it was being read"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/Status.h"
#include "grid/TextGridLines.h"

// Most values a text grid may hold: counts are 32-bit signed in the conversion state.
inline constexpr std::uint64_t kMaxTextGridValues = 2147483647;

struct TextGridSummary {
  std::uint32_t count = 0;
  float minimum = 1e30f;
  float maximum = -1e30f;
};

// Where a scanned file's values lie: how many start in each part of it, so that loading writes
// every part straight to its place.
struct TextGridLayout {
  std::uint64_t fileBytes = 0;
  std::uint64_t partBytes = 0;
  std::vector<std::uint32_t> partCounts;
};

struct TextGridScan {
  // Meaningful only when ok.
  TextGridSummary summary;
  TextGridLines lines;
  TextGridLayout layout;
  // The line of a character 26 (Ctrl-Z) that ended the text with more text after it, which was
  // not read; 0 when there is none, or only blanks follow it.
  std::uint64_t endMarkLine = 0;
  Status status;
  bool ok() const { return status.ok(); }
};

struct TextGridValues {
  std::unique_ptr<float[]> values;
  std::uint32_t count = 0;
  Status status;
  bool ok() const { return status.ok(); }
};

using ReadProgress = std::function<void(std::uint64_t bytesDone, std::uint64_t bytesTotal)>;

// First pass: count, minimum, maximum, the line structure and where the values lie. A file with
// no values, an unreadable file, a bad token or more than 2147483647 values is refused.
TextGridScan ScanTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress = {});

// Second pass: the values, into one array allocated once with the scan's count of floats. A file
// that no longer holds those values where the scan found them is refused as changed (or for the
// problem met).
TextGridValues LoadTextGridValues(const std::string& path, const std::string& name,
                                  const TextGridScan& scan, const ReadProgress& progress = {});
// The same without a scan at hand: the file is scanned again for where its values lie, and it
// must hold expectedCount.
TextGridValues LoadTextGridValues(const std::string& path, const std::string& name,
                                  std::uint32_t expectedCount, const ReadProgress& progress = {});

// The same on text in memory (tests, fuzzing).
TextGridScan ScanTextGridText(std::string_view text, const std::string& name);
TextGridValues LoadTextGridValuesFromText(std::string_view text, const std::string& name,
                                          std::uint32_t expectedCount);

// The name shown for a path: its last component.
std::string FileNameOf(const std::string& path);
