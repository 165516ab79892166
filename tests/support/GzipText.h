#pragma once
// Text as a gzip file holds it, made with zlib as the gzip program makes it; and why zlib
// refuses damaged gzip data.

#include <zlib.h>

#include <string>
#include <string_view>

inline std::string GzipOf(std::string_view text) {
  z_stream z{};
  deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(text.size())) + 32, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  z.avail_in = static_cast<uInt>(text.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// zlib's own reason for refusing gzip data, inflated whole; "" when it takes it.
inline std::string ZlibReason(std::string_view gzip) {
  z_stream z{};
  inflateInit2(&z, 15 + 16);
  std::string out(1 << 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.data()));
  z.avail_in = static_cast<uInt>(gzip.size());
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    result = inflate(&z, Z_NO_FLUSH);
  }
  const std::string reason = result == Z_STREAM_END || z.msg == nullptr ? "" : z.msg;
  inflateEnd(&z);
  return reason;
}
