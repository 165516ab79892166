#include "gridfile/GridFileReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "support/ScratchFolder.h"

namespace {

std::string HeaderBytes(std::int32_t nx, std::int32_t nz, const std::string& codes) {
  const auto bytes = MakeGridFileHeader(nx, nz, 20.0f, 12.5f, codes).ToBytes();
  return std::string(bytes.begin(), bytes.end());
}

void AppendFloat(std::string& bytes, float value) {
  std::uint8_t word[4];
  StoreLittleEndian32(FloatBits(value), word);
  bytes.append(reinterpret_cast<const char*>(word), 4);
}

class ReadGridFileTest : public ::testing::Test {
 protected:
  GridFileInfo FromBytes(const std::string& bytes) {
    return ReadGridFile(scratch_.Write("m.mvg", bytes));
  }

  ScratchFolder scratch_;
};

TEST_F(ReadGridFileTest, ReadsBackEveryChoiceOfPropertiesWithTheirRanges) {
  for (const std::string codes : {"R", "Q", "QR", "P", "PR", "PQ", "PQR"}) {
    // 3 x 2 nodes; property r of node k holds k * 10 + r.
    std::string bytes = HeaderBytes(3, 2, codes);
    const std::size_t count = codes.size();
    for (int node = 0; node < 6; ++node) {
      for (std::size_t r = 0; r < count; ++r) AppendFloat(bytes, node * 10.0f + r);
    }
    const GridFileInfo info = FromBytes(bytes);
    ASSERT_TRUE(info.ok()) << info.status.message();
    EXPECT_EQ(info.header.propertyCodes, codes);
    ASSERT_EQ(info.ranges.size(), count);
    EXPECT_EQ(info.ranges[0].code, codes[0]);
    EXPECT_EQ(info.ranges[0].minimum, 0.0f);
    EXPECT_EQ(info.ranges[count - 1].maximum, 50.0f + count - 1);
  }
  // NaN is passed over; a property of NaN alone keeps the empty range.
  std::string nan = HeaderBytes(2, 1, "QR");
  for (float value : {std::nanf(""), std::nanf(""), -3.0f, std::nanf("")}) AppendFloat(nan, value);
  const GridFileInfo nanInfo = FromBytes(nan);
  EXPECT_EQ(nanInfo.ranges[0].maximum, -3.0f);
  EXPECT_EQ(nanInfo.ranges[1].minimum, std::numeric_limits<float>::infinity());
  // Sizes of 0 or less mean the header alone.
  EXPECT_TRUE(FromBytes(HeaderBytes(0, 7, "PQ")).ranges.empty());
}

TEST_F(ReadGridFileTest, RefusesWhatIsNotAGridFileHeader) {
  const std::string good = HeaderBytes(3, 2, "PQ");
  const auto problem = [](const std::string& bytes) {
    return ParseGridFileHeader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())
        .status.message();
  };
  EXPECT_EQ(problem(good.substr(0, 295)),
            "it holds 295 bytes, less than the 296-byte header of a grid file");
  EXPECT_EQ(problem(std::string(20, 'B') + good.substr(20)),
            "it does not start with \"Binary. FD-Grid_____\"");
  const auto withCodes = [&](const std::string& field, char count) {
    std::string changed = good;
    changed.replace(252, field.size(), field);
    changed[244] = count;
    return problem(changed);
  };
  const std::string notOneOf = "\" are not one of P, Q, R, PQ, PR, QR, PQR";
  EXPECT_EQ(withCodes(std::string("QP\0", 3), 2), "its property codes \"QP" + notOneOf);
  EXPECT_EQ(withCodes(std::string("P\x01\"\x7F\0", 5), 4),
            "its property codes \"P\\x01\\x22\\x7F" + notOneOf);
  EXPECT_EQ(withCodes("PQRPQRPQ", 8),
            "its property codes at byte 252 are not followed by a NUL byte");
  EXPECT_EQ(withCodes(std::string("PQ\0", 3), 3),
            "its property count 3 does not match its property codes \"PQ\"");
  EXPECT_EQ(problem(HeaderBytes(2147483647, 2147483647, "PQ")),
            "its sizes nx=2147483647, nz=2147483647 describe a data block too large for any file");
  EXPECT_EQ(problem(HeaderBytes(2147483647, 2147483647, "P")), "");  // fits
}

TEST_F(ReadGridFileTest, ReadsALargeFileInPiecesAndRefusesBrokenOnesNamingThem) {
  // 400,000 nodes of three properties, 4.8 MB: extremes at the start, at the end and past the
  // first reading chunk.
  const std::int32_t nx = 1000, nz = 400;
  std::string bytes = HeaderBytes(nx, nz, "PQR");
  for (std::int32_t node = 0; node < nx * nz; ++node) {
    const float wave = static_cast<float>(node % 977);
    AppendFloat(bytes, node == 0 ? -1.0f : 1500.0f + wave);
    AppendFloat(bytes, node == 87381 ? 9999.0f : 2000.0f + wave);
    AppendFloat(bytes, node == nx * nz - 1 ? -7.0f : wave);
  }
  const std::string path = scratch_.Write("big.mvg", bytes);
  const GridFileInfo info = ReadGridFile(path);
  ASSERT_TRUE(info.ok()) << info.status.message();
  const float expected[3][2] = {{-1.0f, 2476.0f}, {2000.0f, 9999.0f}, {-7.0f, 976.0f}};
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(info.ranges[p].minimum, expected[p][0]) << p;
    EXPECT_EQ(info.ranges[p].maximum, expected[p][1]) << p;
  }

  const std::string mismatch = path +
                               " does not match its header: 1000 x 400 nodes of 3 properties "
                               "make a file of 4800296 bytes, but it holds ";
  scratch_.Write("big.mvg", bytes.substr(0, bytes.size() - 1));
  EXPECT_EQ(ReadGridFile(path).status.message(), mismatch + "4800295 bytes.");
  scratch_.Write("big.mvg", bytes + "\n");
  EXPECT_EQ(ReadGridFile(path).status.message(), mismatch + "4800297 bytes.");
}

}  // namespace
