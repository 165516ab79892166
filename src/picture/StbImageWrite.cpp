// The one place where stb_image_write's functions are compiled. Only its in-memory writers are
// used, so its file functions (and their Windows-specific name handling) are left out. Its
// deflate gives way to zlib's: run-length matching on the filtered rows compresses a picture as
// well as stb's own search in less than half the time, which matters on the largest grids.
#include <zlib.h>

#include <cstdlib>

namespace {

unsigned char* ZlibCompress(unsigned char* data, int size, int* compressedSize, int /*quality*/) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return nullptr;
  const uLong bound = deflateBound(&stream, static_cast<uLong>(size));
  // stb releases the stream with free(), as it does its own.
  auto* out = static_cast<unsigned char*>(std::malloc(bound));
  stream.next_in = data;
  stream.avail_in = static_cast<uInt>(size);
  stream.next_out = out;
  stream.avail_out = static_cast<uInt>(bound);
  const bool done = out != nullptr && deflate(&stream, Z_FINISH) == Z_STREAM_END;
  deflateEnd(&stream);
  if (!done) {
    std::free(out);
    return nullptr;
  }
  *compressedSize = static_cast<int>(bound - stream.avail_out);
  return out;
}

}  // namespace

#define STBIW_ZLIB_COMPRESS ZlibCompress
// zlib's checksum of the chunks, too: stb's own goes a byte at a time.
#define STBIW_CRC32(buffer, length) \
  static_cast<unsigned int>(crc32(0, buffer, static_cast<uInt>(length)))
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
