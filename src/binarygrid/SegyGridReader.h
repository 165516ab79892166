#pragma once
// SEG-Y files, revisions 0, 1 and 2: the textual header (EBCDIC or ASCII; its first lines with
// text handed on for mvgtool sizes), extended textual headers (counted, or up to the one that
// ends them), the binary header, then the traces (SegyTraces.h). Big-endian, or little-endian
// where revision 2's byte-order word says so or only that order makes the binary header's sample
// format a format code. Sample formats 1 (IBM floats), 2, 3 and 8 (32-, 16- and 8-bit integers),
// 5 and 6 (32- and 64-bit IEEE floats), and revision 2's other integers. Messages, after the
// input's name:
//   "its SEG-Y headers are cut short"
//   "its samples are 4-byte fixed point with gain (SEG-Y format 4), which are not read"
//   "its traces carry 2 more trace headers each (SEG-Y revision 2), which are not read"
//   "its extended textual headers are cut short"
// and those of the traces.

#include <string>
#include <string_view>

#include "textgrid/ByteStream.h"
#include "textgrid/TextGridReader.h"

// The bytes looked at to tell a SEG-Y file: its file headers and a first trace header.
inline constexpr std::size_t kSegyStartBytes = 3600 + 240;

// Whether an input starting with `head` (kSegyStartBytes, or the whole input when shorter) is a
// SEG-Y file: a textual header of characters, a binary header with a sample format and a number
// of samples.
bool StartsAsSegy(std::string_view head);

TextGridRead ReadSegyGrid(PeekableStream& input, const std::string& name, bool keepValues,
                          const ReadProgress& progress);
