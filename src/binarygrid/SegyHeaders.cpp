#include "binarygrid/SegyHeaders.h"

#include <cctype>
#include <cmath>
#include <cstring>

#include "binarygrid/ByteOrder.h"
#include "grid/NumberText.h"

namespace {

// EBCDIC (code pages 037 and 1047) to ASCII for the characters a textual header holds; 0 for a
// byte that is none of them.
char FromEbcdic(unsigned char byte) {
  static const char* const kLetters =
      "abcdefghi"
      "jklmnopqr"
      "stuvwxyz"
      "ABCDEFGHI"
      "JKLMNOPQR"
      "STUVWXYZ"
      "0123456789";
  if (byte >= 0x81 && byte <= 0x89) return kLetters[byte - 0x81];
  if (byte >= 0x91 && byte <= 0x99) return kLetters[9 + byte - 0x91];
  if (byte >= 0xA2 && byte <= 0xA9) return kLetters[18 + byte - 0xA2];
  if (byte >= 0xC1 && byte <= 0xC9) return kLetters[26 + byte - 0xC1];
  if (byte >= 0xD1 && byte <= 0xD9) return kLetters[35 + byte - 0xD1];
  if (byte >= 0xE2 && byte <= 0xE9) return kLetters[44 + byte - 0xE2];
  if (byte >= 0xF0 && byte <= 0xF9) return kLetters[52 + byte - 0xF0];
  switch (byte) {
    case 0x40:
      return ' ';
    case 0x4B:
      return '.';
    case 0x4C:
      return '<';
    case 0x4D:
      return '(';
    case 0x4E:
      return '+';
    case 0x4F:
      return '|';
    case 0x50:
      return '&';
    case 0x5A:
      return '!';
    case 0x5B:
      return '$';
    case 0x5C:
      return '*';
    case 0x5D:
      return ')';
    case 0x5E:
      return ';';
    case 0x5F:
      return '^';
    case 0x60:
      return '-';
    case 0x61:
      return '/';
    case 0x6B:
      return ',';
    case 0x6C:
      return '%';
    case 0x6D:
      return '_';
    case 0x6E:
      return '>';
    case 0x6F:
      return '?';
    case 0x79:
      return '`';
    case 0x7A:
      return ':';
    case 0x7B:
      return '#';
    case 0x7C:
      return '@';
    case 0x7D:
      return '\'';
    case 0x7E:
      return '=';
    case 0x7F:
      return '"';
    case 0xA1:
      return '~';
    case 0xAD:
    case 0xBA:
      return '[';
    case 0xBD:
    case 0xBB:
      return ']';
    case 0xC0:
      return '{';
    case 0xD0:
      return '}';
    case 0xE0:
      return '\\';
    default:
      return 0;
  }
}

bool IsBlankOrNul(unsigned char byte) { return byte == 0 || byte == '\r' || byte == '\n'; }

}  // namespace

SegyTextualHeader ReadTextualHeader(std::string_view bytes) {
  std::size_t ascii = 0, ebcdic = 0;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsBlankOrNul(byte)) {
      ++ascii;
      ++ebcdic;
      continue;
    }
    ascii += byte >= 0x20 && byte < 0x7F;
    ebcdic += FromEbcdic(byte) != 0;
  }
  SegyTextualHeader header;
  header.ebcdic = ebcdic > ascii;
  header.characters = header.ebcdic ? ebcdic : ascii;
  for (std::size_t start = 0; start < bytes.size(); start += 80) {
    std::string line;
    for (const char c : bytes.substr(start, 80)) {
      const auto byte = static_cast<unsigned char>(c);
      char shown = IsBlankOrNul(byte) ? ' ' : header.ebcdic ? FromEbcdic(byte) : c;
      if (shown == 0 || (!header.ebcdic && (byte < 0x20 || byte >= 0x7F))) shown = '?';
      line += shown;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    header.lines.push_back(line);
  }
  return header;
}

std::vector<std::string> LinesWithText(const SegyTextualHeader& header, std::size_t most) {
  std::vector<std::string> lines;
  for (const std::string& line : header.lines) {
    // The line number: "C 1", "C01", "C40 " and the like.
    std::size_t label = 0;
    if (!line.empty() && (line[0] == 'C' || line[0] == 'c')) {
      label = 1;
      while (label < line.size() && label < 4 &&
             (line[label] == ' ' || std::isdigit(static_cast<unsigned char>(line[label]))))
        ++label;
    }
    if (line.find_first_not_of(' ', label) == std::string::npos) continue;
    lines.push_back(line);
    if (lines.size() == most) break;
  }
  return lines;
}

