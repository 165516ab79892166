#pragma once
// The headers of SEG-Y files (revisions 0, 1 and 2) and of their traces, which Seismic Unix files
// share: the 3,200-byte textual header (40 lines of 80 characters, EBCDIC or ASCII), the
// 400-byte binary header and each trace's 240-byte header. Byte numbers below count from 1, as
// the standard does.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "binarygrid/SampleDecoding.h"

inline constexpr std::size_t kSegyTextBytes = 3200;
inline constexpr std::size_t kSegyFileHeaderBytes = 3600;
inline constexpr std::size_t kTraceHeaderBytes = 240;

struct SegyTextualHeader {
  bool ebcdic = false;
  std::vector<std::string> lines;  // its 40 lines as ASCII, trailing blanks dropped
  // Bytes that are characters of its code (or NUL, or blanks), of the 3,200.
  std::size_t characters = 0;
};

// The textual header (or an extended one) in whichever code holds more of its bytes as characters;
// a byte no character is shown as '?'.
SegyTextualHeader ReadTextualHeader(std::string_view bytes);

// The lines that say more than their line number ("C 1", "C01"), the first `most` of them.
std::vector<std::string> LinesWithText(const SegyTextualHeader& header, std::size_t most);

// Whether an extended textual header is the last one: it holds "((SEG: EndText))".
bool EndsExtendedHeaders(const SegyTextualHeader& header);

// The sample type of a format code the readers read (1, 2, 3, 5, 6, 8 and revision 2's other
// integers); nothing for another.
std::optional<SampleType> SegySampleType(int format);
// Whether a number is a sample format code of the standard (1 to 12, 15 and 16).
bool IsSegyFormatCode(int format);
// "IBM floats", "4-byte fixed point"...: what a format code names.
std::string DescribeSegyFormat(int format);

struct SegyBinaryHeader {
  bool bigEndian = true;
  bool byteOrderWord = false;  // revision 2's 0x01020304 at bytes 3297-3300 said the order
  int revision = 0, minorRevision = 0;
  int format = 0;
  std::uint32_t samples = 0;     // per trace (revision 2's extended count where given)
  double interval = 0;           // the sample interval, microseconds by the standard
  int extendedHeaders = 0;       // 3,200-byte extended textual headers; -1: until "EndText"
  std::uint64_t firstTrace = 0;  // revision 2: where the first trace starts, when given
  std::int64_t additionalTraceHeaders = 0;  // revision 2: 240-byte headers more a trace
  std::int64_t trailers = 0;                // revision 2: 3,200-byte records after the traces
};

// The binary header at bytes 3201-3600 of `file` (at least 3,600 bytes); its byte order from
// revision 2's byte-order word, else the order that makes its sample format a format code.
// Nothing when neither order does.
std::optional<SegyBinaryHeader> ReadBinaryHeader(std::string_view file);

struct TraceHeader {
  std::uint32_t samples = 0;          // bytes 115-116
  std::uint32_t interval = 0;         // bytes 117-118
  std::int32_t coordinateScalar = 0;  // bytes 71-72
  std::int32_t sourceX = 0;           // bytes 73-76
  std::int32_t cdpX = 0;              // bytes 181-184
  std::int32_t inlineNumber = 0;      // bytes 189-192
  std::int32_t crosslineNumber = 0;   // bytes 193-196
};

TraceHeader ReadTraceHeader(const char* bytes, bool bigEndian);

// A sample interval's likely readings as a depth step, for a depth model in a format made for
// time: "sample interval 1250: 1.25 m if in mm"; "sample interval 500: 0.5 m if in mm or 500 m
// if in m"; "sample interval 0".
std::string DescribeSampleInterval(double interval);
