// Arbitrary bytes as a binary grid, after a first byte that chooses how to read them (raw values
// of a type, column by column, bytes to pass over). An accepted grid holds its count of values,
// all finite (NaN made holes) and within its range, nx x nz of them where its form states its
// sizes. A stream that gives a few bytes at a time and says nothing of its length reads the same
// grid as the whole bytes do: SEG-Y traces put in rows as they are read or transposed afterwards
// alike. A refusal names the input, in printable characters.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "binarygrid/BinaryGridReader.h"
#include "textgrid/GridOrder.h"

namespace {

// Bytes in pieces, its length not known ahead, as a pipe gives them.
class PipeStream : public ByteStream {
 public:
  PipeStream(std::string_view bytes, std::size_t piece) : memory_(bytes, piece) {}
  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override {
    return memory_.Read(buffer, size, got, problem);
  }
  std::uint64_t InputDone() const override { return memory_.InputDone(); }
  std::uint64_t InputSize() const override { return 0; }

 private:
  MemoryStream memory_;
};

TextGridRead Read(ByteStream& bytes, const TextReadingChoices& choices, bool* text) {
  PeekableStream input(bytes);
  BinaryStart start;
  std::string problem;
  if (!TellBinaryStart(input, &start, &problem)) __builtin_trap();  // memory never fails
  *text = start.form == BinaryForm::kText && choices.raw == RawType::kNone;
  if (*text) return {};
  return ReadBinaryGrid(input, start, "fuzz.bin", true, {}, choices);
}

std::uint32_t Bits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The values in rows, as a conversion puts them for the grid file.
void InRows(TextGridRead& read, const TextReadingChoices& choices) {
  const TextGridForm& form = read.form;
  if (!form.statesSizes) return;
  if (!ArrangeGrid(read.values.data(), read.values.size(), static_cast<std::uint64_t>(form.nx),
                   OrderOfValues(form, choices.order), false)) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  TextReadingChoices choices;
  const RawType types[] = {RawType::kNone, RawType::kF32Le, RawType::kF32Be, RawType::kF64Le,
                           RawType::kF64Be};
  choices.raw = types[(choice & 7) % 5];
  choices.order = choice & 8 ? ValueOrder::kColumns : ValueOrder::kRows;
  choices.skipBytes = (choice >> 5) * 4u;

  MemoryStream whole(bytes);
  bool text = false;
  TextGridRead read = Read(whole, choices, &text);
  if (text) return 0;
  PipeStream pipe(bytes, 1 + choice % 7);
  TextGridRead piped = Read(pipe, choices, &text);
  if (read.status.message() != piped.status.message()) __builtin_trap();
  if (!read.ok()) {
    const std::string& message = read.status.message();
    if (message.compare(0, 8, "fuzz.bin") != 0) __builtin_trap();
    for (const char c : message) {
      if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
        __builtin_trap();
      }
    }
    return 0;
  }
  const TextGridForm& form = read.form;
  if (read.values.size() != read.summary.count || read.summary.count == 0) __builtin_trap();
  if (form.statesSizes && static_cast<std::uint64_t>(form.nx) * form.nz != read.summary.count) {
    __builtin_trap();
  }
  if (form.holes > read.summary.count) __builtin_trap();
  for (std::size_t i = 0; i < read.values.size(); ++i) {
    const float value = read.values[i];
    if (!std::isfinite(value) || value < read.summary.minimum || value > read.summary.maximum) {
      __builtin_trap();
    }
  }
  InRows(read, choices);
  InRows(piped, choices);
  if (read.values.size() != piped.values.size()) __builtin_trap();
  for (std::size_t i = 0; i < read.values.size(); ++i) {
    if (Bits(read.values[i]) != Bits(piped.values[i])) __builtin_trap();
  }
  return 0;
}
