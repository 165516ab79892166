#include "binarygrid/RawGridReader.h"

#include <algorithm>
#include <string_view>

#include "binarygrid/BinaryValues.h"
#include "binarygrid/ByteOrder.h"
#include "binarygrid/SampleDecoding.h"

namespace {

// The longest first record confirmed by looking ahead at its closing marker.
constexpr std::uint64_t kLookAheadBytes = std::uint64_t{8} << 20;

SampleLayout LayoutOf(RawType raw) {
  switch (raw) {
    case RawType::kF32Be:
      return {SampleType::kFloat32, true};
    case RawType::kF64Le:
      return {SampleType::kFloat64, false};
    case RawType::kF64Be:
      return {SampleType::kFloat64, true};
    default:
      return {SampleType::kFloat32, false};
  }
}

std::string Plural(std::uint64_t count, const std::string& what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

// Reads the records after the first one's length is known; refused with the problem.
bool ReadRecords(PeekableStream& input, std::uint64_t length, bool bigEndian, ValuePieces& pieces,
                 std::uint64_t* records, std::string* problem) {
  for (*records = 0;; ++*records) {
    char marker[4];
    std::size_t got = 0;
    if (!ReadFully(input, marker, 4, &got, problem)) return false;
    const std::string record = "Fortran record " + std::to_string(*records + 1);
    if (got == 0 && *records > 0) return true;
    if (got < 4) {
      *problem = record + " is cut short in its length marker";
      return false;
    }
    const std::uint64_t bytes = LoadU32(marker, bigEndian);
    if (bytes != length) {
      *problem = record + " holds " + std::to_string(bytes) + " bytes, but record" +
                 (*records == 1 ? " 1 holds " : "s 1 to " + std::to_string(*records) + " hold ") +
                 std::to_string(length) + ": every record must hold as many";
      if (*records == 1) {
        *problem += " (passing over the first " + std::to_string(length + 8) +
                    " bytes leaves record 1 out)";
      }
      return false;
    }
    std::uint64_t read = 0;
    std::size_t rest = 0;
    if (!pieces.Read(bytes, &read, &rest, problem)) return false;
    if (read < bytes) {
      *problem = record + " is cut short: " + std::to_string(read) + " of its " +
                 std::to_string(bytes) + " bytes";
      return false;
    }
    if (!ReadFully(input, marker, 4, &got, problem)) return false;
    if (got < 4 || LoadU32(marker, bigEndian) != bytes) {
      *problem = record + " does not end with its length marker (" + std::to_string(bytes) +
                 " bytes): the records are damaged";
      return false;
    }
  }
}

}  // namespace

std::uint64_t FortranRecordBytes(PeekableStream& input, bool bigEndian, std::size_t valueBytes,
                                 std::string* problem) {
  std::string_view head;
  if (!input.Peek(4, &head, problem) || head.size() < 4) return 0;
  const std::uint64_t length = LoadU32(head.data(), bigEndian);
  const std::uint64_t remaining = input.Remaining();
  if (length == 0 || length % valueBytes != 0 || length > 0x7FFFFFFF) return 0;
  if (remaining != kUnknownSize && length + 8 > remaining) return 0;
  if (length + 8 <= kLookAheadBytes) {
    const std::size_t framed = static_cast<std::size_t>(length + 8);
    if (!input.Peek(framed, &head, problem) || head.size() < framed) return 0;
    return LoadU32(head.data() + length + 4, bigEndian) == length ? length : 0;
  }
  // Too long to look ahead at: a known length must be records of it.
  return remaining != kUnknownSize && remaining % (length + 8) == 0 ? length : 0;
}

TextGridRead ReadRawGrid(PeekableStream& input, const std::string& name, bool keepValues,
                         const ReadProgress& progress, const TextReadingChoices& choices,
                         const FinalValues& final) {
  const SampleLayout layout = LayoutOf(choices.raw);
  const std::size_t size = BytesOf(layout.type);
  std::string problem;
  std::uint64_t skipped = 0;
  if (!SkipBytes(input, choices.skipBytes, &skipped, &problem)) return Refused(name, problem);
  if (skipped < choices.skipBytes) {
    return Refused(name, "holds " + Plural(skipped, "byte") + ", not the " +
                             std::to_string(choices.skipBytes) + " to pass over");
  }
  TextGridForm form;
  form.kind = TextForm::kRaw;
  form.name = "raw values";
  form.taken = DescribeSamples(layout.type) + ", " + DescribeByteOrder(layout.bigEndian);
  if (choices.skipBytes > 0) form.taken += ", after " + Plural(choices.skipBytes, "byte");

  const std::uint64_t record = FortranRecordBytes(input, layout.bigEndian, size, &problem);
  if (!problem.empty()) return Refused(name, problem);
  std::string_view head;
  if (!input.Peek(4, &head, &problem)) return Refused(name, problem);
  const std::uint64_t marker = head.size() == 4 ? LoadU32(head.data(), layout.bigEndian) : 0;
  const bool inRows = choices.order == ValueOrder::kRows && !choices.flipZ;
  BinaryValues values(keepValues, final);
  const std::uint64_t remaining = input.Remaining();
  if (remaining != kUnknownSize && remaining / size > kMaxTextGridValues) {
    return Refused(name, "holds more than " + std::to_string(kMaxTextGridValues) + " values");
  }
  if (!values.Expect(remaining == kUnknownSize ? 0 : remaining / size)) {
    return Refused(name, "not enough memory to load it");
  }
  ValuePieces pieces(input, layout, values, inRows, progress,
                     [](std::uint64_t i) { return "value " + std::to_string(i + 1); });
  if (record > 0) {
    std::uint64_t records = 0;
    if (!ReadRecords(input, record, layout.bigEndian, pieces, &records, &problem)) {
      return Refused(name, problem);
    }
    const std::uint64_t length = record / size;
    form.taken += ", in " + Plural(records, "Fortran record") + " of " + Plural(length, "value");
    // Records of one value, like one record of all, say nothing of the grid's sizes, as values
    // one a line or all on one line say nothing of them.
    if (std::min(records, length) > 1) {
      const bool columns = choices.order == ValueOrder::kColumns;
      form.statesSizes = true;
      form.nx = static_cast<std::int32_t>(columns ? records : length);
      form.nz = static_cast<std::int32_t>(columns ? length : records);
      form.source = "the Fortran record length";
    }
  } else {
    std::uint64_t read = 0;
    std::size_t rest = 0;
    if (!pieces.Read(kUnknownSize, &read, &rest, &problem)) return Refused(name, problem);
    if (rest != 0) {
      return Refused(name, "holds " + Plural(read, "byte") + ", not a whole number of " +
                               std::to_string(size) + "-byte values (" +
                               Plural(read / size, "value") + " and " + Plural(rest, "byte") + ")");
    }
    // One record too long to be told ahead, through a pipe: its markers end up among the values.
    const std::string& last = pieces.LastBytes();
    if (remaining == kUnknownSize && marker > 0 && read == marker + 8 && last.size() == 4 &&
        LoadU32(last.data(), layout.bigEndian) == marker) {
      return Refused(name, "holds one Fortran record of " + Plural(marker, "byte") +
                               ", too long to be told ahead from a stream; give it as a file");
    }
  }
  if (values.Count() == 0) return Refused(name, "holds no values");
  return values.Finish(std::move(form));
}
