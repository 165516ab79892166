#include "dialog/BmpImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dialog/BmpTestFiles.h"

using bmp_test::MakeBmp;
using bmp_test::MakeBmp24;
using bmp_test::MakeBmp8;
using bmp_test::PutU16;
using bmp_test::PutU32;

namespace {

BmpReadResult ParseInto(BmpImage& image, const std::vector<unsigned char>& file) {
  return image.Parse(file.data(), file.size());
}

void ExpectNoData(const BmpImage& image) {
  EXPECT_FALSE(image.HasData());
  EXPECT_EQ(image.Block(), nullptr);
  EXPECT_EQ(image.Bits(), nullptr);
  EXPECT_EQ(image.BlockSize(), 0u);
  const BmpDrawnSize drawn = DrawnSize(image, 78, 37);
  EXPECT_EQ(drawn.width, 0);
  EXPECT_EQ(drawn.height, 0);
}

std::vector<unsigned char> With(std::vector<unsigned char> file, size_t at, uint32_t value) {
  PutU32(file, at, value);
  return file;
}

std::vector<unsigned char> With16(std::vector<unsigned char> file, size_t at, uint32_t value) {
  PutU16(file, at, value);
  return file;
}

std::vector<unsigned char> Cut(std::vector<unsigned char> file, size_t size) {
  file.resize(size);
  return file;
}

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<unsigned char> WithOffBits(std::vector<unsigned char> file, uint32_t offBits) {
  PutU32(file, 10, offBits);
  return file;
}

struct GoodFile {
  const char* name;
  std::vector<unsigned char> bytes;
  size_t bitsOffset;  // from the start of the block
  size_t rowStride;
  int height;
  bool topDown;
};

TEST(BmpImageTest, KeepsTheFileAfterItsHeaderAndFindsTheBitsAfterBiClrUsedColours) {
  const std::vector<GoodFile> goods = {
      {"24 bits, rows padded", MakeBmp24(78, 37), 40, 236, 37, false},
      {"8 bits, 16 colours", MakeBmp(5, 3, 8, 16), 40 + 64, 8, 3, false},
      {"offset of the bits not used", WithOffBits(MakeBmp(4, 2, 8, 4), 0xFFFFFFF0u), 40 + 16, 4, 2,
       false},
      {"top-down", MakeBmp24(10, -4), 40, 32, 4, true},
      {"bit fields: masks after the header",
       With(MakeBmp(2, 2, 32, 3), bmp_test::kBiCompression, 3), 52, 8, 2, false},
  };
  for (const GoodFile& good : goods) {
    SCOPED_TRACE(good.name);
    BmpImage image;
    ASSERT_EQ(ParseInto(image, good.bytes), BmpReadResult::kLoaded);
    ASSERT_EQ(image.BlockSize(), good.bytes.size() - 14);
    EXPECT_EQ(std::memcmp(image.Block(), good.bytes.data() + 14, image.BlockSize()), 0);
    EXPECT_EQ(image.Bits(), image.Block() + good.bitsOffset);
    EXPECT_EQ(image.RowStride(), good.rowStride);
    EXPECT_EQ(image.InfoSize(), good.bitsOffset);  // what a drawing reads before the bits
    EXPECT_EQ(image.Height(), good.height);
    EXPECT_EQ(image.IsTopDown(), good.topDown);
  }
}

struct BadFile {
  const char* name;
  std::vector<unsigned char> bytes;
  BmpReadResult expected;
};

std::vector<BadFile> BadFiles() {
  using bmp_test::kBiBitCount;
  using bmp_test::kBiClrUsed;
  using bmp_test::kBiCompression;
  using bmp_test::kBiHeight;
  using bmp_test::kBiPlanes;
  using bmp_test::kBiSize;
  using bmp_test::kBiWidth;
  const std::vector<unsigned char> good24 = MakeBmp24(78, 37);
  const std::vector<unsigned char> good8 = MakeBmp(6, 4, 8, 8);
  std::vector<unsigned char> png = good24;
  png[0] = 0x89;
  png[1] = 'P';
  return {
      {"empty", {}, BmpReadResult::kNoSignature},
      {"wrong signature", png, BmpReadResult::kNoSignature},
      {"shorter than the file header", Cut(good24, 13), BmpReadResult::kNoSignature},
      {"only the file header", Cut(good24, 14), BmpReadResult::kHeaderOutsideFile},
      {"shorter than the info header", Cut(good24, 14 + 39), BmpReadResult::kHeaderOutsideFile},
      {"biClrUsed huge", With(good24, kBiClrUsed, 0xFFFFFFFFu), BmpReadResult::kBitsOutsideBlock},
      {"biClrUsed one past the end", With(good8, kBiClrUsed, (good8.size() - 14 - 40) / 4 + 1),
       BmpReadResult::kBitsOutsideBlock},
      {"biSize huge", With(good24, kBiSize, 0xFFFFFFFFu), BmpReadResult::kBitsOutsideBlock},
      {"biSize past the end", With(good24, kBiSize, good24.size() - 14 + 1),
       BmpReadResult::kBitsOutsideBlock},
      {"last pixel byte missing", Cut(good24, good24.size() - 1), BmpReadResult::kRowsOutsideBlock},
      {"top-down, last row missing", Cut(MakeBmp24(78, -37), good24.size() - 236),
       BmpReadResult::kRowsOutsideBlock},
      {"no pixel bytes at all", Cut(good24, 14 + 40), BmpReadResult::kRowsOutsideBlock},
      {"height larger than the rows", With(good24, kBiHeight, 38),
       BmpReadResult::kRowsOutsideBlock},
      {"width larger than the rows", With(good24, kBiWidth, 79), BmpReadResult::kRowsOutsideBlock},
      {"width at its maximum", With(good24, kBiWidth, 0x7FFFFFFFu),
       BmpReadResult::kRowsOutsideBlock},
      {"height at its maximum", With(good24, kBiHeight, 0x7FFFFFFFu),
       BmpReadResult::kRowsOutsideBlock},
      {"height at its top-down maximum", With(good24, kBiHeight, 0x80000001u),
       BmpReadResult::kRowsOutsideBlock},
      {"full palette read past the end", With(good8, kBiClrUsed, 0),
       BmpReadResult::kRowsOutsideBlock},
      {"bit fields masks past the end", With(MakeBmp(1, 1, 32, 0), kBiCompression, 3),
       BmpReadResult::kRowsOutsideBlock},
      {"zero width", With(good24, kBiWidth, 0), BmpReadResult::kUnsupportedFormat},
      {"zero height", With(good24, kBiHeight, 0), BmpReadResult::kUnsupportedFormat},
      {"negative width", With(good24, kBiWidth, 0xFFFFFFB2u), BmpReadResult::kUnsupportedFormat},
      {"height of the lowest int", With(good24, kBiHeight, 0x80000000u),
       BmpReadResult::kUnsupportedFormat},
      {"core header", With(good24, kBiSize, 12), BmpReadResult::kUnsupportedFormat},
      {"two planes", With16(good24, kBiPlanes, 2), BmpReadResult::kUnsupportedFormat},
      {"seven bits per pixel", With16(good24, kBiBitCount, 7), BmpReadResult::kUnsupportedFormat},
      {"run-length compressed", With(good8, kBiCompression, 1), BmpReadResult::kUnsupportedFormat},
      {"bit fields on 24 bits", With(good24, kBiCompression, 3), BmpReadResult::kUnsupportedFormat},
      {"more colours than the pixel format has", MakeBmp(2, 2, 1, 3),
       BmpReadResult::kUnsupportedFormat},
  };
}

TEST(BmpImageTest, RefusesEveryFileItCannotDrawSafelyAndKeepsNoData) {
  const std::string path = "bmp_image_test.bmp";
  for (const BadFile& bad : BadFiles()) {
    SCOPED_TRACE(bad.name);
    BmpImage image;
    ASSERT_EQ(ParseInto(image, MakeBmp24(78, 37)), BmpReadResult::kLoaded);
    EXPECT_EQ(ParseInto(image, bad.bytes), bad.expected);
    EXPECT_EQ(image.ReadResult(), bad.expected);
    ExpectNoData(image);  // nothing left of the image read before

    WriteFile(path, bad.bytes);
    BmpImage loaded;
    EXPECT_EQ(loaded.Load(path), bad.expected);
    ExpectNoData(loaded);
  }
  std::remove(path.c_str());
}

TEST(BmpImageTest, ReadsFilesLikeBytesInMemoryAndRefusesOnesItCannotOpen) {
  const std::string path = "bmp_image_test_good.bmp";
  const std::vector<unsigned char> bytes = MakeBmp8(78, 37);
  WriteFile(path, bytes);
  BmpImage image;
  ASSERT_EQ(image.Load(path), BmpReadResult::kLoaded);
  std::remove(path.c_str());
  ASSERT_EQ(image.BlockSize(), bytes.size() - 14);
  EXPECT_EQ(std::memcmp(image.Block(), bytes.data() + 14, image.BlockSize()), 0);
  EXPECT_EQ(image.Bits(), image.Block() + 40 + 1024);

  EXPECT_EQ(image.Load("no_such_folder_here/easy.bmp"), BmpReadResult::kCannotRead);
  ExpectNoData(image);
  EXPECT_EQ(image.Parse(nullptr, 0), BmpReadResult::kNoSignature);
}

}  // namespace
