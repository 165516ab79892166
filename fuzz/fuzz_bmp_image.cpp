// Arbitrary bytes as a bitmap file. Whatever BmpImage accepts, every byte that drawing it
// would read (the bitmap information and all pixel rows) is read here, so the address
// sanitizer catches any read past the block.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dialog/BmpImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BmpImage image;
  const BmpReadResult result = image.Parse(data, size);
  if (result != BmpReadResult::kLoaded) {
    if (image.HasData() || image.Bits() != nullptr) std::abort();
    return 0;
  }
  if (!image.HasData() || image.BlockSize() != size - BmpImage::kFileHeaderSize) std::abort();

  const unsigned char* block = image.Block();
  unsigned sum = 0;
  for (size_t i = 0; i < image.InfoSize(); ++i) sum += block[i];

  // The drawing reads rows from the first one in memory; check them all, not only 37.
  const unsigned char* bits = image.Bits();
  const size_t pixelBytes = image.RowStride() * static_cast<size_t>(image.Height());
  if (bits < block || image.Width() <= 0 || image.Height() <= 0) std::abort();
  if (static_cast<size_t>(bits - block) + pixelBytes > image.BlockSize()) std::abort();
  for (size_t i = 0; i < pixelBytes; ++i) sum += bits[i];

  const BmpDrawnSize drawn = DrawnSize(image, 78, 37);
  if (drawn.width > image.Width() || drawn.height > image.Height()) std::abort();
  volatile unsigned sink = sum;
  (void)sink;
  return 0;
}
