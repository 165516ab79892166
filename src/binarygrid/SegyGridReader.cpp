#include "binarygrid/SegyGridReader.h"

#include <vector>

#include "binarygrid/BinaryValues.h"
#include "binarygrid/ByteOrder.h"
#include "binarygrid/SegyHeaders.h"
#include "binarygrid/SegyTraces.h"

namespace {

// Of the textual header's bytes, at least this share are characters of its code.
constexpr std::size_t kTextualShare = kSegyTextBytes * 3 / 4;
// The most extended textual headers looked through for the one that ends them.
constexpr int kMaxExtendedHeaders = 100000;
// The most textual header lines a form hands on.
constexpr std::size_t kShownHeaderLines = 4;

std::string RevisionText(const SegyBinaryHeader& header) {
  std::string text = "revision " + std::to_string(header.revision);
  if (header.minorRevision != 0) text += "." + std::to_string(header.minorRevision);
  return text;
}

// Passes over the extended textual headers; their count, or the problem.
bool SkipExtendedHeaders(PeekableStream& input, const SegyBinaryHeader& binary, int* count,
                         std::string* problem) {
  *count = 0;
  if (binary.extendedHeaders < -1) {
    *problem = "its SEG-Y binary header gives " + std::to_string(binary.extendedHeaders) +
               " extended textual headers";
    return false;
  }
  std::vector<char> record(kSegyTextBytes);
  const bool untilEnd = binary.extendedHeaders == -1;
  while (untilEnd ? *count < kMaxExtendedHeaders : *count < binary.extendedHeaders) {
    std::size_t got = 0;
    if (!ReadFully(input, record.data(), record.size(), &got, problem)) return false;
    if (got < record.size()) {
      *problem = "its extended textual headers are cut short";
      return false;
    }
    ++*count;
    if (untilEnd &&
        EndsExtendedHeaders(ReadTextualHeader(std::string_view(record.data(), record.size())))) {
      return true;
    }
  }
  if (untilEnd) {
    *problem = "its extended textual headers do not end";
    return false;
  }
  return true;
}

}  // namespace

bool StartsAsSegy(std::string_view head) {
  if (head.size() < kSegyFileHeaderBytes) return false;
  if (ReadTextualHeader(head.substr(0, kSegyTextBytes)).characters < kTextualShare) return false;
  const std::optional<SegyBinaryHeader> binary = ReadBinaryHeader(head);
  if (!binary) return false;
  if (binary->samples > 0) return true;
  return head.size() >= kSegyStartBytes &&
         LoadU16(head.data() + kSegyFileHeaderBytes + 114, binary->bigEndian) > 0;
}

TextGridRead ReadSegyGrid(PeekableStream& input, const std::string& name, bool keepValues,
                          const ReadProgress& progress) {
  std::string problem;
  std::string_view head;
  if (!input.Peek(kSegyFileHeaderBytes, &head, &problem)) return Refused(name, problem);
  if (head.size() < kSegyFileHeaderBytes) return Refused(name, "its SEG-Y headers are cut short");
  const SegyTextualHeader textual = ReadTextualHeader(head.substr(0, kSegyTextBytes));
  const std::optional<SegyBinaryHeader> found = ReadBinaryHeader(head);
  if (!found) return Refused(name, "its SEG-Y binary header gives no sample format");
  const SegyBinaryHeader binary = *found;
  const std::optional<SampleType> type = SegySampleType(binary.format);
  if (!type) {
    return Refused(name, "its samples are " + DescribeSegyFormat(binary.format) +
                             " (SEG-Y format " + std::to_string(binary.format) +
                             "), which are not read");
  }
  if (binary.additionalTraceHeaders > 0) {
    return Refused(name, "its traces carry " + std::to_string(binary.additionalTraceHeaders) +
                             " more trace headers each (SEG-Y revision 2), which are not read");
  }
  if (binary.trailers > 0) {
    return Refused(name, "its traces are followed by " + std::to_string(binary.trailers) +
                             " data trailer records (SEG-Y revision 2), which are not read");
  }
  input.Skip(kSegyFileHeaderBytes);
  int extended = 0;
  if (!SkipExtendedHeaders(input, binary, &extended, &problem)) {
    return Refused(name, problem);
  }
  const std::uint64_t at = kSegyFileHeaderBytes + std::uint64_t{kSegyTextBytes} * extended;
  if (binary.firstTrace > at) {
    std::uint64_t skipped = 0;
    if (!SkipBytes(input, binary.firstTrace - at, &skipped, &problem))
      return Refused(name, problem);
    if (skipped < binary.firstTrace - at) return Refused(name, "holds no traces");
  }

  TextGridForm form;
  form.kind = TextForm::kSegy;
  form.name = "SEG-Y";
  form.source = "the SEG-Y file";
  form.taken = RevisionText(binary) + ", " + DescribeByteOrder(binary.bigEndian) + ", " +
               DescribeSamples(*type);
  if (extended > 0) {
    form.taken +=
        ", " + std::to_string(extended) + " extended textual header" + (extended == 1 ? "" : "s");
  }
  form.header = LinesWithText(textual, kShownHeaderLines);
  TraceLayout layout;
  layout.samples = {*type, binary.bigEndian};
  layout.defaultSamples = binary.samples;
  layout.interval = binary.interval;
  return ReadTraces(input, layout, name, keepValues, progress, std::move(form));
}
