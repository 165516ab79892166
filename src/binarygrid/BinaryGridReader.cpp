#include "binarygrid/BinaryGridReader.h"

#include <optional>

#include "binarygrid/BinaryValues.h"
#include "binarygrid/NpyGridReader.h"
#include "binarygrid/RawGridReader.h"
#include "binarygrid/SegyGridReader.h"
#include "binarygrid/SeismicUnixGridReader.h"

namespace {

// The bytes looked at for bytes no text holds.
constexpr std::size_t kTextLookBytes = 4096;

// A byte-order mark starts text whatever follows it (UTF-16 holds zero bytes).
bool StartsAsText(std::string_view head) {
  return head.substr(0, 3) == "\xEF\xBB\xBF" || head.substr(0, 2) == "\xFF\xFE" ||
         head.substr(0, 2) == "\xFE\xFF";
}

// Bytes no text grid holds before a Ctrl-Z (character 26), which ends one: control characters
// other than tab, line ends, vertical tab and form feed.
bool LooksBinary(std::string_view head) {
  for (const char c : head.substr(0, kTextLookBytes)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 26) return false;
    if (byte < 9 || (byte > 13 && byte < 32) || byte == 127) return true;
  }
  return false;
}

// Which Fortran records frame the input, of 4-byte values in either byte order: the first one's
// length, 0 when none.
std::uint64_t AnyFortranRecords(PeekableStream& input, std::string* problem) {
  for (const bool bigEndian : {false, true}) {
    const std::uint64_t bytes = FortranRecordBytes(input, bigEndian, 4, problem);
    if (bytes > 0) return bytes;
  }
  return 0;
}

}  // namespace

bool TellBinaryStart(PeekableStream& input, BinaryStart* start, std::string* problem) {
  *start = BinaryStart();
  std::string_view head;
  if (!input.Peek(kSegyStartBytes, &head, problem)) return false;
  if (StartsAsText(head)) return true;
  if (StartsAsNpy(head)) {
    start->form = BinaryForm::kNpy;
  } else if (StartsAsSegy(head)) {
    start->form = BinaryForm::kSegy;
  } else if (const std::optional<bool> order = SeismicUnixByteOrder(input, problem)) {
    start->form = BinaryForm::kSeismicUnix;
    start->bigEndian = *order;
  } else if (!problem->empty()) {
    return false;
  } else {
    if (!input.Peek(kTextLookBytes, &head, problem)) return false;
    start->form = LooksBinary(head) ? BinaryForm::kUnknown : BinaryForm::kText;
  }
  return true;
}

TextGridRead ReadBinaryGrid(PeekableStream& input, const BinaryStart& start,
                            const std::string& name, bool keepValues, const ReadProgress& progress,
                            const TextReadingChoices& choices, const FinalValues& final) {
  if (choices.raw != RawType::kNone) {
    return ReadRawGrid(input, name, keepValues, progress, choices, final);
  }
  switch (start.form) {
    case BinaryForm::kSegy:
      return ReadSegyGrid(input, name, keepValues, progress);
    case BinaryForm::kSeismicUnix:
      return ReadSeismicUnixGrid(input, start.bigEndian, name, keepValues, progress);
    case BinaryForm::kNpy:
      return ReadNpyGrid(input, name, keepValues, progress, choices, final);
    default:
      break;
  }
  std::string problem;
  const std::uint64_t record = AnyFortranRecords(input, &problem);
  if (!problem.empty()) return Refused(name, problem);
  TextGridRead read = Refused(name, "binary data" +
                                        (record > 0 ? " in Fortran records (the first of " +
                                                          std::to_string(record) + " bytes)"
                                                    : std::string()) +
                                        ", not a text grid, SEG-Y, Seismic Unix or .npy file");
  read.rawUndecided = true;
  return read;
}
