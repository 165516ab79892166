#include "textgrid/TextGridStream.h"

#include <string_view>

namespace {

constexpr std::string_view kGzipMagic = "\x1F\x8B";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

}  // namespace

bool TextGridStream::Open(std::string* problem) {
  std::string_view head;
  if (!input_.Peek(kGzipMagic.size(), &head, problem)) return false;
  ByteStream* decoded = &input_;
  if (head == kGzipMagic) {
    gzip_ = std::make_unique<GzipStream>(input_);
    decoded = gzip_.get();
  }
  decoded_ = std::make_unique<PeekableStream>(*decoded);
  if (!decoded_->Peek(kUtf8ByteOrderMark.size(), &head, problem)) return false;
  ByteStream* text = decoded_.get();
  if (head == kUtf8ByteOrderMark) {
    decoded_->Skip(kUtf8ByteOrderMark.size());
  } else if (head.substr(0, 2) == kUtf16LittleEndianMark ||
             head.substr(0, 2) == kUtf16BigEndianMark) {
    const bool bigEndian = head.substr(0, 2) == kUtf16BigEndianMark;
    decoded_->Skip(2);
    utf16_ = std::make_unique<Utf16Stream>(*decoded_, bigEndian);
    text = utf16_.get();
    encoding_ = bigEndian ? "UTF-16 BE" : "UTF-16 LE";
  }
  text_ = std::make_unique<PeekableStream>(*text);
  return true;
}
