#pragma once
// Raw values: 32- or 64-bit floats, little- or big-endian, as the user says (nothing in the file
// does), after a header of skipBytes passed over. A Fortran unformatted sequential file, each
// record framed by its length in 4 bytes before and after (in the values' byte order), is told
// by those markers: its records must all be as long, and with more than one their length proves
// the row length (or, read column by column, the column length). Without records the file says
// nothing of the X size. Messages, after the input's name:
//   "holds 348002 bytes, not a whole number of 4-byte values (87000 values and 2 bytes)"
//   "holds 10 bytes, not the 64 to pass over"
//   "Fortran record 2 holds 2000 bytes, but record 1 holds 8: every record must hold as many
//    (passing over the first 16 bytes leaves record 1 out)"
//   "Fortran record 12 does not end with its length marker (2000 bytes): the records are
//    damaged"
//   "Fortran record 174 is cut short: 1000 of its 2000 bytes"
//   "value 1235: 1e+39 is beyond the range of 32-bit floats"
//   "holds one Fortran record of 80000000 bytes, too long to be told ahead from a stream; give it
//    as a file"

#include <string>

#include "textgrid/ByteStream.h"
#include "textgrid/TextGridReader.h"

TextGridRead ReadRawGrid(PeekableStream& input, const std::string& name, bool keepValues,
                         const ReadProgress& progress, const TextReadingChoices& choices,
                         const FinalValues& final);

// The length in bytes of a first Fortran record framed by the input's first bytes, 4-byte
// markers in the given byte order; 0 when they do not frame one. For a record longer than can
// be looked at ahead (8 MiB), a known input size must be a whole number of such records. (Read
// from a pipe, a file of one such record is refused once its end shows it.)
std::uint64_t FortranRecordBytes(PeekableStream& input, bool bigEndian, std::size_t valueBytes,
                                 std::string* problem);
