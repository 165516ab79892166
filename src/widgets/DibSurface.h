#pragma once

#include <cstdint>
#include <memory>

// The platform's device context handle (HDC) without the platform headers.
struct HDC__;

// The fields of the platform's BITMAPINFOHEADER, in its order (40 bytes little-endian).
struct DibHeader {
  std::uint32_t biSize = 40;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 0;
  std::uint16_t biBitCount = 0;
  std::uint32_t biCompression = 0;
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};

// A device-independent bitmap in one owned block laid out as the platform's packed DIB:
// the 40-byte header, the colour table (blue, green, red, 0 per entry), then the pixel
// rows, bottom row first, each padded to a multiple of 4 bytes. The block goes to the
// platform's painting call unchanged.
//
// Colours given as one value are COLORREFs: red in bits 0-7, green 8-15, blue 16-23.
class DibSurface {
 public:
  static constexpr std::uint32_t kHeaderBytes = 40;

  DibSurface() = default;
  DibSurface(const DibSurface&) = delete;  // images are duplicated with CopyFrom only
  DibSurface& operator=(const DibSurface&) = delete;

  // Discards any image and allocates one of the size; depths are normalised to 1, 4, 8
  // or 24 bits. The colour table and pixels are left for the caller to write. Returns the
  // block, or nullptr (and no image) when memory runs out, a size is negative or the block
  // would not fit the header's 32-bit sizes.
  std::uint8_t* Allocate(std::int32_t width, std::int32_t height, std::uint16_t depth);
  void Release();

  bool HasImage() const { return block != nullptr; }
  // The bottom stored row, or nullptr without an image.
  std::uint8_t* PixelData();
  const std::uint8_t* PixelData() const;
  std::uint16_t PaletteBytes() const;
  std::uint32_t BlockSize() const;

  // Ignored without a colour table or with an index beyond it.
  void PutPaletteColour(std::uint8_t index, std::uint8_t red, std::uint8_t green,
                        std::uint8_t blue);
  // Moves every table entry toward the colour by percent (above 100 counts as 100).
  void TintPalette(std::uint32_t colour, int percent);
  // One byte per pixel, y counted from the top; ignored outside the image.
  void PutPixel(std::int32_t x, std::int32_t y, std::uint8_t value);
  // Every pixel byte, row padding included.
  void Fill(std::uint8_t value);
  // This surface becomes an exact copy of the other (no image when the other has none).
  void CopyFrom(const DibSurface& other);
  // Becomes a 24-bit image of RGB pixels, three bytes each, rows from the top. False (and no
  // image) when it cannot be allocated.
  bool CopyRgbRows(const std::uint8_t* rgb, std::int32_t width, std::int32_t height);

  // Draws the image 1:1 with its top-left corner at (x, y). False without an image or context.
  bool Paint(HDC__* deviceContext, std::int32_t x, std::int32_t y) const;

  // Reading back, for the drawing code and for tests.
  const DibHeader& Header() const { return header; }
  std::uint32_t RowBytes() const { return rowBytes; }
  std::uint16_t PaletteCount() const { return paletteCount; }
  const std::uint8_t* Block() const { return block.get(); }
  std::int32_t Width() const { return header.biWidth; }
  std::int32_t Height() const { return header.biHeight; }
  // The colour-table entry as a COLORREF; 0 outside the table.
  std::uint32_t PaletteColour(std::uint8_t index) const;
  // The byte PutPixel would write, y counted from the top; 0 outside the image.
  std::uint8_t PixelAt(std::int32_t x, std::int32_t y) const;

 private:
  // Offset of the pixel byte from the pixel data, or -1 when it lies outside.
  std::int64_t PixelOffset(std::int32_t x, std::int32_t y) const;

  std::unique_ptr<std::uint8_t[]> block;
  DibHeader header;
  std::uint32_t rowBytes = 0;
  std::uint16_t paletteCount = 0;
};
