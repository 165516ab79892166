// A bitmap file held in memory and drawn unscaled (the help picture's images).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The message shown for a picture file the program cannot use.
extern const char kNotBmpFileMessage[];

// How reading a bitmap ended. Every outcome but kLoaded leaves the image without data,
// and the caller shows kNotBmpFileMessage for each of them alike.
enum class BmpReadResult {
  kLoaded,
  kCannotRead,         // the file could not be opened or read whole
  kNoSignature,        // shorter than the 14-byte file header, or not starting with "BM"
  kHeaderOutsideFile,  // shorter than the info header
  kUnsupportedFormat,  // an info header or pixel format the drawing cannot take safely
  kBitsOutsideBlock,   // biSize and biClrUsed place the pixel bits past the end
  kRowsOutsideBlock,   // the pixel rows (or the colour table) would be read past the end
};

// A bitmap file read whole: `block` is the file after its 14-byte file header, so it starts
// with the info header and serves as the drawing call's bitmap information; `bits` lies at
// block + biSize + 4 * biClrUsed (the file header's offset of the bits is not used).
// An image holds data only when everything a 1:1 drawing reads lies inside the block.
class BmpImage {
 public:
  static constexpr size_t kFileHeaderSize = 14;
  static constexpr size_t kInfoHeaderSize = 40;

  BmpImage() = default;
  BmpImage(const BmpImage&) = delete;
  BmpImage& operator=(const BmpImage&) = delete;

  // Replaces the image by the file at `path` (narrow path in the system code page).
  BmpReadResult Load(const std::string& path);
  // Replaces the image by a whole bitmap file given as bytes in memory.
  BmpReadResult Parse(const unsigned char* file, size_t size);

  BmpReadResult ReadResult() const { return readResult; }
  bool HasData() const { return block != nullptr; }

  // The info header, colour table and pixels; null without data.
  const unsigned char* Block() const { return block.get(); }
  size_t BlockSize() const { return blockSize; }
  // The first pixel row in memory (the bottom row of a bottom-up bitmap); null without data.
  const unsigned char* Bits() const { return bits; }

  int Width() const { return width; }
  // Number of rows, positive for bottom-up and top-down bitmaps alike.
  int Height() const { return height; }
  bool IsTopDown() const { return topDown; }
  // Bytes per pixel row, padded to 32 bits.
  size_t RowStride() const { return rowStride; }
  // Bytes from the start of the block that the drawing reads as bitmap information:
  // the info header, the colour masks and the colour table.
  size_t InfoSize() const { return infoSize; }

 private:
  BmpReadResult Take(std::unique_ptr<unsigned char[]> data, size_t size);
  void Clear(BmpReadResult result);

  std::unique_ptr<unsigned char[]> block;
  size_t blockSize = 0;
  const unsigned char* bits = nullptr;
  int width = 0;
  int height = 0;
  bool topDown = false;
  size_t rowStride = 0;
  size_t infoSize = 0;
  BmpReadResult readResult = BmpReadResult::kCannotRead;
};

// The part of a width x height picture area that a 1:1 drawing of `image` covers,
// from the image's origin: the smaller of the two sizes; 0 x 0 for an image without data.
struct BmpDrawnSize {
  int width = 0;
  int height = 0;
};
BmpDrawnSize DrawnSize(const BmpImage& image, int areaWidth, int areaHeight);
