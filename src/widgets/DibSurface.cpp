#include "widgets/DibSurface.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

void Put16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The header in the platform's byte order, whatever the host's.
void WriteHeader(std::uint8_t* at, const DibHeader& header) {
  Put32(at + 0, header.biSize);
  Put32(at + 4, static_cast<std::uint32_t>(header.biWidth));
  Put32(at + 8, static_cast<std::uint32_t>(header.biHeight));
  Put16(at + 12, header.biPlanes);
  Put16(at + 14, header.biBitCount);
  Put32(at + 16, header.biCompression);
  Put32(at + 20, header.biSizeImage);
  Put32(at + 24, static_cast<std::uint32_t>(header.biXPelsPerMeter));
  Put32(at + 28, static_cast<std::uint32_t>(header.biYPelsPerMeter));
  Put32(at + 32, header.biClrUsed);
  Put32(at + 36, header.biClrImportant);
}

std::uint16_t NormalisedDepth(std::uint16_t depth) {
  if (depth <= 1) return 1;
  if (depth <= 4) return 4;
  if (depth <= 8) return 8;
  return 24;
}

}  // namespace

std::uint8_t* DibSurface::Allocate(std::int32_t width, std::int32_t height, std::uint16_t depth) {
  Release();
  const std::uint16_t bits = NormalisedDepth(depth);
  paletteCount = bits == 24 ? 0 : static_cast<std::uint16_t>(1u << bits);
  rowBytes = ((bits * static_cast<std::uint32_t>(width) + 31u) >> 5) << 2;

  header = DibHeader{};
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biSizeImage = rowBytes * static_cast<std::uint32_t>(height);

  // A negative size, or one whose bytes do not fit the header's 32-bit fields, would make
  // the block smaller than the picture it describes: no image then.
  if (width < 0 || height < 0) return nullptr;
  const std::uint64_t exactRow =
      ((std::uint64_t{bits} * static_cast<std::uint64_t>(width) + 31u) >> 5) << 2;
  const std::uint64_t exactImage = exactRow * static_cast<std::uint64_t>(height);
  if (exactImage > std::numeric_limits<std::uint32_t>::max() - kHeaderBytes - PaletteBytes()) {
    return nullptr;
  }

  // Zeroed, so that a table or pixel the caller leaves unset never shows stale memory.
  block.reset(new (std::nothrow) std::uint8_t[BlockSize()]());
  if (!block) return nullptr;
  WriteHeader(block.get(), header);
  return block.get();
}

void DibSurface::Release() { block.reset(); }

bool DibSurface::CopyRgbRows(const std::uint8_t* rgb, std::int32_t width, std::int32_t height) {
  if (Allocate(width, height, 24) == nullptr) return false;
  const std::size_t rowPixels = static_cast<std::size_t>(width);
  for (std::int32_t y = 0; y < height; ++y) {
    // The platform stores blue, green, red, the bottom row first.
    const std::uint8_t* from = rgb + static_cast<std::size_t>(y) * rowPixels * 3;
    std::uint8_t* to = PixelData() + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    for (std::size_t x = 0; x < rowPixels; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return true;
}

std::uint8_t* DibSurface::PixelData() {
  return block ? block.get() + kHeaderBytes + PaletteBytes() : nullptr;
}

const std::uint8_t* DibSurface::PixelData() const {
  return block ? block.get() + kHeaderBytes + PaletteBytes() : nullptr;
}

std::uint16_t DibSurface::PaletteBytes() const {
  return static_cast<std::uint16_t>(4u * paletteCount);
}

std::uint32_t DibSurface::BlockSize() const {
  return PaletteBytes() + header.biSizeImage + header.biSize;
}

void DibSurface::PutPaletteColour(std::uint8_t index, std::uint8_t red, std::uint8_t green,
                                  std::uint8_t blue) {
  if (!block || paletteCount == 0 || index >= paletteCount) return;
  std::uint8_t* entry = block.get() + kHeaderBytes + 4u * index;
  entry[0] = blue;
  entry[1] = green;
  entry[2] = red;
  entry[3] = 0;
}

void DibSurface::TintPalette(std::uint32_t colour, int percent) {
  if (!block || paletteCount == 0) return;
  const std::int64_t share = std::min(percent, 100);
  // Entries are stored blue, green, red; a COLORREF holds red in its low byte.
  const std::int64_t target[3] = {(colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF};
  std::uint8_t* entry = block.get() + kHeaderBytes;
  for (std::uint32_t i = 0; i < paletteCount; ++i, entry += 4) {
    for (int k = 0; k < 3; ++k) {
      entry[k] = static_cast<std::uint8_t>((target[k] * share + entry[k] * (100 - share)) / 100);
    }
  }
}

std::int64_t DibSurface::PixelOffset(std::int32_t x, std::int32_t y) const {
  if (!block || paletteCount == 0) return -1;
  if (x < 0 || x >= header.biWidth || y < 0 || y >= header.biHeight) return -1;
  const std::int64_t offset =
      std::int64_t{header.biHeight - y - 1} * rowBytes + static_cast<std::int64_t>(x);
  // At 1 and 4 bits a row holds fewer bytes than pixels: never past the pixel bytes.
  if (offset >= header.biSizeImage) return -1;
  return offset;
}

void DibSurface::PutPixel(std::int32_t x, std::int32_t y, std::uint8_t value) {
  const std::int64_t offset = PixelOffset(x, y);
  if (offset >= 0) PixelData()[offset] = value;
}

std::uint8_t DibSurface::PixelAt(std::int32_t x, std::int32_t y) const {
  const std::int64_t offset = PixelOffset(x, y);
  return offset >= 0 ? PixelData()[offset] : 0;
}

std::uint32_t DibSurface::PaletteColour(std::uint8_t index) const {
  if (!block || index >= paletteCount) return 0;
  const std::uint8_t* entry = block.get() + kHeaderBytes + 4u * index;
  return entry[2] | (std::uint32_t{entry[1]} << 8) | (std::uint32_t{entry[0]} << 16);
}

void DibSurface::Fill(std::uint8_t value) {
  if (block) std::memset(PixelData(), value, header.biSizeImage);
}

void DibSurface::CopyFrom(const DibSurface& other) {
  if (&other == this) return;  // allocating first would free the source
  if (!other.block) {
    Release();
    return;
  }
  if (Allocate(other.header.biWidth, other.header.biHeight, other.header.biBitCount)) {
    std::memcpy(block.get(), other.block.get(), std::min(BlockSize(), other.BlockSize()));
  }
}
