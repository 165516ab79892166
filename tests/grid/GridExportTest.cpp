#include "grid/GridExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/GridFileHeader.h"
#include "grid/GridFileReader.h"
#include "support/ScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;
using Words = std::vector<std::uint32_t>;

const std::string kNothingWritten = "\nNothing was written.";

// The data block of a written file as float32 bit patterns.
Words DataWords(const std::string& path) {
  const Bytes file = ReadFileBytes(path);
  Words words;
  for (std::size_t i = kGridFileHeaderSize; i + 4 <= file.size(); i += 4) {
    words.push_back(LoadLittleEndian32(&file[i]));
  }
  return words;
}

Words Bits(const std::vector<float>& values) {
  Words bits;
  for (float v : values) bits.push_back(FloatBits(v));
  return bits;
}

class GridExportTest : public ::testing::Test {
 protected:
  // Vp alone on a grid nx values wide.
  ExportSource VpGrid(const std::vector<float>& vp, std::int32_t nx, std::int32_t nxWrite,
                      std::int32_t nzWrite) {
    ExportSource source;
    source.vp.values = vp.data();
    source.elementCount = static_cast<std::uint32_t>(vp.size());
    source.nxInput = nx;
    source.nxWrite = nxWrite;
    source.nzWrite = nzWrite;
    return source;
  }

  GridScratchFolder scratch_;
  const std::string output_ = scratch_.Path("out.mvg");
  const std::vector<float> ramp_ = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
};

TEST_F(GridExportTest, WritesTheWorkedExampleReplacingALargerFile) {
  WriteFileBytes(output_, Bytes(100000, 0xAB));
  const std::vector<float> vp = {1500.0f, 1510.5f, 1520.25f, 1600.0f, 1610.0f, 1620.0f};
  ExportSource source = VpGrid(vp, 3, 3, 2);
  source.xStep = 10.0f;
  source.zStep = 5.0f;
  const Status result = ExportGridFile(source, output_);
  ASSERT_TRUE(result.ok()) << result.message();
  const Bytes file = ReadFileBytes(output_);
  ASSERT_EQ(file.size(), 320u);
  const auto header = MakeGridFileHeader(3, 2, 10.0f, 5.0f, true, false, false).ToBytes();
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
  EXPECT_EQ(DataWords(output_), Bits(vp));  // factor 1.0 copies bit for bit
  EXPECT_EQ(scratch_.Names(), Names{"out.mvg"});
}

TEST_F(GridExportTest, GathersNodeByNodeInPropertyOrderWithUnitsApplied) {
  const std::vector<float> vp = {1000.0f, 3000.0f}, density = {2.5f, 1.0f}, vs = {7.0f, -1.0f};
  ExportSource source = VpGrid(vp, 2, 2, 1);
  source.density.values = density.data();
  source.vs.values = vs.data();
  source.vp.factor = 0.3048f;       // ft/s
  source.density.factor = 1000.0f;  // g/cm3
  ASSERT_TRUE(ExportGridFile(source, output_).ok());
  // 1000 ft/s -> 304.80002 (0x43986667); 3000 ft/s -> 914.40002 (0x4464999A).
  EXPECT_EQ(DataWords(output_), (Words{0x43986667, FloatBits(2500.0f), FloatBits(7.0f),  //
                                       0x4464999A, FloatBits(1000.0f), FloatBits(-1.0f)}));

  // Density and Vs without Vp: codes QR; 62.4 lb/ft3 -> 999.5521 (0x4479E356).
  source.vp.values = nullptr;
  source.density.factor = 16.018463f;  // lb/ft3
  ASSERT_TRUE(ExportGridFile(source, output_).ok());
  const GridFileInfo info = ReadGridFile(output_);
  ASSERT_TRUE(info.ok()) << info.status.message();
  EXPECT_EQ(info.header.propertyCodes, "QR");
  const std::vector<float> pounds = {62.4f};
  source = ExportSource{};
  source.density = {pounds.data(), 16.018463f};
  source.elementCount = source.nxInput = source.nxWrite = source.nzWrite = 1;
  ASSERT_TRUE(ExportGridFile(source, output_).ok());
  EXPECT_EQ(DataWords(output_), Words{0x4479E356});
}

