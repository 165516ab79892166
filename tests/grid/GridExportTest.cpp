#include "grid/GridExport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "grid/GridFileHeader.h"
#include "grid/GridFileReader.h"
#include "grid/GridScratchFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

constexpr char kNothingWritten[] = "\nNothing was written.";

// The data block of a written file as float32 bit patterns.
std::vector<std::uint32_t> DataWords(const Bytes& file) {
  std::vector<std::uint32_t> words;
  for (std::size_t i = kGridFileHeaderSize; i + 4 <= file.size(); i += 4) {
    words.push_back(LoadLittleEndian32(&file[i]));
  }
  return words;
}

std::vector<std::uint32_t> Bits(const std::vector<float>& values) {
  std::vector<std::uint32_t> bits;
  for (float v : values) bits.push_back(FloatBits(v));
  return bits;
}

std::vector<float> Ramp(std::size_t count, float start) {
  std::vector<float> values(count);
  std::iota(values.begin(), values.end(), start);
  return values;
}

TEST(UnitFactors, HaveTheirExactBitPatterns) {
  EXPECT_EQ(FloatBits(VelocityUnitFactor(0)), 0x3F800000u);
  EXPECT_EQ(FloatBits(VelocityUnitFactor(1)), 0x3E9C0EBFu);
  EXPECT_EQ(FloatBits(VelocityUnitFactor(-1)), 0x3E9C0EBFu);
  EXPECT_EQ(FloatBits(VelocityUnitFactor(7)), 0x3E9C0EBFu);
  EXPECT_EQ(FloatBits(DensityUnitFactor(0)), 0x3F800000u);
  EXPECT_EQ(FloatBits(DensityUnitFactor(1)), 0x447A0000u);
  EXPECT_EQ(FloatBits(DensityUnitFactor(2)), 0x418025D0u);
  EXPECT_EQ(FloatBits(DensityUnitFactor(-1)), 0x3F800000u);
  EXPECT_EQ(FloatBits(DensityUnitFactor(3)), 0x3F800000u);
}

TEST(CheckExportRequest, ChecksInOrderWithTheFixedMessages) {
  const std::string unequal =
      "Input and given grid sizes are not equal !\nThe program is not ready for this case. Sorry. "
      "Poka";
  EXPECT_EQ(CheckExportRequest(false, false, false, "*.mvg", 5, 9), "Open At least one input File");
  EXPECT_EQ(CheckExportRequest(true, false, false, "*.mvg", 5, 9), "Open Mvg file for Saving");
  EXPECT_EQ(CheckExportRequest(true, false, false, "dir/a*b.mvg", 100, 100),
            "Open Mvg file for Saving");
  EXPECT_EQ(CheckExportRequest(true, false, false, "out.mvg", 120, 100), unequal);
  EXPECT_EQ(CheckExportRequest(false, true, true, "out.mvg", 99, 100), unequal);
  EXPECT_EQ(CheckExportRequest(true, true, true, "out.mvg", -1, 4294967295u), unequal);
  EXPECT_EQ(CheckExportRequest(true, false, false, "out.mvg", 100, 100), "");
  // Density and Vs without Vp are exportable (codes QR).
  EXPECT_EQ(CheckExportRequest(false, true, true, "out.mvg", 100, 100), "");
  EXPECT_EQ(CheckExportRequest(false, false, true, "out.mvg", 100, 100), "");
}

class GridExportTest : public ::testing::Test {
 protected:
  // The worked example: Vp alone, 3 x 2 nodes, steps 10 and 5.
  ExportSource Example() {
    ExportSource source;
    source.vpValues = vp_.data();
    source.elementCount = 6;
    source.nxInput = 3;
    source.nxWrite = 3;
    source.nzWrite = 2;
    source.xStep = 10.0f;
    source.zStep = 5.0f;
    return source;
  }

  ExportResult Export(const ExportSource& source) { return ExportGridFile(source, output_); }

