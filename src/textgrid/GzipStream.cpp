#include "textgrid/GzipStream.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <new>

namespace {

constexpr std::size_t kInputBytes = std::size_t{256} << 10;
// zlib reads a gzip header, and only a gzip header, with this many window bits.
constexpr int kGzipWindowBits = 15 + 16;

}  // namespace

GzipStream::GzipStream(ByteStream& compressed) : compressed_(compressed) {}

GzipStream::~GzipStream() {
  if (started_) inflateEnd(zlib_.get());
}

bool GzipStream::Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) {
  *got = 0;
  if (!started_) {
    zlib_.reset(new (std::nothrow) z_stream{});
    input_.reset(new (std::nothrow) char[kInputBytes]);
    if (!zlib_ || !input_ || inflateInit2(zlib_.get(), kGzipWindowBits) != Z_OK) {
      *problem = "not enough memory to load it";
      return false;
    }
    started_ = true;
  }
  z_stream& z = *zlib_;
  z.next_out = reinterpret_cast<Bytef*>(buffer);
  z.avail_out = static_cast<uInt>(std::min<std::size_t>(size, UINT_MAX));
  const uInt wanted = z.avail_out;
  while (z.avail_out > 0 && !(ended_ && z.avail_in == 0)) {
    if (!Inflate(problem)) return false;
  }
  *got = wanted - z.avail_out;
  return true;
}

// One step: more input when zlib has used it all, then as much inflating as it gives.
bool GzipStream::Inflate(std::string* problem) {
  z_stream& z = *zlib_;
  if (z.avail_in == 0) {
    std::size_t read = 0;
    if (!compressed_.Read(input_.get(), kInputBytes, &read, problem)) return false;
    if (read == 0) {
      ended_ = true;
      if (inMember_) {
        *problem = "its gzip data is cut short";
        return false;
      }
      return true;
    }
    z.next_in = reinterpret_cast<Bytef*>(input_.get());
    z.avail_in = static_cast<uInt>(read);
  }
  if (!inMember_) {
    // What follows a member's end must be another member.
    if (*z.next_in != 0x1F) {
      *problem = "its gzip data is followed by other bytes";
      return false;
    }
    inflateReset(&z);
    inMember_ = true;
  }
  const int result = inflate(&z, Z_NO_FLUSH);
  switch (result) {
    case Z_OK:
    case Z_BUF_ERROR:  // no progress without more input: the next step reads it
      return true;
    case Z_STREAM_END:
      inMember_ = false;
      return true;
    case Z_MEM_ERROR:
      *problem = "not enough memory to load it";
      return false;
    default:
      *problem = std::string("its gzip data is damaged (") +
                 (z.msg != nullptr ? z.msg : "not gzip data") + ")";
      return false;
  }
}
