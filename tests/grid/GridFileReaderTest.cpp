#include "grid/GridFileReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes HeaderBytes(std::int32_t nx, std::int32_t nz, const std::string& codes) {
  GridFileHeader header;
  header.nx = nx;
  header.nz = nz;
  header.dx = 20.0f;
  header.zExtent = -12.5f;
  header.propertyCodes = codes;
  const auto bytes = header.ToBytes();
  return Bytes(bytes.begin(), bytes.end());
}

void AppendFloat(Bytes& bytes, float value) {
  bytes.resize(bytes.size() + 4);
  StoreLittleEndian32(FloatBits(value), &bytes[bytes.size() - 4]);
}

// 3 x 2 nodes; property r of node k holds k * 10 + r.
Bytes SmallGridFile(const std::string& codes) {
  Bytes bytes = HeaderBytes(3, 2, codes);
  for (int node = 0; node < 6; ++node) {
    for (std::size_t r = 0; r < codes.size(); ++r) AppendFloat(bytes, node * 10.0f + r);
  }
  return bytes;
}

std::string Problem(const Bytes& bytes) {
  return ParseGridFileHeader(bytes.data(), bytes.size()).status.message();
}

TEST(ParseGridFileHeader, ReadsBackWhatTheWriterSets) {
  for (const char* codes : {"P", "Q", "R", "PQ", "PR", "QR", "PQR"}) {
    const Bytes bytes = HeaderBytes(500, 174, codes);
    const GridFileInfo info = ParseGridFileHeader(bytes.data(), bytes.size());
    ASSERT_TRUE(info.ok()) << info.status.message();
    EXPECT_EQ(info.header.propertyCodes, codes);
    EXPECT_EQ(info.header.nx, 500);
    EXPECT_EQ(info.header.nz, 174);
    EXPECT_EQ(info.header.dx, 20.0f);
    EXPECT_EQ(info.header.zExtent, -12.5f);
  }
  // Sizes of 0 or less mean the header alone.
  for (std::int32_t nx : {0, -1, -2147483647 - 1}) {
    const Bytes bytes = HeaderBytes(nx, 5, "PQR");
    EXPECT_EQ(GridFileDataSize(ParseGridFileHeader(bytes.data(), bytes.size()).header), 0u);
  }
}

TEST(ParseGridFileHeader, RefusesWhatIsNotAGridFileHeader) {
  const Bytes good = HeaderBytes(3, 2, "PQ");
  EXPECT_EQ(ParseGridFileHeader(good.data(), 295).status.message(),
            "it holds 295 bytes, less than the 296-byte header of a grid file");
  Bytes bytes = good;
  bytes[19] = 0;
  EXPECT_EQ(Problem(bytes), "it does not start with \"Binary. FD-Grid_____\"");

  const auto withCodes = [&good](const std::string& field, std::uint32_t count) {
    Bytes changed = good;
    std::copy(field.begin(), field.end(), changed.begin() + 252);
    StoreLittleEndian32(count, &changed[244]);
    return Problem(changed);
  };
  const std::string notOneOf = "\" are not one of P, Q, R, PQ, PR, QR, PQR";
  EXPECT_EQ(withCodes(std::string("QP\0", 3), 2), "its property codes \"QP" + notOneOf);
  EXPECT_EQ(withCodes(std::string("PP\0", 3), 2), "its property codes \"PP" + notOneOf);
  EXPECT_EQ(withCodes(std::string("\0\0", 2), 0), "its property codes \"" + notOneOf);
  EXPECT_EQ(withCodes(std::string("P\x01\"\0", 4), 3),
            "its property codes \"P\\x01\\x22" + notOneOf);
  EXPECT_EQ(withCodes("PQRPQRPQ", 8),
            "its property codes at byte 252 are not followed by a NUL byte");
  EXPECT_EQ(withCodes(std::string("PQ\0", 3), 0xFFFFFFFD),
            "its property count -3 does not match its property codes \"PQ\"");

  EXPECT_EQ(Problem(HeaderBytes(2147483647, 2147483647, "PQ")),
            "its sizes nx=2147483647, nz=2147483647 describe a data block too large for any file");
  EXPECT_EQ(Problem(HeaderBytes(2147483647, 2147483647, "P")), "");  // just fits 64 bits
}

