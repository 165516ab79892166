#include "textgrid/TextGridStream.h"

#include <string_view>

namespace {

constexpr std::string_view kGzipMagic = "\x1F\x8B";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool TextGridStream::Open(std::string* problem) {
  std::string_view head;
  if (!input_.Peek(kGzipMagic.size(), &head, problem)) return false;
  ByteStream* text = &input_;
  if (head == kGzipMagic) {
    gzip_ = std::make_unique<GzipStream>(input_);
    text = gzip_.get();
  }
  text_ = std::make_unique<PeekableStream>(*text);
  if (!text_->Peek(kUtf8ByteOrderMark.size(), &head, problem)) return false;
  if (head == kUtf8ByteOrderMark) text_->Skip(kUtf8ByteOrderMark.size());
  return true;
}