  GridScratchFolder scratch_;
  const std::string output_ = scratch_.Path("out.mvg");
  const std::vector<float> vp_ = {1500.0f, 1510.5f, 1520.25f, 1600.0f, 1610.0f, 1620.0f};
};

TEST_F(GridExportTest, WritesTheWorkedExample) {
  const ExportResult result = Export(Example());
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(result.message, "");
  const Bytes file = ReadFileBytes(output_);
  ASSERT_EQ(file.size(), 320u);
  const auto header = MakeGridFileHeader(3, 2, 10.0f, 5.0f, true, false, false).ToBytes();
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
  EXPECT_EQ(DataWords(file), Bits(vp_));  // factor 1.0 copies bit for bit
  const GridFileInfo info = ReadGridFile(output_);
  ASSERT_TRUE(info.ok()) << info.problem;
  EXPECT_EQ(info.header.xExtent, 20.0f);
  EXPECT_EQ(info.header.zExtent, 5.0f);
  EXPECT_EQ(scratch_.Names(), Names{"out.mvg"});
}

TEST_F(GridExportTest, GathersNodeByNodeInPropertyOrderWithUnitsApplied) {
  const std::vector<float> density = {2.5f, 1.0f, 2.0f, 2.2f};
  const std::vector<float> vs = {1000.0f, 3000.0f, 0.0f, -1.0f};
  ExportSource source;
  source.vpValues = vs.data();  // Vp in ft/s
  source.densityValues = density.data();
  source.vsValues = vs.data();
  source.elementCount = 4;
  source.nxInput = 2;
  source.nxWrite = 2;
  source.nzWrite = 2;
  source.vpUnitIndex = 1;
  source.densityUnitIndex = 1;  // g/cm3
  source.vsUnitIndex = 0;
  ASSERT_TRUE(Export(source).ok);
  const Bytes file = ReadFileBytes(output_);
  ASSERT_EQ(file.size(), 296u + 12 * 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[252])), "PQR");
  // 1000 ft/s -> 304.80002 (0x43986667); 3000 ft/s -> 914.40002 (0x4464999A); 2.5 g/cm3 -> 2500.
  EXPECT_EQ(DataWords(file), (std::vector<std::uint32_t>{
                                 0x43986667, FloatBits(2500.0f), FloatBits(1000.0f),  //
                                 0x4464999A, FloatBits(1000.0f), FloatBits(3000.0f),  //
                                 0x00000000, FloatBits(2000.0f), 0x00000000,          //
                                 FloatBits(-0.3048f), FloatBits(2200.0f), FloatBits(-1.0f)}));

  const std::vector<float> pounds = {62.4f};
  ExportSource densityAlone;
  densityAlone.densityValues = pounds.data();
  densityAlone.elementCount = 1;
  densityAlone.nxInput = densityAlone.nxWrite = densityAlone.nzWrite = 1;
  densityAlone.densityUnitIndex = 2;  // lb/ft3
  ASSERT_TRUE(Export(densityAlone).ok);
  EXPECT_EQ(DataWords(ReadFileBytes(output_)), std::vector<std::uint32_t>{0x4479E356});  // 999.5521
}

TEST_F(GridExportTest, DensityAndVsWithoutVpAreWrittenAsQR) {
  const std::vector<float> density = Ramp(6, 2000.0f), vs = Ramp(6, 800.0f);
  ExportSource source = Example();
  source.vpValues = nullptr;
  source.densityValues = density.data();
  source.vsValues = vs.data();
  ASSERT_TRUE(Export(source).ok);
  const GridFileInfo info = ReadGridFile(output_);
  ASSERT_TRUE(info.ok()) << info.problem;
  EXPECT_EQ(info.header.propertyCodes, "QR");
  ASSERT_EQ(info.ranges.size(), 2u);
  EXPECT_EQ(info.ranges[0].minimum, 2000.0f);
  EXPECT_EQ(info.ranges[1].maximum, 805.0f);
  EXPECT_EQ(ReadFileBytes(output_).size(), 296u + 6 * 8);
}

