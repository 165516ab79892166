#pragma once
// Reading of a text grid: one flat sequence of decimal numbers separated by runs of spaces, tabs,
// commas and line ends (LF, CR+LF, a lone CR); a character 26 (Ctrl-Z) ends the text (the reading
// says on which line when more than blanks follow it). Each value is read as
// a correctly rounded double (as atof reads it) and then rounded to float32. The input is read
// once, as a stream: a file, or standard input ("-"); gzip data is inflated as it is read and a
// UTF-8 byte-order mark at the start of the text is skipped (TextGridStream.h).
//
// Messages name the input as the caller calls it (`name`: "vp.txt", or "--vp b/vp.txt"), e.g.
//   "vp.txt, line 12, value 3: \"12a\" is not a number"
//   "vp.txt, line 12, value 3: \"1e39\" is beyond the range of 32-bit floats"
//   "vp.txt: cannot open: No such file or directory"      "vp.txt: cannot read: <reason>"
//   "vp.txt: holds no values"      "vp.txt: holds more than 2147483647 values"
//   "vp.txt: not enough memory to load it"      "vp.txt: changed while it was being read"
//   "vp.txt.gz: its gzip data is cut short"      "vp.txt.gz: its gzip data is damaged (<why>)"
//   "vp.txt.gz: its gzip data is followed by other bytes"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "grid/Status.h"
#include "system/FloatArray.h"
#include "textgrid/ByteStream.h"
#include "textgrid/TextGridLines.h"

// Most values a text grid may hold: counts are 32-bit signed in the conversion state.
inline constexpr std::uint64_t kMaxTextGridValues = 2147483647;

// The path that names standard input.
inline constexpr char kStandardInput[] = "-";

struct TextGridSummary {
  std::uint32_t count = 0;
  float minimum = 1e30f;
  float maximum = -1e30f;
};

struct TextGridRead {
  // Meaningful only when ok; values only when they were asked for.
  TextGridSummary summary;
  TextGridLines lines;
  FloatArray values;  // summary.count of them, in text order
  // The line of a character 26 (Ctrl-Z) that ended the text with more text after it, which was
  // not read; 0 when there is none, or only blanks follow it.
  std::uint64_t endMarkLine = 0;
  Status status;
  bool ok() const { return status.ok(); }
};

using ReadProgress = std::function<void(std::uint64_t bytesDone, std::uint64_t bytesTotal)>;

// Told the values in text order as they become final, a block at a time while the rest is still
// read, on the reading's threads, one call at a time: values[first, first + count) of the array
// that starts at `values`. Once the reading has ended, every value it holds was told.
using FinalValues =
    std::function<void(const float* values, std::uint64_t first, std::uint64_t count)>;

// Count, minimum, maximum, the line structure and the values. An input with no values, that
// cannot be read, with a bad token or more than 2147483647 values is refused.
TextGridRead ReadTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress = {}, const FinalValues& final = {});
// The same without keeping the values.
TextGridRead ScanTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress = {});
// The same on a stream of the input's bytes (tests, fuzzing).
TextGridRead ReadTextGridStream(ByteStream& input, const std::string& name, bool keepValues,
                                const ReadProgress& progress = {}, const FinalValues& final = {});
TextGridRead ReadTextGridText(std::string_view text, const std::string& name);

// The name shown for a path: its last component.
std::string FileNameOf(const std::string& path);
