#pragma once
// Text saved as UTF-16 (Windows Notepad's "Unicode", Excel's "Unicode Text"), read as UTF-8: the
// parser reads ASCII digits and separators, and anything else shows in a message as the bytes
// of its UTF-8. A code unit left without its pair (a lone surrogate, an odd last byte) reads as
// U+FFFD.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "textgrid/ByteStream.h"

class Utf16Stream : public ByteStream {
 public:
  // `encoded`: the UTF-16 text after its byte-order mark.
  Utf16Stream(ByteStream& encoded, bool bigEndian);

  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override;
  std::uint64_t InputDone() const override { return encoded_.InputDone(); }
  std::uint64_t InputSize() const override { return encoded_.InputSize(); }

 private:
  // At least `bytes` encoded bytes waiting, unless the text ends sooner.
  bool Want(std::size_t bytes, std::string* problem);
  std::uint32_t Unit(std::size_t at) const;

  ByteStream& encoded_;
  const bool bigEndian_;
  std::unique_ptr<unsigned char[]> input_;
  std::size_t start_ = 0, end_ = 0;  // the bytes of input_ not yet decoded
  bool ended_ = false;
  char pending_[4] = {};  // a character's UTF-8 that did not fit the last read
  std::size_t pendingSize_ = 0, pendingTaken_ = 0;
};
