#include "dialog/BmpImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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

// A file in the test's working folder, removed at the end of the test.
class TempFile {
 public:
  TempFile(const std::string& name, const std::vector<unsigned char>& bytes) : path(name) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  ~TempFile() { std::remove(path.c_str()); }
  const std::string path;
};

TEST(BmpImageTest, ReadsA24BitBitmapWholeAfterTheFileHeader) {
  const std::vector<unsigned char> file = MakeBmp24(78, 37);
  BmpImage image;
  ASSERT_EQ(ParseInto(image, file), BmpReadResult::kLoaded);
  EXPECT_TRUE(image.HasData());
  ASSERT_EQ(image.BlockSize(), file.size() - 14);
  EXPECT_EQ(std::memcmp(image.Block(), file.data() + 14, image.BlockSize()), 0);
  EXPECT_EQ(image.Bits(), image.Block() + 40);
  EXPECT_EQ(image.Width(), 78);
  EXPECT_EQ(image.Height(), 37);
  EXPECT_FALSE(image.IsTopDown());
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_EQ(image.RowStride(), 236u);  // 78 * 3 = 234, padded to 32 bits
  EXPECT_EQ(image.InfoSize(), 40u);
}

TEST(BmpImageTest, PixelBitsFollowTheColourTableOfBiClrUsedEntries) {
  const std::vector<unsigned char> file = MakeBmp(5, 3, 8, 16);
  BmpImage image;
  ASSERT_EQ(ParseInto(image, file), BmpReadResult::kLoaded);
  EXPECT_EQ(image.Bits(), image.Block() + 40 + 4 * 16);
  EXPECT_EQ(image.InfoSize(), 40u + 4 * 16);
  EXPECT_EQ(image.RowStride(), 8u);
  EXPECT_EQ(image.Bits()[0], 0);  // first pixel byte of the first row in memory
  EXPECT_EQ(image.Bits()[8], 8);

  const std::vector<unsigned char> full = MakeBmp8(78, 37);
  ASSERT_EQ(ParseInto(image, full), BmpReadResult::kLoaded);
  EXPECT_EQ(image.Bits(), image.Block() + 40 + 1024);
}

TEST(BmpImageTest, TheFileHeadersOffsetOfTheBitsIsNotUsed) {
  std::vector<unsigned char> file = MakeBmp(4, 2, 8, 4);
  PutU32(file, 10, 0xFFFFFFF0u);
  BmpImage image;
  ASSERT_EQ(ParseInto(image, file), BmpReadResult::kLoaded);
  EXPECT_EQ(image.Bits(), image.Block() + 40 + 16);
}

TEST(BmpImageTest, ReadsTopDownAndOtherPixelFormats) {
  BmpImage image;
  ASSERT_EQ(ParseInto(image, MakeBmp24(10, -4)), BmpReadResult::kLoaded);
  EXPECT_TRUE(image.IsTopDown());
  EXPECT_EQ(image.Height(), 4);

  ASSERT_EQ(ParseInto(image, MakeBmp(33, 2, 1, 2)), BmpReadResult::kLoaded);
  EXPECT_EQ(image.RowStride(), 8u);  // 33 bits take two 32-bit words
  ASSERT_EQ(ParseInto(image, MakeBmp(3, 2, 4, 16)), BmpReadResult::kLoaded);
  EXPECT_EQ(image.RowStride(), 4u);
  ASSERT_EQ(ParseInto(image, MakeBmp(3, 2, 16, 0)), BmpReadResult::kLoaded);
  EXPECT_EQ(image.RowStride(), 8u);
  ASSERT_EQ(ParseInto(image, MakeBmp(3, 2, 32, 0)), BmpReadResult::kLoaded);
  EXPECT_EQ(image.RowStride(), 12u);
}

TEST(BmpImageTest, BitFieldsCountTheirColourMasksAfterAShortHeader) {
  // Three masks (12 bytes) follow a 40-byte header; here they are taken as biClrUsed 3.
  std::vector<unsigned char> file = MakeBmp(2, 2, 32, 3);
  PutU32(file, bmp_test::kBiCompression, 3);
  BmpImage image;
  ASSERT_EQ(ParseInto(image, file), BmpReadResult::kLoaded);
  EXPECT_EQ(image.InfoSize(), 52u);

  // Without biClrUsed the masks overlap the pixels, which must be long enough to hold them.
  std::vector<unsigned char> tiny = MakeBmp(1, 1, 32, 0);
  PutU32(tiny, bmp_test::kBiCompression, 3);
  EXPECT_EQ(ParseInto(image, tiny), BmpReadResult::kRowsOutsideBlock);
  ExpectNoData(image);
}

TEST(BmpImageTest, DrawsAtMostThePictureAreaAndNeverMoreThanTheBitmap) {
  BmpImage image;
  ASSERT_EQ(ParseInto(image, MakeBmp24(100, 50)), BmpReadResult::kLoaded);
  BmpDrawnSize drawn = DrawnSize(image, 78, 37);
  EXPECT_EQ(drawn.width, 78);
  EXPECT_EQ(drawn.height, 37);

  ASSERT_EQ(ParseInto(image, MakeBmp24(20, -10)), BmpReadResult::kLoaded);
  drawn = DrawnSize(image, 78, 37);
  EXPECT_EQ(drawn.width, 20);
  EXPECT_EQ(drawn.height, 10);

  ASSERT_EQ(ParseInto(image, MakeBmp24(78, 37)), BmpReadResult::kLoaded);
  drawn = DrawnSize(image, 0, 37);
  EXPECT_EQ(drawn.width, 0);
  EXPECT_EQ(drawn.height, 0);

  BmpImage empty;
  EXPECT_EQ(empty.ReadResult(), BmpReadResult::kCannotRead);
  ExpectNoData(empty);
}