TEST(ReadGridFileFromBytes, ChecksTheLengthAndGivesEachPropertysRange) {
  Bytes bytes = SmallGridFile("PQR");
  const GridFileInfo info = ReadGridFileFromBytes(bytes.data(), bytes.size(), "m.mvg");
  ASSERT_TRUE(info.ok()) << info.status.message();
  ASSERT_EQ(info.ranges.size(), 3u);
  EXPECT_EQ(info.ranges[0].code, 'P');
  EXPECT_EQ(info.ranges[0].minimum, 0.0f);
  EXPECT_EQ(info.ranges[1].code, 'Q');
  EXPECT_EQ(info.ranges[2].maximum, 52.0f);

  EXPECT_EQ(ReadGridFileFromBytes(bytes.data(), bytes.size() - 4, "m.mvg").status.message(),
            "m.mvg does not match its header: 3 x 2 nodes of 3 properties make a file of 368 "
            "bytes, but it holds 364 bytes.");
  bytes[0] = 'b';
  EXPECT_EQ(ReadGridFileFromBytes(bytes.data(), bytes.size(), "m.mvg").status.message(),
            "m.mvg is not a grid file: it does not start with \"Binary. FD-Grid_____\".");

  // NaN is passed over; a property of NaN alone keeps the empty range.
  Bytes nan = HeaderBytes(2, 1, "QR");
  for (float value : {std::nanf(""), std::nanf(""), -3.0f, std::nanf("")}) AppendFloat(nan, value);
  const GridFileInfo nanInfo = ReadGridFileFromBytes(nan.data(), nan.size(), "nan.mvg");
  EXPECT_EQ(nanInfo.ranges[0].maximum, -3.0f);
  EXPECT_EQ(nanInfo.ranges[1].minimum, std::numeric_limits<float>::infinity());
  const Bytes headerAlone = HeaderBytes(0, 7, "PQ");
  EXPECT_TRUE(ReadGridFileFromBytes(headerAlone.data(), 296, "h.mvg").ranges.empty());
}

TEST(ReadGridFile, ReadsALargeFileInPiecesWithTheSameRanges) {
  // 400,000 nodes of three properties, 4.8 MB: extremes at the start, at the end and past the
  // first reading chunk.
  const std::int32_t nx = 1000, nz = 400;
  Bytes bytes = HeaderBytes(nx, nz, "PQR");
  for (std::int32_t node = 0; node < nx * nz; ++node) {
    const float wave = static_cast<float>(node % 977);
    AppendFloat(bytes, node == 0 ? -1.0f : 1500.0f + wave);
    AppendFloat(bytes, node == 87381 ? 9999.0f : 2000.0f + wave);
    AppendFloat(bytes, node == nx * nz - 1 ? -7.0f : wave);
  }
  GridScratchFolder scratch;
  WriteFileBytes(scratch.Path("big.mvg"), bytes);
  const GridFileInfo info = ReadGridFile(scratch.Path("big.mvg"));
  ASSERT_TRUE(info.ok()) << info.status.message();
  const float expected[3][2] = {{-1.0f, 2476.0f}, {2000.0f, 9999.0f}, {-7.0f, 976.0f}};
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(info.ranges[p].minimum, expected[p][0]) << p;
    EXPECT_EQ(info.ranges[p].maximum, expected[p][1]) << p;
  }
}

TEST(ReadGridFile, RefusesBrokenFilesNamingThem) {
  GridScratchFolder scratch;
  const std::string missing = scratch.Path("missing.mvg");
  EXPECT_EQ(ReadGridFile(missing).status.message().rfind(
                "Cannot open the grid file " + missing + ": ", 0),
            0u);
  EXPECT_NE(ReadGridFile(scratch.Folder()).status.message().find(scratch.Folder()),
            std::string::npos);

  const std::string path = scratch.Path("model.mvg");
  Bytes bytes = SmallGridFile("PR");
  WriteFileBytes(path, Bytes(bytes.begin(), bytes.end() - 4));
  const std::string mismatch = path +
                               " does not match its header: 3 x 2 nodes of 2 properties "
                               "make a file of 344 bytes, but it holds ";
  EXPECT_EQ(ReadGridFile(path).status.message(), mismatch + "340 bytes.");
  bytes.push_back(0x0A);
  WriteFileBytes(path, bytes);
  EXPECT_EQ(ReadGridFile(path).status.message(), mismatch + "more.");
  WriteFileText(path, "Binary. FD-Grid_____ and no more");
  EXPECT_EQ(ReadGridFile(path).status.message(),
            path +
                " is not a grid file: it holds 32 bytes, less than the 296-byte header of a "
                "grid file.");
  WriteFileBytes(path, HeaderBytes(-1, 4, "Q"));
  EXPECT_TRUE(ReadGridFile(path).ok());
}

}  // namespace
