#pragma once
// The text of a grid from the bytes of its input, told by their first bytes, not by a name:
// gzip data (1F 8B) is inflated as it is read; a UTF-8 byte-order mark at the start of the text
// (as Windows Notepad writes one) is skipped, and a UTF-16 one (FF FE, FE FF: Notepad's
// "Unicode") makes the text read as UTF-8. Each form is one decoder stacked on the stream below
// it; the text's first bytes can be looked at before the values are read.

#include <memory>
#include <string>

#include "textgrid/ByteStream.h"
#include "textgrid/GzipStream.h"
#include "textgrid/Utf16Stream.h"

class TextGridStream {
 public:
  explicit TextGridStream(ByteStream& input) : input_(input) {}

  // Looks at the first bytes and stacks the decoders they call for. False with the problem (said
  // after the input's name) when the input cannot be read.
  bool Open(std::string* problem);
  // The text, once open.
  PeekableStream& Text() { return *text_; }
  // "UTF-16 LE" or "UTF-16 BE" for a text transcoded from UTF-16; else empty.
  const std::string& Encoding() const { return encoding_; }

 private:
  PeekableStream input_;
  std::unique_ptr<GzipStream> gzip_;
  std::unique_ptr<PeekableStream> decoded_;
  std::unique_ptr<Utf16Stream> utf16_;
  std::unique_ptr<PeekableStream> text_;
  std::string encoding_;
};
