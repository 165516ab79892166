#include "gridfile/GridExport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gridfile/GridFileDraft.h"
#include "gridfile/GridFileReader.h"
#include "support/GridFileWords.h"
#include "support/ScratchFolder.h"

namespace {

using Names = std::vector<std::string>;
using Words = std::vector<std::uint32_t>;

const std::string kNothingWritten = "\nNothing was written.";

class GridExportTest : public ::testing::Test {
 protected:
  // Vp alone on a grid nx values wide.
  ExportSource VpGrid(std::int32_t nx, std::int32_t nxWrite, std::int32_t nzWrite) {
    ExportSource source;
    source.properties[PropertyKind::kVp].values = ramp_.data();
    source.window.elementCount = static_cast<std::uint32_t>(ramp_.size());
    source.window.nxInput = nx;
    source.window.nxWrite = nxWrite;
    source.window.nzWrite = nzWrite;
    return source;
  }
  Words Written() const { return DataWords(scratch_.Read("out.mvg")); }

  ScratchFolder scratch_;
  const std::string output_ = scratch_.Path("out.mvg");
  const std::vector<float> ramp_ = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
};

// More nodes than the writer makes at once, two properties with their factors, rows cut short and
// the last one served in part: each node in its place, each value the float product; and rows
// from a later one.
TEST_F(GridExportTest, WritesTheWindowOfFirstColumnsAndRows) {
  const std::int32_t nx = 1001, nz = 400;
  std::vector<float> vp(static_cast<std::size_t>(nx) * nz - 3), vs(vp.size());
  for (std::size_t i = 0; i < vp.size(); ++i) {
    vp[i] = static_cast<float>(i) * 0.25f;
    vs[i] = static_cast<float>(i % 977);
  }
  ExportSource source = VpGrid(nx, nx - 3, nz);
  source.properties[PropertyKind::kVp] = {vp.data(), 0.3048f};
  source.properties[PropertyKind::kVs] = {vs.data(), 1000.0f};
  source.window.elementCount = static_cast<std::uint32_t>(vp.size());
  ASSERT_TRUE(ExportGridFile(source, output_).ok());
  Words expected;
  for (std::int32_t z = 0; z < nz; ++z) {
    for (std::int32_t x = 0; x < nx - 3; ++x) {
      const std::size_t i = static_cast<std::size_t>(z * nx + x);
      expected.insert(expected.end(), {FloatBits(0.3048f * vp[i]), FloatBits(1000.0f * vs[i])});
    }
  }
  EXPECT_TRUE(Written() == expected);
  // Whole rows from the second on, written straight from the array.
  ExportSource rows = VpGrid(4, 4, 2);
  rows.window.zFrom = 1;
  ASSERT_TRUE(ExportGridFile(rows, output_).ok());
  EXPECT_EQ(Written(), BitsOf({4, 5, 6, 7, 8, 9, 10, 11}));
  // A size of 0 or less: the header alone, read from no array at all.
  ASSERT_TRUE(ExportGridFile(VpGrid(0, 0, 2), output_).ok());
  ASSERT_TRUE(ExportGridFile(VpGrid(0, 2, 0), output_).ok());
  EXPECT_EQ(scratch_.Names(), Names{"out.mvg"});
  EXPECT_EQ(scratch_.Read("out.mvg").size(), 296u);
}

// A draft told the values as a reading tells them is finished as the file a write makes, cut
// after the rows written; a draft that is not the data block (a factor, rows from a later one)
// is left for a file written anew, and leaves nothing behind.
TEST_F(GridExportTest, ADraftHoldingTheDataBlockIsFinishedAndAnyOtherLeft) {
  const std::string plain = scratch_.Path("plain.mvg");
  ASSERT_TRUE(ExportGridFile(VpGrid(4, 4, 2), plain).ok());
  const auto exportWithDraft = [&](const ExportSource& source) {
    GridFileDraft draft;
    EXPECT_TRUE(draft.Begin(output_));
    draft.Take(ramp_.data(), 0, 5);
    draft.Take(ramp_.data(), 5, 7);
    GridOutput output(output_);
    output.draft = &draft;
    return ExportGridFile(source, output);
  };
  ASSERT_TRUE(exportWithDraft(VpGrid(4, 4, 2)).ok());
  EXPECT_TRUE(scratch_.Read("out.mvg") == scratch_.Read("plain.mvg"));
  ExportSource scaled = VpGrid(4, 4, 3), later = VpGrid(4, 4, 2);
  scaled.properties[PropertyKind::kVp].factor = 2.0f;
  later.window.zFrom = 1;
  ASSERT_TRUE(exportWithDraft(scaled).ok());
  EXPECT_EQ(Written(), BitsOf({0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}));
  ASSERT_TRUE(exportWithDraft(later).ok());
  EXPECT_EQ(Written(), BitsOf({4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(scratch_.Names(), (Names{"out.mvg", "plain.mvg"}));
}

TEST_F(GridExportTest, RefusesWhatItCannotWriteAndKeepsTheOldFile) {
  scratch_.Write("out.mvg", "precious");
  // Windows wider than the input's rows, or with rows past its values (counted in 64 bits).
  const std::array<std::int32_t, 4> windows[] = {
      {4, 5, 1, 12}, {4, 3, 3, 10}, {2147483647, 2, 2, 12}};
  for (const auto& [nxInput, nxWrite, nzWrite, count] : windows) {
    ExportSource source = VpGrid(nxInput, nxWrite, nzWrite);
    source.window.elementCount = static_cast<std::uint32_t>(count);
    EXPECT_EQ(ExportGridFile(source, output_).status.message(),
              "Cannot write the grid file " + output_ + ": the size to write nx=" +
                  std::to_string(nxWrite) + ", nz=" + std::to_string(nzWrite) +
                  " does not fit in the input grid (nx=" + std::to_string(nxInput) + ", " +
                  std::to_string(count) + " values)." + kNothingWritten);
  }
  ExportSource nothing = VpGrid(4, 4, 3);
  nothing.properties[PropertyKind::kVp].values = nullptr;
  EXPECT_EQ(ExportGridFile(nothing, output_).status.message(),
            "Cannot write the grid file " + output_ + ": no property is loaded." + kNothingWritten);
  EXPECT_EQ(ExportGridFile(VpGrid(4, 4, 3), "").status.message(),
            "Cannot write the grid file: no file name was given." + kNothingWritten);
  EXPECT_EQ(scratch_.Read("out.mvg"), "precious");

  // Where the file cannot be made: in a missing folder, or on a folder (which keeps what it holds).
  const std::string folder = scratch_.Path("model.mvg");
  std::filesystem::create_directory(folder);
  scratch_.Write("model.mvg/keep.txt", "kept");
  for (const std::string& path : {scratch_.Path("missing") + "/out.mvg", folder}) {
    const std::string message = ExportGridFile(VpGrid(4, 4, 3), path).status.message();
    EXPECT_EQ(message.rfind("Cannot write the grid file " + path + ": ", 0), 0u) << message;
    EXPECT_GT(message.size(), path.size() + 60) << message;  // with the system's reason
  }
  EXPECT_EQ(scratch_.Read("model.mvg/keep.txt"), "kept");
  EXPECT_EQ(scratch_.Names(), (Names{"model.mvg", "out.mvg"}));
}

}  // namespace
