// Arbitrary bytes as a text grid. An accepted text read as plain numbers loads to exactly its
// count of finite values, each the C library's strtod of its token (a D exponent as E) rounded to
// float32, a NaN a hole holding Surfer's blank, with the minimum, maximum, holes and line
// structure a plain reading finds, comment lines passed over; one read
// in another form holds its count of values. A reading cut into small chunks on several threads,
// from a stream that gives a few bytes at a time or from the text gzip-compressed, gives the same
// result as a whole one, comment lines and all. The bytes read as gzip data are refused or read,
// never more.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "support/GzipText.h"
#include "textgrid/GzipStream.h"
#include "textgrid/TextGridPass.h"
#include "textgrid/TextGridReader.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\n' || c == '\r'; }

std::vector<std::string> Split(std::string_view text) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    if (i > start) tokens.emplace_back(text.substr(start, i - start));
  }
  return tokens;
}

// What counts of a text: after a UTF-8 byte-order mark at the very start, up to the first
// character 26, with its comment lines (# or % their first character but spaces and tabs) blank.
std::string Counted(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::string counted(text.substr(0, text.find('\x1a')));
  bool lineStart = true;
  for (std::size_t i = 0; i < counted.size(); ++i) {
    const char c = counted[i];
    if (lineStart && (c == '#' || c == '%')) {
      while (i < counted.size() && counted[i] != '\n' && counted[i] != '\r') counted[i++] = ' ';
      --i;
      lineStart = false;
    } else if (c == '\n' || c == '\r') {
      lineStart = true;
    } else if (c != ' ' && c != '\t') {
      lineStart = false;
    }
  }
  return counted;
}

// The line structure, the plain way: values on each line, lines cut at LF, CR+LF or a lone CR;
// the runs of equal lines kept up to their limit.
TextGridLines Lines(std::string_view whole) {
  const std::string counted = Counted(whole);
  const std::string_view text = counted;
  TextGridLines lines;
  std::uint64_t number = 1;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::uint64_t values = Split(text.substr(start, end - start)).size();
    if (values > 0) {
      if (lines.linesWithValues++ == 0) {
        lines.firstLine = number;
        lines.firstCount = values;
      } else if (lines.secondLine == 0) {
        lines.secondLine = number;
      }
      if (lines.differingLine != 0 && lines.afterDifferingLine == 0) {
        lines.afterDifferingLine = number;
      }
      if (lines.differingLine == 0 && values == lines.firstCount) {
        ++lines.sameInARow;
      } else if (lines.differingLine == 0) {
        lines.differingLine = number;
        lines.differingCount = values;
      }
      lines.lengthDivisor = std::gcd(lines.lengthDivisor, values);
      if (!lines.runs.empty() && lines.runs.back().values == values) {
        ++lines.runs.back().lines;
      } else if (lines.runs.size() < kMaxLineRuns && !lines.tooManyRuns) {
        lines.runs.push_back({values, 1});
      } else {
        lines.runs.clear();
        lines.tooManyRuns = true;
      }
    }
    ++number;
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return lines;
}

std::uint32_t Bits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

void CheckAccepted(std::string_view text, const TextGridRead& scan) {
  const FloatArray& values = scan.values;
  if (values.size() != scan.summary.count) __builtin_trap();
  const std::vector<std::string> tokens = Split(Counted(text));
  if (tokens.size() != values.size()) __builtin_trap();
  // The bounds as a plain reading from start to end finds them, with the values as read.
  float minimum = 1e30f;
  float maximum = -1e30f;
  std::uint64_t holes = 0, firstHole = 0;
  for (std::uint32_t i = 0; i < values.size(); ++i) {
    const float value = values[i];
    if (!std::isfinite(value)) __builtin_trap();
    if (value < scan.summary.minimum || value > scan.summary.maximum) __builtin_trap();
    std::string token = tokens[i];
    for (char& c : token) c = c == 'd' || c == 'D' ? 'e' : c;
    char* end = nullptr;
    double reference = std::strtod(token.c_str(), &end);
    if (end != token.c_str() + token.size()) __builtin_trap();  // not wholly a number
    if (std::isnan(reference)) {
      if (holes++ == 0) firstHole = i;
      reference = 1.70141e38f;
    }
    if (Bits(static_cast<float>(reference)) != Bits(value)) __builtin_trap();
    if (reference < minimum) minimum = static_cast<float>(reference);
    if (reference > maximum) maximum = static_cast<float>(reference);
  }
  if (Bits(minimum) != Bits(scan.summary.minimum) || Bits(maximum) != Bits(scan.summary.maximum)) {
    __builtin_trap();
  }
  if (scan.form.holes != holes || scan.form.firstHole != firstHole) __builtin_trap();
  if (!(scan.lines == Lines(text))) __builtin_trap();
}

