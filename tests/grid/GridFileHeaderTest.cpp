#include "grid/GridFileHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using Bytes = std::array<std::uint8_t, kGridFileHeaderSize>;

void Put(Bytes& bytes, std::size_t offset, const std::vector<std::uint8_t>& values) {
  std::memcpy(bytes.data() + offset, values.data(), values.size());
}

void Put(Bytes& bytes, std::size_t offset, const char* text) {
  std::memcpy(bytes.data() + offset, text, std::strlen(text));
}

TEST(GridFileHeader, WorkedExampleMatchesEveryByte) {
  // Vp alone, 3 x 2 nodes, steps 10 and 5.
  const GridFileHeader header = MakeGridFileHeader(3, 2, 10.0f, 5.0f, true, false, false);
  EXPECT_EQ(header.xExtent, 20.0f);
  EXPECT_EQ(header.zExtent, 5.0f);

  Bytes expected{};  // everything not set below is zero
  Put(expected, 0, "Binary. FD-Grid_____");
  Put(expected, 20, "TestModel");
  Put(expected, 100, "MorvTxtMvg");
  Put(expected, 136, {0x00, 0x00, 0xA0, 0x41});  // xExtent 20.0
  Put(expected, 140, {0x00, 0x00, 0x20, 0x41});  // dx 10.0
  Put(expected, 152, {0x00, 0x00, 0xA0, 0x40});  // zExtent 5.0
  Put(expected, 156, {0x00, 0x00, 0xA0, 0x40});  // dz 5.0
  Put(expected, 188, {0x00, 0x00, 0x80, 0x3F});  // 1.0
  Put(expected, 196, {3, 0, 0, 0});
  Put(expected, 200, {2, 0, 0, 0});
  for (std::size_t one : {204, 232, 236, 244}) Put(expected, one, {1, 0, 0, 0});
  expected[248] = 2;
  Put(expected, 252, "P");
  Put(expected, 260, "XZ");
  Put(expected, 268, "Modl");
  Put(expected, 276, "V");
  const Bytes actual = header.ToBytes();
  for (std::size_t i = 0; i < kGridFileHeaderSize; ++i) {
    EXPECT_EQ(actual[i], expected[i]) << "byte " << i;
  }
}

TEST(GridFileHeader, CodesFollowTheLoadedPropertiesInOrder) {
  const char* codes[] = {"R", "Q", "QR", "P", "PR", "PQ", "PQR"};
  for (int loaded = 1; loaded < 8; ++loaded) {
    const Bytes bytes =
        MakeGridFileHeader(4, 4, 1.0f, 1.0f, loaded & 4, loaded & 2, loaded & 1).ToBytes();
    const std::string expected = codes[loaded - 1];
    EXPECT_EQ(bytes[244], expected.size());
    for (std::size_t i = 0; i < 8; ++i) {
      EXPECT_EQ(bytes[252 + i], i < expected.size() ? expected[i] : 0) << expected << " " << i;
    }
  }
}

TEST(GridFileHeader, ExtentsAreOneRoundingOfTheExactProduct) {
  // A single node spans exactly 0.0 whatever the step (not -0.0 nor NaN).
  const float infinity = std::numeric_limits<float>::infinity();
  const GridFileHeader single = MakeGridFileHeader(1, 1, infinity, -7.5f, true, false, false);
  EXPECT_EQ(FloatBits(single.xExtent), 0u);
  EXPECT_EQ(FloatBits(single.zExtent), 0u);
  // 2^24 + 1 steps of 3: converting the count to float32 first would give 50331648.
  EXPECT_EQ(MakeGridFileHeader(16777218, 1, 3.0f, 1.0f, true, false, false).xExtent, 50331652.0f);
  // Steps are copied bit for bit; sizes of 0 or less are written as given.
  const Bytes bytes =
      MakeGridFileHeader(0, -3, FloatFromBits(0x3DCCCCCD), -2.0f, false, true, false).ToBytes();
  EXPECT_EQ(LoadLittleEndian32(&bytes[140]), 0x3DCCCCCDu);
  EXPECT_EQ(LoadLittleEndian32(&bytes[156]), 0xC0000000u);
  EXPECT_EQ(LoadLittleEndian32(&bytes[196]), 0u);
  EXPECT_EQ(LoadLittleEndian32(&bytes[200]), 0xFFFFFFFDu);
}

}  // namespace