bool EndsExtendedHeaders(const SegyTextualHeader& header) {
  for (const std::string& line : header.lines) {
    if (line.find("((SEG: EndText))") != std::string::npos) return true;
  }
  return false;
}

std::optional<SampleType> SegySampleType(int format) {
  switch (format) {
    case 1:
      return SampleType::kIbmFloat32;
    case 2:
      return SampleType::kInt32;
    case 3:
      return SampleType::kInt16;
    case 5:
      return SampleType::kFloat32;
    case 6:
      return SampleType::kFloat64;
    case 8:
      return SampleType::kInt8;
    case 9:
      return SampleType::kInt64;
    case 10:
      return SampleType::kUInt32;
    case 11:
      return SampleType::kUInt16;
    case 12:
      return SampleType::kUInt64;
    case 16:
      return SampleType::kUInt8;
    default:
      return std::nullopt;
  }
}

bool IsSegyFormatCode(int format) {
  return format >= 1 && format <= 16 && format != 13 && format != 14;
}

std::string DescribeSegyFormat(int format) {
  if (const std::optional<SampleType> type = SegySampleType(format)) return DescribeSamples(*type);
  switch (format) {
    case 4:
      return "4-byte fixed point with gain";
    case 7:
      return "24-bit integers";
    case 15:
      return "24-bit unsigned integers";
    default:
      return "sample format " + std::to_string(format);
  }
}

std::optional<SegyBinaryHeader> ReadBinaryHeader(std::string_view file) {
  if (file.size() < kSegyFileHeaderBytes) return std::nullopt;
  const char* const bytes = file.data();
  SegyBinaryHeader header;
  const std::uint32_t word = LoadU32(bytes + 3296, true);
  if (word == 0x01020304u || word == 0x04030201u) {
    header.byteOrderWord = true;
    header.bigEndian = word == 0x01020304u;
  } else if (IsSegyFormatCode(LoadU16(bytes + 3224, true))) {
    header.bigEndian = true;
  } else if (IsSegyFormatCode(LoadU16(bytes + 3224, false))) {
    header.bigEndian = false;
  } else {
    return std::nullopt;
  }
  const bool big = header.bigEndian;
  header.format = LoadU16(bytes + 3224, big);
  if (!IsSegyFormatCode(header.format)) return std::nullopt;
  // Bytes 3501-3502: the revision, major then minor, a byte each (revision 1's 16-bit 0x0100
  // stored big-endian alike).
  header.revision = static_cast<unsigned char>(bytes[3500]);
  header.minorRevision = static_cast<unsigned char>(bytes[3501]);
  header.samples = LoadU16(bytes + 3220, big);
  header.interval = LoadU16(bytes + 3216, big);
  // Revision 0 left these bytes unassigned.
  if (header.revision >= 1) header.extendedHeaders = LoadI16(bytes + 3504, big);
  if (header.revision >= 2) {
    const std::uint32_t samples = LoadU32(bytes + 3268, big);
    if (samples != 0) header.samples = samples;
    double interval;
    const std::uint64_t bits = LoadU64(bytes + 3272, big);
    std::memcpy(&interval, &bits, sizeof interval);
    if (std::isfinite(interval) && interval > 0) header.interval = interval;
    header.additionalTraceHeaders = LoadI32(bytes + 3506, big);
    header.firstTrace = LoadU64(bytes + 3520, big);
    header.trailers = LoadI32(bytes + 3528, big);
  }
  return header;
}

TraceHeader ReadTraceHeader(const char* bytes, bool bigEndian) {
  TraceHeader header;
  header.coordinateScalar = LoadI16(bytes + 70, bigEndian);
  header.sourceX = LoadI32(bytes + 72, bigEndian);
  header.samples = LoadU16(bytes + 114, bigEndian);
  header.interval = LoadU16(bytes + 116, bigEndian);
  header.cdpX = LoadI32(bytes + 180, bigEndian);
  header.inlineNumber = LoadI32(bytes + 188, bigEndian);
  header.crosslineNumber = LoadI32(bytes + 192, bigEndian);
  return header;
}

std::string DescribeSampleInterval(double interval) {
  std::string text = "sample interval " + FormatSixDigits(static_cast<float>(interval));
  std::string readings;
  for (const auto& [metres, unit] : {std::pair{interval / 1000, "mm"}, std::pair{interval, "m"}}) {
    // Steps a model may have.
    if (metres < 0.1 || metres > 1000) continue;
    readings += (readings.empty() ? "" : " or ") + FormatSixDigits(static_cast<float>(metres)) +
                " m if in " + unit;
  }
  return readings.empty() ? text : text + ": " + readings;
}
