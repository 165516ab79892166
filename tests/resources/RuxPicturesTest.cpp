// The help-button pictures that the program reads from its RUX folder: each must be
// an uncompressed bottom-up bitmap of 78 x 37 pixels whose headers agree with each
// other, because the program locates the pixels from the header sizes alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* const kPictures[] = {"easy.bmp", "easyUnderMouse.bmp", "easyPressed.bmp"};

std::vector<unsigned char> ReadPicture(const std::string& name) {
  const char* root = std::getenv("MVG_SOURCE_DIR");
  std::ifstream in(std::string(root != nullptr ? root : ".") + "/resources/RUX/" + name,
                   std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

uint32_t U32(const std::vector<unsigned char>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<unsigned char>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
int32_t I32(const std::vector<unsigned char>& b, size_t at) {
  return static_cast<int32_t>(U32(b, at));
}

TEST(RuxPictures, AreBottomUpUncompressedBitmapsOf78By37) {
  for (const char* name : kPictures) {
    SCOPED_TRACE(name);
    const std::vector<unsigned char> file = ReadPicture(name);
    ASSERT_GE(file.size(), 54u) << "missing or cut short";
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), file.size());  // file size
    EXPECT_EQ(U32(file, 14), 40u);         // info header size
    EXPECT_EQ(I32(file, 18), 78);          // width
    EXPECT_EQ(I32(file, 22), 37);          // positive height: bottom-up rows
    EXPECT_EQ(U16(file, 26), 1);           // planes
    EXPECT_EQ(U32(file, 30), 0u);          // BI_RGB, uncompressed
  }
}

TEST(RuxPictures, PixelsLieWhereTheHeaderSizesPlaceThem) {
  for (const char* name : kPictures) {
    SCOPED_TRACE(name);
    const std::vector<unsigned char> file = ReadPicture(name);
    ASSERT_GE(file.size(), 54u);
    const uint32_t headerSize = U32(file, 14);
    const int bits = U16(file, 28);
    const uint32_t coloursUsed = U32(file, 46);
    ASSERT_TRUE(bits == 24 || bits == 8) << bits;
    if (bits == 24) {
      EXPECT_EQ(coloursUsed, 0u);
    } else {
      EXPECT_GE(coloursUsed, 1u);
      EXPECT_LE(coloursUsed, 256u);
    }
    // The program takes the pixels to start right after the header and colour table.
    const uint64_t pixels = 14 + uint64_t{headerSize} + 4 * uint64_t{coloursUsed};
    EXPECT_EQ(U32(file, 10), pixels);
    const uint64_t stride = (78 * static_cast<uint64_t>(bits) + 31) / 32 * 4;
    EXPECT_EQ(file.size(), pixels + stride * 37);
    const uint32_t imageSize = U32(file, 34);
    EXPECT_TRUE(imageSize == 0 || imageSize == stride * 37) << imageSize;
  }
}

TEST(RuxPictures, ThreeStatesLookDifferent) {
  const std::vector<unsigned char> normal = ReadPicture(kPictures[0]);
  const std::vector<unsigned char> hover = ReadPicture(kPictures[1]);
  const std::vector<unsigned char> pressed = ReadPicture(kPictures[2]);
  ASSERT_FALSE(normal.empty());
  EXPECT_NE(normal, hover);
  EXPECT_NE(normal, pressed);
  EXPECT_NE(hover, pressed);
}

}  // namespace
