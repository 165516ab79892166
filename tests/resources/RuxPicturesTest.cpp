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

TEST(RuxPictures, AreUncompressedBottomUp78By37WithPixelsWhereTheHeadersPlaceThem) {
  for (const char* name : kPictures) {
    SCOPED_TRACE(name);
    const std::vector<unsigned char> file = ReadPicture(name);
    ASSERT_GE(file.size(), 54u) << "missing or cut short";
    EXPECT_EQ(std::string(file.begin(), file.begin() + 2), "BM");
    EXPECT_EQ(U32(file, 14), 40u);  // info header size
    EXPECT_EQ(U32(file, 18), 78u);  // width
    EXPECT_EQ(U32(file, 22), 37u);  // positive height: bottom-up rows
    EXPECT_EQ(U32(file, 30), 0u);   // BI_RGB
    const uint32_t bits = file[28], coloursUsed = U32(file, 46);
    ASSERT_TRUE((bits == 24 && coloursUsed == 0) ||
                (bits == 8 && coloursUsed >= 1 && coloursUsed <= 256))
        << bits << " bits, " << coloursUsed << " colours";
    // The program takes the pixels to start right after the header and colour table.
    const uint64_t pixels = 14 + 40 + 4 * uint64_t{coloursUsed};
    EXPECT_EQ(U32(file, 10), pixels);
    EXPECT_EQ(file.size(), pixels + (78 * bits + 31) / 32 * 4 * 37);
    EXPECT_EQ(U32(file, 2), file.size());
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
