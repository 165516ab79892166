#include "grid/GridFileReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "grid/GridScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes HeaderBytes(std::int32_t nx, std::int32_t nz, const std::string& codes) {
  GridFileHeader header;
  header.nx = nx;
  header.nz = nz;
  header.dx = 20.0f;
  header.dz = 12.5f;
  header.xExtent = 20.0f * static_cast<float>(nx - 1);
  header.zExtent = 12.5f * static_cast<float>(nz - 1);
  header.propertyCodes = codes;
  const auto bytes = header.ToBytes();
  return Bytes(bytes.begin(), bytes.end());
}

void AppendFloat(Bytes& bytes, float value) {
  const std::uint32_t bits = FloatBits(value);
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void PutWord(Bytes& bytes, std::size_t offset, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(word >> (8 * i));
}

// A complete file: 3 x 2 nodes of the given properties, node k's values k*10 + rank.
Bytes SmallGridFile(const std::string& codes) {
  Bytes bytes = HeaderBytes(3, 2, codes);
  for (int node = 0; node < 6; ++node) {
    for (std::size_t rank = 0; rank < codes.size(); ++rank) {
      AppendFloat(bytes, static_cast<float>(node * 10 + static_cast<int>(rank)));
    }
  }
  return bytes;
}

GridFileInfo Parse(const Bytes& bytes) { return ParseGridFileHeader(bytes.data(), bytes.size()); }

TEST(ParseGridFileHeader, ReadsBackEveryFieldTheWriterSets) {
  for (const char* codes : {"P", "Q", "R", "PQ", "PR", "QR", "PQR"}) {
    const GridFileInfo info = Parse(HeaderBytes(500, 174, codes));
    ASSERT_TRUE(info.ok()) << info.problem;
    EXPECT_EQ(info.header.propertyCodes, codes);
    EXPECT_EQ(info.header.nx, 500);
    EXPECT_EQ(info.header.nz, 174);
    EXPECT_EQ(info.header.dx, 20.0f);
    EXPECT_EQ(info.header.dz, 12.5f);
    EXPECT_EQ(info.header.xExtent, 9980.0f);
    EXPECT_EQ(info.header.zExtent, 2162.5f);
    EXPECT_TRUE(info.ranges.empty());
  }
  EXPECT_EQ(GridFileDataSize(Parse(HeaderBytes(500, 174, "PQR")).header), 500u * 174 * 12);
}

TEST(ParseGridFileHeader, RefusesWhatIsNotAGridFileHeader) {
  const Bytes good = HeaderBytes(3, 2, "PQ");
  EXPECT_EQ(ParseGridFileHeader(good.data(), 295).problem,
            "it holds 295 bytes, less than the 296-byte header of a grid file");
  EXPECT_FALSE(ParseGridFileHeader(nullptr, 0).ok());

  Bytes signature = good;
  signature[19] = 0;  // the last underscore is not a terminator
  EXPECT_EQ(Parse(signature).problem, "it does not start with \"Binary. FD-Grid_____\"");

  struct BadCodes {
    std::string field;  // the eight bytes at 252
    std::uint32_t count;
    std::string problem;
  };
  const std::vector<BadCodes> cases = {
      {std::string("QP\0\0\0\0\0\0", 8), 2,
       "its property codes \"QP\" are not one of P, Q, R, PQ, PR, QR, PQR"},
      {std::string("PP\0\0\0\0\0\0", 8), 2,
       "its property codes \"PP\" are not one of P, Q, R, PQ, PR, QR, PQR"},
      {std::string("pq\0\0\0\0\0\0", 8), 2,
       "its property codes \"pq\" are not one of P, Q, R, PQ, PR, QR, PQR"},
      {std::string("PQRP\0\0\0\0", 8), 4,
       "its property codes \"PQRP\" are not one of P, Q, R, PQ, PR, QR, PQR"},
      {std::string("\0\0\0\0\0\0\0\0", 8), 0,
       "its property codes \"\" are not one of P, Q, R, PQ, PR, QR, PQR"},
      {std::string("P\x01\"\0\0\0\0\0", 8), 3,
       "its property codes \"P\\x01\\x22\" are not one of P, Q, R, PQ, PR, QR, PQR"},
      {std::string("PQRPQRPQ", 8), 8,
       "its property codes at byte 252 are not followed by a NUL byte"},
      {std::string("PQ\0\0\0\0\0\0", 8), 3,
       "its property count 3 does not match its property codes \"PQ\""},
      {std::string("PQR\0\0\0\0\0", 8), 0xFFFFFFFD,
       "its property count -3 does not match its property codes \"PQR\""},
  };
  for (const BadCodes& c : cases) {
    Bytes bytes = good;
    std::copy(c.field.begin(), c.field.end(), bytes.begin() + 252);
    PutWord(bytes, 244, c.count);
    EXPECT_EQ(Parse(bytes).problem, c.problem);
  }

  Bytes huge = HeaderBytes(2147483647, 2147483647, "PQ");
  EXPECT_EQ(Parse(huge).problem,
            "its sizes nx=2147483647, nz=2147483647 describe a data block too large for any file");
  // Just fits 64 bits: accepted, and the length check refuses any real file.
  EXPECT_TRUE(Parse(HeaderBytes(2147483647, 2147483647, "P")).ok());
}

TEST(ParseGridFileHeader, NonPositiveSizesMeanTheHeaderAlone) {
  for (auto [nx, nz] :
       {std::pair{0, 5}, std::pair{5, 0}, std::pair{-1, -1}, std::pair{-2147483647 - 1, 3}}) {
    const GridFileInfo info = Parse(HeaderBytes(nx, nz, "PQR"));
    ASSERT_TRUE(info.ok()) << info.problem;
    EXPECT_EQ(GridFileDataSize(info.header), 0u);
  }
}

TEST(ReadGridFileFromBytes, GivesEachPropertysRange) {
  const GridFileInfo info = ReadGridFileFromBytes(SmallGridFile("PQR").data(), 296 + 72, "m.mvg");
  ASSERT_TRUE(info.ok()) << info.problem;
  ASSERT_EQ(info.ranges.size(), 3u);
  EXPECT_EQ(info.ranges[0].code, 'P');
  EXPECT_EQ(info.ranges[0].minimum, 0.0f);
  EXPECT_EQ(info.ranges[0].maximum, 50.0f);
  EXPECT_EQ(info.ranges[1].code, 'Q');
  EXPECT_EQ(info.ranges[1].minimum, 1.0f);
  EXPECT_EQ(info.ranges[2].code, 'R');
  EXPECT_EQ(info.ranges[2].maximum, 52.0f);
}

TEST(ReadGridFileFromBytes, PassesOverNaN) {
  Bytes bytes = HeaderBytes(2, 1, "QR");
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (float value : {nan, nan, -3.0f, nan}) AppendFloat(bytes, value);
  const GridFileInfo info = ReadGridFileFromBytes(bytes.data(), bytes.size(), "nan.mvg");
  ASSERT_TRUE(info.ok()) << info.problem;
  EXPECT_EQ(info.ranges[0].minimum, -3.0f);
  EXPECT_EQ(info.ranges[0].maximum, -3.0f);
  EXPECT_EQ(info.ranges[1].minimum, std::numeric_limits<float>::infinity());
  EXPECT_EQ(info.ranges[1].maximum, -std::numeric_limits<float>::infinity());
}

TEST(ReadGridFileFromBytes, RefusesALengthOtherThanTheHeaderSays) {
  Bytes bytes = SmallGridFile("P");
  ASSERT_EQ(bytes.size(), 320u);
  EXPECT_EQ(ReadGridFileFromBytes(bytes.data(), 316, "m.mvg").problem,
            "m.mvg does not match its header: 3 x 2 nodes of 1 property make a file of 320 bytes, "
            "but it holds 316 bytes.");
  bytes.push_back(0);
  EXPECT_EQ(ReadGridFileFromBytes(bytes.data(), bytes.size(), "m.mvg").problem,
            "m.mvg does not match its header: 3 x 2 nodes of 1 property make a file of 320 bytes, "
            "but it holds 321 bytes.");
  bytes[0] = 'b';
  EXPECT_EQ(ReadGridFileFromBytes(bytes.data(), bytes.size(), "m.mvg").problem,
            "m.mvg is not a grid file: it does not start with \"Binary. FD-Grid_____\".");
  const Bytes headerAlone = HeaderBytes(0, 7, "PQ");
  const GridFileInfo info = ReadGridFileFromBytes(headerAlone.data(), headerAlone.size(), "h.mvg");
  ASSERT_TRUE(info.ok()) << info.problem;
  EXPECT_TRUE(info.ranges.empty());
}

TEST(ReadGridFile, ReadsALargeFileInPiecesWithTheSameRanges) {
  // 400,000 nodes of three properties: about 4.8 MB, several reading chunks; the extremes sit at
  // the very start, the very end and across chunk boundaries.
  const std::int32_t nx = 1000, nz = 400;
  Bytes bytes = HeaderBytes(nx, nz, "PQR");
  for (std::int32_t node = 0; node < nx * nz; ++node) {
    const float wave = static_cast<float>(node % 977);
    AppendFloat(bytes, node == 0 ? -1.0f : 1500.0f + wave);
    AppendFloat(bytes, node == 87381 ? 9999.0f : 2000.0f + wave);
    AppendFloat(bytes, node == nx * nz - 1 ? -7.0f : wave);
  }
  GridScratchFolder scratch;
  const std::string path = scratch.Path("big.mvg");
  WriteFileBytes(path, bytes);
  const GridFileInfo fromFile = ReadGridFile(path);
  ASSERT_TRUE(fromFile.ok()) << fromFile.problem;
  ASSERT_EQ(fromFile.ranges.size(), 3u);
  EXPECT_EQ(fromFile.ranges[0].minimum, -1.0f);
  EXPECT_EQ(fromFile.ranges[0].maximum, 2476.0f);
  EXPECT_EQ(fromFile.ranges[1].minimum, 2000.0f);
  EXPECT_EQ(fromFile.ranges[1].maximum, 9999.0f);
  EXPECT_EQ(fromFile.ranges[2].minimum, -7.0f);
  EXPECT_EQ(fromFile.ranges[2].maximum, 976.0f);
  EXPECT_EQ(fromFile.header.nx, nx);
  EXPECT_EQ(fromFile.header.nz, nz);
}

TEST(ReadGridFile, RefusesBrokenFilesNamingThem) {
  GridScratchFolder scratch;
  const std::string missing = scratch.Path("missing.mvg");
  const GridFileInfo none = ReadGridFile(missing);
  EXPECT_EQ(none.problem.rfind("Cannot open the grid file " + missing + ": ", 0), 0u)
      << none.problem;

  const std::string truncated = scratch.Path("truncated.mvg");
  Bytes bytes = SmallGridFile("PR");
  WriteFileBytes(truncated, Bytes(bytes.begin(), bytes.end() - 4));
  EXPECT_EQ(ReadGridFile(truncated).problem,
            truncated +
                " does not match its header: 3 x 2 nodes of 2 properties make a file of "
                "344 bytes, but it holds 340 bytes.");

  const std::string extra = scratch.Path("extra.mvg");
  bytes.push_back(0x0A);
  WriteFileBytes(extra, bytes);
  EXPECT_EQ(ReadGridFile(extra).problem,
            extra +
                " does not match its header: 3 x 2 nodes of 2 properties make a file of "
                "344 bytes, but it holds more.");

  const std::string shortFile = scratch.Path("short.mvg");
  WriteFileText(shortFile, "Binary. FD-Grid_____ and no more");
  EXPECT_EQ(ReadGridFile(shortFile).problem,
            shortFile +
                " is not a grid file: it holds 32 bytes, less than the 296-byte header of a "
                "grid file.");

  const std::string text = scratch.Path("vp.txt");
  WriteFileText(text, std::string(400, '1'));
  EXPECT_EQ(ReadGridFile(text).problem,
            text + " is not a grid file: it does not start with \"Binary. FD-Grid_____\".");

  Bytes badCodes = SmallGridFile("PR");
  badCodes[252] = 'X';
  const std::string coded = scratch.Path("codes.mvg");
  WriteFileBytes(coded, badCodes);
  EXPECT_EQ(ReadGridFile(coded).problem,
            coded +
                " is not a grid file: its property codes \"XR\" are not one of P, Q, R, PQ, "
                "PR, QR, PQR.");

  const GridFileInfo folder = ReadGridFile(scratch.Folder());
  EXPECT_FALSE(folder.ok());
  EXPECT_NE(folder.problem.find(scratch.Folder()), std::string::npos) << folder.problem;
}

TEST(ReadGridFile, AcceptsTheHeaderAlone) {
  GridScratchFolder scratch;
  const std::string path = scratch.Path("empty.mvg");
  WriteFileBytes(path, HeaderBytes(-1, 4, "Q"));
  const GridFileInfo info = ReadGridFile(path);
  ASSERT_TRUE(info.ok()) << info.problem;
  EXPECT_EQ(info.header.propertyCodes, "Q");
  EXPECT_TRUE(info.ranges.empty());
}

}  // namespace