TEST_F(GridExportTest, WritesTheWindowOfFirstColumnsAndRows) {
  ASSERT_TRUE(ExportGridFile(VpGrid(ramp_, 4, 2, 2), output_).ok());  // 4 x 3 in input
  EXPECT_EQ(DataWords(output_), Bits({0, 1, 4, 5}));
  const GridFileInfo info = ReadGridFile(output_);
  EXPECT_EQ(info.header.nx, 2);
  EXPECT_EQ(info.header.nz, 2);
  ASSERT_TRUE(ExportGridFile(VpGrid(ramp_, 4, 4, 2), output_).ok());  // whole rows: no gathering
  EXPECT_EQ(DataWords(output_), Bits({0, 1, 2, 3, 4, 5, 6, 7}));
  // A last row served in part: 10 values in rows of 4 hold 2 more values of row 3.
  ExportSource partial = VpGrid(ramp_, 4, 2, 3);
  partial.elementCount = 10;
  ASSERT_TRUE(ExportGridFile(partial, output_).ok());
  EXPECT_EQ(DataWords(output_), Bits({0, 1, 4, 5, 8, 9}));
  // Sizes of 0 or less: the header alone, read from no array at all.
  for (auto [nx, nz] : {std::pair{0, 2}, std::pair{-1, -5}}) {
    ExportSource empty = VpGrid(ramp_, 0, nx, nz);
    ASSERT_TRUE(ExportGridFile(empty, output_).ok());
    EXPECT_EQ(ReadFileBytes(output_).size(), 296u);
    EXPECT_TRUE(ReadGridFile(output_).ok());
  }
}

TEST_F(GridExportTest, RefusesAWindowOutsideTheArraysAndKeepsTheOldFile) {
  WriteFileText(output_, "precious");
  struct Window {
    std::int32_t nxInput, nxWrite, nzWrite;
    std::uint32_t elementCount;
  };
  for (const Window& w :
       {Window{4, 5, 1, 12}, Window{4, 4, 4, 12}, Window{4, 3, 3, 10}, Window{0, 1, 1, 12},
        Window{4, 4, 2147483647, 12}, Window{2147483647, 2, 2, 12}}) {
    ExportSource source = VpGrid(ramp_, w.nxInput, w.nxWrite, w.nzWrite);
    source.elementCount = w.elementCount;
    EXPECT_EQ(ExportGridFile(source, output_).message(),
              "Cannot write the grid file " + output_ + ": the size to write nx=" +
                  std::to_string(w.nxWrite) + ", nz=" + std::to_string(w.nzWrite) +
                  " does not fit in the input grid (nx=" + std::to_string(w.nxInput) + ", " +
                  std::to_string(w.elementCount) + " values)." + kNothingWritten);
  }
  ExportSource nothing = VpGrid(ramp_, 4, 4, 3);
  nothing.vp.values = nullptr;
  EXPECT_EQ(ExportGridFile(nothing, output_).message(),
            "Cannot write the grid file " + output_ + ": no property is loaded." + kNothingWritten);
  EXPECT_EQ(ExportGridFile(VpGrid(ramp_, 4, 4, 3), "").message(),
            "Cannot write the grid file: no file name was given." + kNothingWritten);
  EXPECT_EQ(ReadFileBytes(output_), Bytes({'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
  EXPECT_EQ(scratch_.Names(), Names{"out.mvg"});
}

TEST_F(GridExportTest, ACreationFailureNamesTheFileAndLeavesNothing) {
  const std::string noFolder = scratch_.Path("missing") + "/out.mvg";
  const Status missing = ExportGridFile(VpGrid(ramp_, 4, 4, 3), noFolder);
  EXPECT_FALSE(missing.ok());
  const std::string start = "Cannot write the grid file " + noFolder + ": ";
  EXPECT_EQ(missing.message().rfind(start, 0), 0u) << missing.message();
  EXPECT_GT(missing.message().size(), start.size() + kNothingWritten.size() + 5);  // and a reason
  EXPECT_EQ(missing.message().substr(missing.message().size() - kNothingWritten.size()),
            kNothingWritten);

  // An output path that is a folder: the folder and what it holds stay.
  const std::string folder = scratch_.Path("model.mvg");
  std::filesystem::create_directory(folder);
  WriteFileText(folder + "/keep.txt", "kept");
  const Status onFolder = ExportGridFile(VpGrid(ramp_, 4, 4, 3), folder);
  EXPECT_EQ(onFolder.message().rfind("Cannot write the grid file " + folder + ": ", 0), 0u);
  EXPECT_EQ(ReadFileBytes(folder + "/keep.txt"), Bytes({'k', 'e', 'p', 't'}));
  EXPECT_EQ(scratch_.Names(), Names{"model.mvg"});
}

}  // namespace
