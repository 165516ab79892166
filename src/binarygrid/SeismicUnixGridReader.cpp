#include "binarygrid/SeismicUnixGridReader.h"

#include "binarygrid/ByteOrder.h"
#include "binarygrid/SampleDecoding.h"
#include "binarygrid/SegyHeaders.h"
#include "binarygrid/SegyTraces.h"

namespace {

// Of a trace header's 60 words, at least this many are 0: most fields are unused.
constexpr int kZeroWords = 20;

bool LooksLikeTraceHeader(std::string_view header) {
  int zeros = 0;
  for (std::size_t i = 0; i + 4 <= header.size(); i += 4)
    zeros += LoadU32(header.data() + i, true) == 0;
  return zeros >= kZeroWords;
}

// Whether traces of the sample count in the first header, in this byte order, make the input:
// the second trace header gives the same count, or the input is that one trace.
bool TracesFit(PeekableStream& input, bool bigEndian, std::string* problem) {
  std::string_view head;
  if (!input.Peek(kTraceHeaderBytes, &head, problem)) return false;
  const std::uint64_t samples = LoadU16(head.data() + 114, bigEndian);
  if (samples == 0) return false;
  const std::size_t traceBytes = static_cast<std::size_t>(kTraceHeaderBytes + 4 * samples);
  const std::size_t second = traceBytes + kTraceHeaderBytes;
  if (!input.Peek(second, &head, problem)) return false;
  if (head.size() == traceBytes) return true;
  return head.size() == second && LoadU16(head.data() + traceBytes + 114, bigEndian) == samples;
}

}  // namespace

std::optional<bool> SeismicUnixByteOrder(PeekableStream& input, std::string* problem) {
  std::string_view head;
  if (!input.Peek(kTraceHeaderBytes, &head, problem) || head.size() < kTraceHeaderBytes ||
      !LooksLikeTraceHeader(head)) {
    return std::nullopt;
  }
  for (const bool bigEndian : {!HostIsLittleEndian(), HostIsLittleEndian()}) {
    if (TracesFit(input, bigEndian, problem)) return bigEndian;
  }
  return std::nullopt;
}

TextGridRead ReadSeismicUnixGrid(PeekableStream& input, bool bigEndian, const std::string& name,
                                 bool keepValues, const ReadProgress& progress) {
  TextGridForm form;
  form.kind = TextForm::kSeismicUnix;
  form.name = "Seismic Unix";
  form.source = "the Seismic Unix file";
  form.taken = DescribeByteOrder(bigEndian) + ", " + DescribeSamples(SampleType::kFloat32);
  TraceLayout layout;
  layout.samples = {SampleType::kFloat32, bigEndian};
  return ReadTraces(input, layout, name, keepValues, progress, std::move(form));
}