TEST_F(GridExportTest, WritesTheWindowOfFirstColumnsAndRows) {
  const std::vector<float> grid = Ramp(12, 0.0f);  // 4 x 3
  ExportSource source;
  source.vpValues = grid.data();
  source.elementCount = 12;
  source.nxInput = 4;
  source.nxWrite = 2;
  source.nzWrite = 2;
  ASSERT_TRUE(Export(source).ok);
  const Bytes file = ReadFileBytes(output_);
  EXPECT_EQ(DataWords(file), Bits({0.0f, 1.0f, 4.0f, 5.0f}));
  EXPECT_EQ(LoadLittleEndian32(&file[196]), 2u);
  EXPECT_EQ(LoadLittleEndian32(&file[200]), 2u);

  // The last row may be served in part: 10 values of rows of 4 hold a third row of 2.
  source.elementCount = 10;
  source.nzWrite = 3;
  ASSERT_TRUE(Export(source).ok);
  EXPECT_EQ(DataWords(ReadFileBytes(output_)), Bits({0.0f, 1.0f, 4.0f, 5.0f, 8.0f, 9.0f}));
}

TEST_F(GridExportTest, RefusesAWindowOutsideTheArraysAndKeepsTheOldFile) {
  WriteFileText(output_, "precious");
  const std::vector<float> grid = Ramp(12, 0.0f);
  struct Window {
    std::int32_t nxInput, nxWrite, nzWrite;
    std::uint32_t elementCount;
  };
  for (const Window& w :
       {Window{4, 5, 1, 12}, Window{4, 4, 4, 12}, Window{4, 3, 3, 10}, Window{0, 1, 1, 12},
        Window{-4, 1, 1, 12}, Window{4, 4, 2147483647, 12}, Window{2147483647, 2, 2, 12}}) {
    ExportSource source;
    source.vpValues = grid.data();
    source.elementCount = w.elementCount;
    source.nxInput = w.nxInput;
    source.nxWrite = w.nxWrite;
    source.nzWrite = w.nzWrite;
    const ExportResult result = Export(source);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              "Cannot write the grid file " + output_ + ": the size to write nx=" +
                  std::to_string(w.nxWrite) + ", nz=" + std::to_string(w.nzWrite) +
                  " does not fit in the input grid (nx=" + std::to_string(w.nxInput) + ", " +
                  std::to_string(w.elementCount) + " values)." + kNothingWritten);
  }
  ExportSource nothing = Example();
  nothing.vpValues = nullptr;
  EXPECT_EQ(Export(nothing).message,
            "Cannot write the grid file " + output_ + ": no property is loaded." + kNothingWritten);
  EXPECT_EQ(ReadFileBytes(output_), Bytes({'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
  EXPECT_EQ(scratch_.Names(), Names{"out.mvg"});
}

TEST_F(GridExportTest, NonPositiveSizesWriteTheHeaderAlone) {
  for (auto [nx, nz] : {std::pair{0, 2}, std::pair{3, 0}, std::pair{-1, -5}}) {
    ExportSource source = Example();
    source.nxInput = 0;  // nothing is read, so no grid is needed
    source.nxWrite = nx;
    source.nzWrite = nz;
    ASSERT_TRUE(Export(source).ok);
    const Bytes file = ReadFileBytes(output_);
    ASSERT_EQ(file.size(), 296u);
    EXPECT_EQ(LoadLittleEndian32(&file[196]), static_cast<std::uint32_t>(nx));
    EXPECT_TRUE(ReadGridFile(output_).ok());
  }
}

TEST_F(GridExportTest, ReplacesALargerFileByExactlyTheNewSize) {
  WriteFileBytes(output_, Bytes(100000, 0xAB));
  ASSERT_TRUE(Export(Example()).ok);
  EXPECT_EQ(ReadFileBytes(output_).size(), 320u);
  EXPECT_EQ(scratch_.Names(), Names{"out.mvg"});
}

TEST_F(GridExportTest, ACreationFailureNamesTheFileAndLeavesNothing) {
  const std::string noFolder = scratch_.Path("missing") + "/out.mvg";
  const ExportResult missing = ExportGridFile(Example(), noFolder);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.message.rfind("Cannot write the grid file " + noFolder + ": ", 0), 0u)
      << missing.message;
  EXPECT_GT(missing.message.size(), 60u + noFolder.size());  // a reason stands between
  EXPECT_NE(missing.message.find(kNothingWritten), std::string::npos);

  // An output path that is a folder: the folder and what it holds stay.
  const std::string folder = scratch_.Path("model.mvg");
  std::filesystem::create_directory(folder);
  WriteFileText(folder + "/keep.txt", "kept");
  const ExportResult onFolder = ExportGridFile(Example(), folder);
  EXPECT_FALSE(onFolder.ok);
  EXPECT_EQ(onFolder.message.rfind("Cannot write the grid file " + folder + ": ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(ReadFileBytes(folder + "/keep.txt"), Bytes({'k', 'e', 'p', 't'}));
  EXPECT_EQ(scratch_.Names(), Names{"model.mvg"});
}

// The marmousi2 model, converted whole and read back.
std::vector<float> ReadModel(const std::string& name) {
  const char* shared = std::getenv("MVG_SHARED_DIR");
  std::ifstream in(std::string(shared ? shared : "") + "/data/marmousi2/" + name);
  std::vector<float> values;
  double value;
  while (in >> value) values.push_back(static_cast<float>(value));
  return values;
}

TEST_F(GridExportTest, ConvertsMarmousi2Whole) {
  const std::vector<float> vp = ReadModel("vp.txt"), density = ReadModel("density.txt"),
                           vs = ReadModel("vs.txt");
  if (vp.size() != 87000 || density.size() != 87000 || vs.size() != 87000) {
    GTEST_SKIP() << "marmousi2 model not found below MVG_SHARED_DIR";
  }
  ExportSource source;
  source.vpValues = vp.data();
  source.densityValues = density.data();
  source.vsValues = vs.data();
  source.elementCount = 87000;
  source.nxInput = source.nxWrite = 500;
  source.nzWrite = 174;
  source.xStep = source.zStep = 20.0f;
  ASSERT_TRUE(Export(source).ok);

  const GridFileInfo info = ReadGridFile(output_);
  ASSERT_TRUE(info.ok()) << info.problem;
  EXPECT_EQ(info.header.nx, 500);
  EXPECT_EQ(info.header.nz, 174);
  EXPECT_EQ(info.header.xExtent, 9980.0f);
  EXPECT_EQ(info.header.zExtent, 3460.0f);
  const std::vector<const std::vector<float>*> models = {&vp, &density, &vs};
  for (std::size_t p = 0; p < 3; ++p) {
    EXPECT_EQ(info.ranges[p].minimum, *std::min_element(models[p]->begin(), models[p]->end()));
    EXPECT_EQ(info.ranges[p].maximum, *std::max_element(models[p]->begin(), models[p]->end()));
  }
  const Bytes file = ReadFileBytes(output_);
  ASSERT_EQ(file.size(), 296u + 87000u * 12);
  // Node (x 317, z 101): row after row, three values a node.
  const std::size_t node = 101 * 500 + 317;
  EXPECT_EQ(LoadLittleEndian32(&file[296 + 12 * node]), FloatBits(vp[node]));
  EXPECT_EQ(LoadLittleEndian32(&file[296 + 12 * node + 4]), FloatBits(density[node]));
  EXPECT_EQ(LoadLittleEndian32(&file[296 + 12 * node + 8]), FloatBits(vs[node]));
}

}  // namespace
