#pragma once
// Text whose commas are decimal marks (as a European Excel writes numbers), read as the parser
// reads decimal points: each comma becomes a point, and each semicolon, the separator that goes
// with decimal commas, a space. Bytes keep their places, so lines and offsets stay as they are.

#include <cstddef>
#include <cstdint>
#include <string>

#include "textgrid/ByteStream.h"

class DecimalCommaStream : public ByteStream {
 public:
  explicit DecimalCommaStream(ByteStream& text) : text_(text) {}

  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override;
  std::uint64_t Remaining() const override { return text_.Remaining(); }
  std::uint64_t InputDone() const override { return text_.InputDone(); }
  std::uint64_t InputSize() const override { return text_.InputSize(); }

 private:
  ByteStream& text_;
};
