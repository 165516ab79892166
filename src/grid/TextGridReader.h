#pragma once
// Reading of a text grid: one flat sequence of decimal numbers separated by runs of spaces, tabs,
// commas and line ends (LF, CR+LF, a lone CR); a character 26 ends the file, and a UTF-8
// byte-order mark at its very start is skipped. Each value is read as a correctly rounded double
// (as atof reads it) and then rounded to float32. The file is read twice: once for count, minimum
// and maximum, then into one array of exactly that many floats.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/TextGridLines.h"

enum class TextGridError {
  kNone,
  kCannotOpen,
  kCannotRead,
  kNotANumber,
  kNoValues,
  kTooManyValues,
  kOutOfMemory,
  kFileChanged
};

// Most values a text grid may hold: counts are 32-bit signed in the conversion state.
inline constexpr std::uint64_t kMaxTextGridValues = 2147483647;

struct TextGridProblem {
  TextGridError error = TextGridError::kNone;
  std::string fileName;    // last component of the path, as shown to the user
  std::uint64_t line = 0;  // 1-based line of the offending token; 0 when none
  std::string token;       // the offending token (shortened if very long), when there is one
  std::string reason;      // system reason for open/read failures ("No such file or directory")
  // With kNotANumber: the token is a decimal number, but beyond the float32 range.
  bool beyondFloatRange = false;
  // Dialog text, ends with "\nThe file was not loaded.", e.g.
  // "Line 12 of vp.txt: \"12a\" is not a number.\nThe file was not loaded."
  std::string Message() const;
  // One line for the command line, e.g. "vp.txt, line 12: \"12a\" is not a number".
  std::string OneLine() const;
};

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
  TextGridSummary summary;
  TextGridLines lines;
  TextGridLayout layout;
  TextGridProblem problem;
  bool ok() const { return problem.error == TextGridError::kNone; }
};

struct TextGridValues {
  std::unique_ptr<float[]> values;
  std::uint32_t count = 0;
  TextGridProblem problem;
  bool ok() const { return problem.error == TextGridError::kNone; }
};

using ReadProgress = std::function<void(std::uint64_t bytesDone, std::uint64_t bytesTotal)>;

// First pass: count, minimum, maximum, the line structure and where the values lie. A file with no
// values, an unreadable file, a bad token or more than 2147483647 values is refused (problem set,
// the rest meaningless).
TextGridScan ScanTextGrid(const std::string& path, const ReadProgress& progress = {});

// Second pass: the values, into one array allocated once with the scan's count of floats. A file
// that no longer holds those values where the scan found them is refused with kFileChanged (or
// the problem met).
TextGridValues LoadTextGridValues(const std::string& path, const TextGridScan& scan,
                                  const ReadProgress& progress = {});
// The same without a scan at hand: the file is scanned again for where its values lie, and it must
// hold expectedCount.
TextGridValues LoadTextGridValues(const std::string& path, std::uint32_t expectedCount,
                                  const ReadProgress& progress = {});

// The same on text in memory (tests, fuzzing).
TextGridScan ScanTextGridText(std::string_view text, const std::string& fileName);
TextGridValues LoadTextGridValuesFromText(std::string_view text, const std::string& fileName,
                                          std::uint32_t expectedCount);

// The name shown for a path: its last component.
std::string TextGridFileName(const std::string& path);
