#pragma once
// The traces of a SEG-Y or Seismic Unix file, read one after another: each a 240-byte header and
// its samples, a vertical profile of the grid. nx is the number of traces and nz the samples a
// trace, which every trace must hold alike. dx is proven when the traces' X coordinates (CDP X,
// bytes 181-184, or, where those are all alike, source X, bytes 73-76, times the coordinate
// scalar of bytes 71-72) rise by one step from trace to trace. The samples go straight into
// their rows when the input's size gives the number of traces ahead, else trace after trace, for
// the grid's order to transpose (TextGridForm::order). Messages, after the input's name:
//   "holds no traces"      "its traces hold no samples"
//   "trace 201 holds 150 samples, but traces 1 to 200 hold 174: every trace must hold as many"
//   "trace 500 is cut short: 96 of its 174 samples"
//   "the header of trace 500 is cut short: 100 of its 240 bytes"
//   "its trace headers give 20 inline numbers and 30 crossline numbers: a 3-D volume, not a 2-D
//    model; give one inline of it"
//   "trace 12, sample 34: 1.2e+76 is beyond the range of 32-bit floats"

#include <cstdint>
#include <string>

#include "binarygrid/SampleDecoding.h"
#include "textgrid/ByteStream.h"
#include "textgrid/TextGridReader.h"

struct TraceLayout {
  SampleLayout samples;  // their type and byte order, which is the headers' too
  // The count for traces whose header gives 0 (a SEG-Y binary header's); 0: none.
  std::uint32_t defaultSamples = 0;
  // The sample interval the file headers give; 0: the first trace header's.
  double interval = 0;
};

// form: its kind, name and what its file headers said (taken), completed with the traces'.
TextGridRead ReadTraces(PeekableStream& input, const TraceLayout& layout, const std::string& name,
                        bool keepValues, const ReadProgress& progress, TextGridForm form);
