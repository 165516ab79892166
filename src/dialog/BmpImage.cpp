#include "dialog/BmpImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

const char kNotBmpFileMessage[] = "Not Bmp File";

namespace {

// Offsets inside the block (the info header starts it).
constexpr size_t kWidthOffset = 4;
constexpr size_t kHeightOffset = 8;
constexpr size_t kPlanesOffset = 12;
constexpr size_t kBitCountOffset = 14;
constexpr size_t kCompressionOffset = 16;
constexpr size_t kClrUsedOffset = 32;

constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionBitFields = 3;
// Headers shorter than the V4 header keep their three colour masks after the header.
constexpr size_t kV4HeaderSize = 108;
constexpr size_t kColourMasksSize = 12;

uint16_t ReadU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t ReadU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool HasSignature(const unsigned char* file, size_t size) {
  return size >= BmpImage::kFileHeaderSize && file[0] == 'B' && file[1] == 'M';
}

bool IsDrawableFormat(int bitCount, uint32_t compression) {
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      return compression == kCompressionRgb;
    case 16:
    case 32:
      return compression == kCompressionRgb || compression == kCompressionBitFields;
    default:
      return false;
  }
}

// Allocates without throwing: a picture that cannot be allocated is simply not drawn.
std::unique_ptr<unsigned char[]> Allocate(size_t size) {
  return std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[size > 0 ? size : 1]);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void BmpImage::Clear(BmpReadResult result) {
  block.reset();
  blockSize = 0;
  bits = nullptr;
  width = 0;
  height = 0;
  topDown = false;
  rowStride = 0;
  infoSize = 0;
  readResult = result;
}

BmpReadResult BmpImage::Load(const std::string& path) {
  Clear(BmpReadResult::kCannotRead);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return readResult;

  unsigned char fileHeader[kFileHeaderSize];
  const size_t headerRead = std::fread(fileHeader, 1, sizeof fileHeader, file.get());
  if (!HasSignature(fileHeader, headerRead)) {
    Clear(BmpReadResult::kNoSignature);
    return readResult;
  }

  // The block is the rest of the file; its length comes from the file's end.
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return readResult;
  const long fileLength = std::ftell(file.get());
  if (fileLength < static_cast<long>(kFileHeaderSize)) return readResult;
  if (std::fseek(file.get(), static_cast<long>(kFileHeaderSize), SEEK_SET) != 0) {
    return readResult;
  }
  const size_t size = static_cast<size_t>(fileLength) - kFileHeaderSize;
  std::unique_ptr<unsigned char[]> data = Allocate(size);
  if (!data) return readResult;
  if (std::fread(data.get(), 1, size, file.get()) != size) return readResult;
  return Take(std::move(data), size);
}

BmpReadResult BmpImage::Parse(const unsigned char* file, size_t size) {
  Clear(BmpReadResult::kCannotRead);
  if (file == nullptr || !HasSignature(file, size)) {
    Clear(BmpReadResult::kNoSignature);
    return readResult;
  }
  const size_t rest = size - kFileHeaderSize;
  std::unique_ptr<unsigned char[]> data = Allocate(rest);
  if (!data) return readResult;
  if (rest > 0) std::memcpy(data.get(), file + kFileHeaderSize, rest);
  return Take(std::move(data), rest);
}

// Checks that a 1:1 drawing of the whole bitmap reads only inside the block, then keeps it.
BmpReadResult BmpImage::Take(std::unique_ptr<unsigned char[]> data, size_t size) {
  const unsigned char* p = data.get();
  if (size < kInfoHeaderSize) {
    Clear(BmpReadResult::kHeaderOutsideFile);
    return readResult;
  }
  // All sizes below are 64-bit sums of 32-bit values, so none can wrap.
  const uint64_t headerSize = ReadU32(p);
  const uint64_t clrUsed = ReadU32(p + kClrUsedOffset);
  const uint64_t bitsOffset = headerSize + 4 * clrUsed;
  if (headerSize > size || bitsOffset > size) {
    Clear(BmpReadResult::kBitsOutsideBlock);
    return readResult;
  }

  const int32_t rawWidth = static_cast<int32_t>(ReadU32(p + kWidthOffset));
  const int32_t rawHeight = static_cast<int32_t>(ReadU32(p + kHeightOffset));
  const int planes = ReadU16(p + kPlanesOffset);
  const int bitsPerPixel = ReadU16(p + kBitCountOffset);
  const uint32_t compression = ReadU32(p + kCompressionOffset);
  // A smaller (core) header has another layout; width and height must name real pixels.
  if (headerSize < kInfoHeaderSize || planes != 1 || !IsDrawableFormat(bitsPerPixel, compression) ||
      rawWidth <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) {
    Clear(BmpReadResult::kUnsupportedFormat);
    return readResult;
  }

  // What the drawing reads as bitmap information: a palette format reads biClrUsed entries,
  // or the full palette when biClrUsed is 0; bit fields below a V4 header read three masks.
  uint64_t info = bitsOffset;
  if (bitsPerPixel <= 8) {
    const uint64_t paletteEntries = uint64_t{1} << bitsPerPixel;
    if (clrUsed > paletteEntries) {
      Clear(BmpReadResult::kUnsupportedFormat);
      return readResult;
    }
    info = std::max(info, headerSize + 4 * (clrUsed == 0 ? paletteEntries : clrUsed));
  }
  if (compression == kCompressionBitFields && headerSize < kV4HeaderSize) {
    info = std::max(info, headerSize + kColourMasksSize);
  }

  const uint64_t rows = rawHeight < 0 ? -static_cast<int64_t>(rawHeight) : rawHeight;
  const uint64_t stride = (static_cast<uint64_t>(rawWidth) * bitsPerPixel + 31) / 32 * 4;
  const uint64_t available = size - bitsOffset;
  if (info > size || rows > available / stride) {
    Clear(BmpReadResult::kRowsOutsideBlock);
    return readResult;
  }

  block = std::move(data);
  blockSize = size;
  bits = block.get() + bitsOffset;
  width = rawWidth;
  height = static_cast<int>(rows);
  topDown = rawHeight < 0;
  rowStride = static_cast<size_t>(stride);
  infoSize = static_cast<size_t>(info);
  readResult = BmpReadResult::kLoaded;
  return readResult;
}

BmpDrawnSize DrawnSize(const BmpImage& image, int areaWidth, int areaHeight) {
  BmpDrawnSize drawn;
  if (!image.HasData() || areaWidth <= 0 || areaHeight <= 0) return drawn;
  drawn.width = std::min(image.Width(), areaWidth);
  drawn.height = std::min(image.Height(), areaHeight);
  return drawn;
}
