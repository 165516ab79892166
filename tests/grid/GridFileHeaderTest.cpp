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

void PutText(Bytes& bytes, std::size_t offset, const std::string& text) {
  std::memcpy(bytes.data() + offset, text.data(), text.size());
}

std::uint32_t WordAt(const Bytes& bytes, std::size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

void ExpectSameBytes(const Bytes& actual, const Bytes& expected) {
  for (std::size_t i = 0; i < kGridFileHeaderSize; ++i) {
    EXPECT_EQ(actual[i], expected[i]) << "byte " << i;
  }
}

// The fixed contents of every header, written out byte by byte.
Bytes FixedBytes() {
  Bytes bytes{};
  PutText(bytes, 0, "Binary. FD-Grid_____");
  PutText(bytes, 20, "TestModel");
  PutText(bytes, 100, "MorvTxtMvg");
  Put(bytes, 188, {0x00, 0x00, 0x80, 0x3F});
  Put(bytes, 204, {1, 0, 0, 0});
  Put(bytes, 232, {1, 0, 0, 0});
  Put(bytes, 236, {1, 0, 0, 0});
  bytes[248] = 2;
  PutText(bytes, 260, "XZ");
  PutText(bytes, 268, "Modl");
  PutText(bytes, 276, "V");
  return bytes;
}

TEST(GridFileHeader, WorkedExampleMatchesEveryByte) {
  // Vp alone, 3 x 2 nodes, steps 10 and 5.
  const GridFileHeader header = MakeGridFileHeader(3, 2, 10.0f, 5.0f, true, false, false);
  EXPECT_EQ(header.nx, 3);
  EXPECT_EQ(header.nz, 2);
  EXPECT_EQ(header.xExtent, 20.0f);
  EXPECT_EQ(header.zExtent, 5.0f);
  EXPECT_EQ(header.propertyCodes, "P");

  Bytes expected = FixedBytes();
  Put(expected, 136, {0x00, 0x00, 0xA0, 0x41});  // xExtent 20.0
  Put(expected, 140, {0x00, 0x00, 0x20, 0x41});  // dx 10.0
  Put(expected, 152, {0x00, 0x00, 0xA0, 0x40});  // zExtent 5.0
  Put(expected, 156, {0x00, 0x00, 0xA0, 0x40});  // dz 5.0
  Put(expected, 196, {3, 0, 0, 0});
  Put(expected, 200, {2, 0, 0, 0});
  Put(expected, 244, {1, 0, 0, 0});
  expected[252] = 'P';
  const Bytes actual = header.ToBytes();
  ExpectSameBytes(actual, expected);
  EXPECT_EQ(actual[19], '_');
  EXPECT_EQ(actual[29], 0);
}

TEST(GridFileHeader, CodesFollowTheLoadedPropertiesInOrder) {
  struct Case {
    bool vp, density, vs;
    const char* codes;
  };
  for (const Case& c :
       {Case{true, false, false, "P"}, Case{false, true, false, "Q"}, Case{false, false, true, "R"},
        Case{true, true, false, "PQ"}, Case{true, false, true, "PR"}, Case{false, true, true, "QR"},
        Case{true, true, true, "PQR"}}) {
    const GridFileHeader header = MakeGridFileHeader(4, 4, 1.0f, 1.0f, c.vp, c.density, c.vs);
    EXPECT_EQ(header.propertyCodes, c.codes);
    const Bytes bytes = header.ToBytes();
    const std::size_t count = std::strlen(c.codes);
    EXPECT_EQ(WordAt(bytes, 244), count) << c.codes;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[252])), c.codes);
    for (std::size_t i = 252 + count; i < 260; ++i) EXPECT_EQ(bytes[i], 0) << c.codes << " " << i;
  }
}

TEST(GridFileHeader, SameInputsGiveIdenticalBytesWithUnsetBytesZero) {
  const GridFileHeader header = MakeGridFileHeader(500, 174, 20.0f, 20.0f, true, true, true);
  const Bytes bytes = header.ToBytes();
  EXPECT_EQ(bytes, MakeGridFileHeader(500, 174, 20.0f, 20.0f, true, true, true).ToBytes());
  Bytes expected = FixedBytes();
  Put(expected, 136, {0x00, 0xF0, 0x1B, 0x46});  // 9980.0
  Put(expected, 140, {0x00, 0x00, 0xA0, 0x41});  // 20.0
  Put(expected, 152, {0x00, 0x40, 0x58, 0x45});  // 3460.0
  Put(expected, 156, {0x00, 0x00, 0xA0, 0x41});
  Put(expected, 196, {0xF4, 0x01, 0, 0});  // 500
  Put(expected, 200, {0xAE, 0, 0, 0});     // 174
  Put(expected, 244, {3, 0, 0, 0});
  PutText(expected, 252, "PQR");
  ExpectSameBytes(bytes, expected);
}

TEST(GridFileHeader, ExtentsAreOneRoundingOfTheExactProduct) {
  // A single node spans nothing, whatever the step.
  EXPECT_EQ(FloatBits(MakeGridFileHeader(1, 1, -5.0f, 7.5f, true, false, false).xExtent), 0u);
  EXPECT_EQ(FloatBits(MakeGridFileHeader(1, 1, -5.0f, -7.5f, true, false, false).zExtent), 0u);
  const float infinity = std::numeric_limits<float>::infinity();
  EXPECT_EQ(FloatBits(MakeGridFileHeader(1, 1, infinity, 1.0f, true, false, false).xExtent), 0u);
  // 2^24 + 1 nodes apart is not a float32; converting it first would give 50331648.
  EXPECT_EQ(MakeGridFileHeader(16777218, 1, 3.0f, 1.0f, true, false, false).xExtent, 50331652.0f);
  // The steps are copied bit for bit.
  const float oddStep = FloatFromBits(0x3DCCCCCD);
  const Bytes bytes = MakeGridFileHeader(2, 2, oddStep, -oddStep, false, true, false).ToBytes();
  EXPECT_EQ(WordAt(bytes, 140), 0x3DCCCCCDu);
  EXPECT_EQ(WordAt(bytes, 156), 0xBDCCCCCDu);
}

TEST(GridFileHeader, NonPositiveSizesAreWrittenAsGiven) {
  const Bytes bytes = MakeGridFileHeader(0, -3, 2.0f, 2.0f, true, false, false).ToBytes();
  EXPECT_EQ(WordAt(bytes, 196), 0u);
  EXPECT_EQ(WordAt(bytes, 200), 0xFFFFFFFDu);
  EXPECT_EQ(MakeGridFileHeader(0, -3, 2.0f, 2.0f, true, false, false).xExtent, -2.0f);
}

TEST(GridFileHeader, OverlongCodesStillEndInsideTheirField) {
  GridFileHeader header;
  header.propertyCodes = "PQRPQRPQR";
  const Bytes bytes = header.ToBytes();
  EXPECT_EQ(WordAt(bytes, 244), 7u);
  EXPECT_EQ(bytes[259], 0);
  EXPECT_EQ(bytes[260], 'X');
}

}  // namespace