void CheckSame(const TextPassResult& got, const TextPassResult& expected) {
  if (got.stop != expected.stop) __builtin_trap();
  if (got.stop != TextPassStop::kEnd) {
    if (got.problemOffset != expected.problemOffset || got.problemLine != expected.problemLine ||
        got.problemValue != expected.problemValue || got.token != expected.token) {
      __builtin_trap();
    }
    return;
  }
  const SkippedLines &comments = got.comments, &expectedComments = expected.comments;
  if (comments.count != expectedComments.count || comments.more != expectedComments.more ||
      comments.spans.size() != expectedComments.spans.size()) {
    __builtin_trap();
  }
  for (std::size_t i = 0; i < comments.spans.size(); ++i) {
    if (comments.spans[i].first != expectedComments.spans[i].first ||
        comments.spans[i].last != expectedComments.spans[i].last) {
      __builtin_trap();
    }
  }
  if (got.holes != expected.holes || got.firstHole != expected.firstHole) __builtin_trap();
  if (got.count != expected.count || Bits(got.minimum) != Bits(expected.minimum) ||
      Bits(got.maximum) != Bits(expected.maximum) || !(got.lines == expected.lines) ||
      got.values.size() != expected.values.size()) {
    __builtin_trap();
  }
  for (std::size_t i = 0; i < got.values.size(); ++i) {
    if (Bits(got.values[i]) != Bits(expected.values[i])) __builtin_trap();
  }
}

void CheckChunked(std::string_view text, std::uint8_t shape) {
  TextPassOptions whole;
  whole.chunkBytes = text.size() + 1;
  whole.threads = 1;
  TextPassOptions chunked;
  chunked.chunkBytes = 1 + shape % 13;
  chunked.threads = 1 + (shape >> 6) % 3;
  const std::size_t piece = 1 + (shape >> 3) % 7;
  MemoryStream wholeText(text);
  const TextPassResult expected = ReadTextPass(wholeText, {}, whole);
  MemoryStream pieces(text, piece);
  CheckSame(ReadTextPass(pieces, {}, chunked), expected);
  const std::string compressed = GzipOf(text);
  MemoryStream compressedPieces(compressed, piece);
  GzipStream inflated(compressedPieces);
  CheckSame(ReadTextPass(inflated, {}, chunked), expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TextGridRead scan = ReadTextGridText(text, "fuzz.txt");
  const TextGridForm& form = scan.form;
  // A line of semicolons alone before the values (an empty spreadsheet row) is passed over as
  // blank, which the plain reading here does not know.
  const bool plain = form.kind == TextForm::kPlain && form.text.empty() && form.titles.count == 0 &&
                     text.find(';') == std::string_view::npos;
  if (scan.ok() && plain) {
    CheckAccepted(text, scan);
  } else if (scan.ok()) {
    if (scan.values.size() != scan.summary.count || scan.summary.count == 0) __builtin_trap();
    if (form.statesSizes && static_cast<std::uint64_t>(form.nx) * form.nz != scan.summary.count) {
      __builtin_trap();
    }
  } else {
    // The message names the file, and a bad token with its place.
    const std::string& message = scan.status.message();
    if (message.compare(0, 8, "fuzz.txt") != 0) __builtin_trap();
    if (message.find("\"") != std::string::npos && message.find(", line ") == std::string::npos) {
      __builtin_trap();
    }
    // What is shown is printable.
    for (const char c : message) {
      if (c != '\n' &&
          (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)) {
        __builtin_trap();
      }
    }
  }
  if (size > 0) CheckChunked(text.substr(1), data[0]);
  // The bytes as gzip data: refused with the name, or read.
  const std::string gzip = "\x1F\x8B" + std::string(text);
  MemoryStream stream(gzip, 1 + size % 7);
  const TextGridRead inflated = ReadTextGridStream(stream, "fuzz.gz", true);
  if (!inflated.ok() && inflated.status.message().compare(0, 7, "fuzz.gz") != 0) __builtin_trap();
  if (inflated.ok() && inflated.values.size() != inflated.summary.count) __builtin_trap();
  return 0;
}