struct BadFile {
  const char* name;
  std::vector<unsigned char> bytes;
  BmpReadResult expected;
};

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
      {"signature reversed", With16(good24, 0, 'B' << 8 | 'M'), BmpReadResult::kNoSignature},
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
      {"zero width", With(good24, kBiWidth, 0), BmpReadResult::kUnsupportedFormat},
      {"zero height", With(good24, kBiHeight, 0), BmpReadResult::kUnsupportedFormat},
      {"negative width", With(good24, kBiWidth, 0xFFFFFFB2u), BmpReadResult::kUnsupportedFormat},
      {"height of the lowest int", With(good24, kBiHeight, 0x80000000u),
       BmpReadResult::kUnsupportedFormat},
      {"core header", With(good24, kBiSize, 12), BmpReadResult::kUnsupportedFormat},
      {"two planes", With16(good24, kBiPlanes, 2), BmpReadResult::kUnsupportedFormat},
      {"seven bits per pixel", With16(good24, kBiBitCount, 7), BmpReadResult::kUnsupportedFormat},
      {"zero bits per pixel", With16(good24, kBiBitCount, 0), BmpReadResult::kUnsupportedFormat},
      {"run-length compressed", With(good8, kBiCompression, 1), BmpReadResult::kUnsupportedFormat},
      {"embedded PNG", With(good24, kBiCompression, 5), BmpReadResult::kUnsupportedFormat},
      {"bit fields on 24 bits", With(good24, kBiCompression, 3), BmpReadResult::kUnsupportedFormat},
      {"more colours than the pixel format has", MakeBmp(2, 2, 1, 3),
       BmpReadResult::kUnsupportedFormat},
  };
}

TEST(BmpImageTest, RefusesEveryFileItCannotDrawSafelyAndHoldsNoData) {
  for (const BadFile& bad : BadFiles()) {
    SCOPED_TRACE(bad.name);
    BmpImage image;
    EXPECT_EQ(ParseInto(image, bad.bytes), bad.expected);
    EXPECT_EQ(image.ReadResult(), bad.expected);
    ExpectNoData(image);
  }
}

TEST(BmpImageTest, ARefusedFileLeavesNoTraceOfThePreviousImage) {
  BmpImage image;
  ASSERT_EQ(ParseInto(image, MakeBmp24(78, 37)), BmpReadResult::kLoaded);
  EXPECT_EQ(ParseInto(image, Cut(MakeBmp24(78, 37), 100)), BmpReadResult::kRowsOutsideBlock);
  ExpectNoData(image);
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Height(), 0);
  EXPECT_EQ(image.RowStride(), 0u);
  EXPECT_EQ(image.Parse(nullptr, 0), BmpReadResult::kNoSignature);
}

TEST(BmpImageTest, ReadsFilesLikeBytesInMemory) {
  const std::vector<unsigned char> bytes = MakeBmp8(78, 37);
  const TempFile file("bmp_image_test_good.bmp", bytes);
  const BmpImage image(file.path);
  ASSERT_EQ(image.ReadResult(), BmpReadResult::kLoaded);
  ASSERT_EQ(image.BlockSize(), bytes.size() - 14);
  EXPECT_EQ(std::memcmp(image.Block(), bytes.data() + 14, image.BlockSize()), 0);
  EXPECT_EQ(image.Bits(), image.Block() + 40 + 1024);

  for (const BadFile& bad : BadFiles()) {
    SCOPED_TRACE(bad.name);
    const TempFile badFile("bmp_image_test_bad.bmp", bad.bytes);
    BmpImage loaded;
    EXPECT_EQ(loaded.Load(badFile.path), bad.expected);
    ExpectNoData(loaded);
  }
}

TEST(BmpImageTest, AFileThatCannotBeOpenedHoldsNoData) {
  BmpImage image("no_such_folder_here/easy.bmp");
  EXPECT_EQ(image.ReadResult(), BmpReadResult::kCannotRead);
  ExpectNoData(image);

  const TempFile text("bmp_image_test_text.bmp", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(image.Load(text.path), BmpReadResult::kNoSignature);
  ExpectNoData(image);
  EXPECT_STREQ(kNotBmpFileMessage, "Not Bmp File");
}

TEST(BmpImageTest, TheHelpPicturesInTheResourceFolderFitThePicture) {
  const char* source = std::getenv("MVG_SOURCE_DIR");
  if (source == nullptr) GTEST_SKIP() << "MVG_SOURCE_DIR is not set";
  const std::string folder = std::string(source) + "/resources/RUX/";
  for (const char* name : {"easy.bmp", "easyUnderMouse.bmp", "easyPressed.bmp"}) {
    SCOPED_TRACE(name);
    const std::string path = folder + name;
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (probe == nullptr) GTEST_SKIP() << path << " is not there yet";
    std::fclose(probe);
    const BmpImage image(path);
    ASSERT_EQ(image.ReadResult(), BmpReadResult::kLoaded);
    EXPECT_EQ(image.Width(), 78);
    EXPECT_EQ(image.Height(), 37);
  }
}

}  // namespace
