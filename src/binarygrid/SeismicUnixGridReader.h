#pragma once
// Seismic Unix files: SEG-Y traces without the file headers, 32-bit IEEE floats in the byte
// order of the machine that wrote them, this one's or the other. The order is told from the
// number of samples in the first trace header (bytes 115-116): the one in which the second trace
// header, where that count puts it, gives the same number, or the input's length is one such
// trace; a first trace header is binary, mostly zeros. The traces are read as SEG-Y traces are
// (SegyTraces.h).

#include <optional>
#include <string>

#include "textgrid/ByteStream.h"
#include "textgrid/TextGridReader.h"

// The byte order (true: big-endian) of a Seismic Unix file starting here; nothing when the input
// is no such file.
std::optional<bool> SeismicUnixByteOrder(PeekableStream& input, std::string* problem);

TextGridRead ReadSeismicUnixGrid(PeekableStream& input, bool bigEndian, const std::string& name,
                                 bool keepValues, const ReadProgress& progress);
