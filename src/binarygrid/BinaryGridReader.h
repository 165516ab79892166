#pragma once
// Grids stored as binary data, told from their first bytes (never from their names) and read
// once as a stream, standard input too, within 4 bytes a value and a few MiB: SEG-Y, Seismic Unix,
// numpy .npy, and raw values when the user says how they are stored (TextReadingChoices::raw).
// Each hands on what a text grid's reading does (TextGridRead): its values in the order its form
// says (TextGridForm::order), count, range, holes (NaN), and its form with what it proves.
// Binary data that is none of these is refused, saying so:
//   "vp.bin: binary data, not a text grid, SEG-Y, Seismic Unix or .npy file"
//   "vp.bin: binary data in Fortran records (the first of 2000 bytes), not a text grid, SEG-Y,
//    Seismic Unix or .npy file"
// with TextGridRead::rawUndecided set, for the front end to name how its user reads it as raw
// values.

#include <string>

#include "textgrid/ByteStream.h"
#include "textgrid/TextGridReader.h"

enum class BinaryForm { kText, kSegy, kSeismicUnix, kNpy, kUnknown };

struct BinaryStart {
  BinaryForm form = BinaryForm::kText;
  bool bigEndian = false;  // of a Seismic Unix file
};

// What the input's first bytes are, looked at without reading them. False when they cannot be
// read, with the problem.
bool TellBinaryStart(PeekableStream& input, BinaryStart* start, std::string* problem);

// Reads a binary grid: raw values when choices.raw says so, whatever the start; else the form of
// the start (not kText).
TextGridRead ReadBinaryGrid(PeekableStream& input, const BinaryStart& start,
                            const std::string& name, bool keepValues,
                            const ReadProgress& progress = {},
                            const TextReadingChoices& choices = {}, const FinalValues& final = {});
