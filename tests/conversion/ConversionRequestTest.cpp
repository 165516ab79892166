#include "conversion/ConversionRequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion/PropertyLoad.h"
#include "support/GridFileWords.h"
#include "support/ScratchFolder.h"

namespace {

using Words = std::vector<std::uint32_t>;

class ConversionRequestTest : public ::testing::Test {
 protected:
  // Vp in m/s on a 2 x 2 grid, written to out.mvg.
  ConversionRequestTest() {
    scratch_.Write("vp.txt", "1000 3000 1000 3000");
    request_.vp = {vp_.data(), FindUnit(PropertyKind::kVp, "m/s"), vpPath_, "vp.txt"};
    request_.elementCount = 4;
    request_.inputCount = 4;
    request_.nxInput = request_.nzInput = request_.nxWrite = request_.nzWrite = 2;
    request_.outputName = "out.mvg";
    request_.outputPath = scratch_.Path("out.mvg");
  }

  std::string Refusal() const { return CheckConversionRequest(request_).message(); }

  Words Data() const { return DataWords(ReadFileBytes(request_.outputPath)); }

  ScratchFolder scratch_;
  const std::string vpPath_ = scratch_.Path("vp.txt");
  const std::vector<float> vp_ = {1000.0f, 3000.0f, 1000.0f, 3000.0f};
  const std::vector<float> density_ = {2.5f, 62.4f, 1.0f, 1.0f};
  ConversionRequest request_;
};

TEST_F(ConversionRequestTest, ChecksRunInOrderEachWithItsMessageAndPart) {
  ConversionRequest nothing = request_;
  nothing.vp = {};
  nothing.outputName = "*.mvg";
  EXPECT_EQ(CheckConversionRequest(nothing).message(), "Open At least one input File");
  request_.outputName = "*.mvg";
  EXPECT_EQ(Refusal(), "Open Mvg file for Saving");
  request_.outputName = "out.mvg";
  request_.inputCount = 5;
  RequestPart part = RequestPart::kNone;
  EXPECT_EQ(CheckConversionRequest(request_, &part).message(),
            "Input and given grid sizes are not equal !\n"
            "The program is not ready for this case. Sorry. Poka");
  EXPECT_EQ(part, RequestPart::kInputCount);
  request_.inputCount = 4;

  struct Case {
    std::int32_t nxWrite, nzWrite;
    float xStep, zStep;
    RequestPart part;
    const char* message;
  };
  const Case cases[] = {
      {0, 2, 1, 1, RequestPart::kNxWrite, "Size nx=0 to Write could not be less then 1"},
      {3, 2, 1, 1, RequestPart::kNxWrite,
       "Size nx=3 to Write could not be greater then nx=2 in input file"},
      {2, -1, 1, 1, RequestPart::kNzWrite, "Size nz=-1 to Write could not be less then 1"},
      {2, 2, 0, 1, RequestPart::kXStep, "The X step must be greater than 0."},
      {2, 2, 1, -0.5f, RequestPart::kZStep, "The Z step must be greater than 0."},
      {2, 2, 3.4028235e38f, 1, RequestPart::kNone, ""},  // one step fits the largest float
      {2, 2, 1, 1.7e38f, RequestPart::kNone, ""},
      {2, 2, 1, 3.4028235e38f, RequestPart::kNone, ""},
  };
  for (const Case& c : cases) {
    request_.nxWrite = c.nxWrite;
    request_.nzWrite = c.nzWrite;
    request_.xStep = c.xStep;
    request_.zStep = c.zStep;
    EXPECT_EQ(CheckConversionRequest(request_, &part).message(), c.message);
    EXPECT_EQ(part, c.part);
  }
  // (2 - 1) x step fits; a third node does not.
  request_.nxInput = 4;
  request_.nzInput = 1;
  request_.nxWrite = 3;
  request_.nzWrite = 1;
  request_.xStep = 3e38f;
  EXPECT_EQ(CheckConversionRequest(request_, &part).message(),
            "The X extent (X size to write - 1) x X step is too large for a grid file.");
  EXPECT_EQ(part, RequestPart::kXStep);
}

TEST_F(ConversionRequestTest, AnOutputThatIsAnInputReachedAnyWayIsRefusedAndTheInputKept) {
  for (const std::string& output :
       {vpPath_, scratch_.Folder() + "/./vp.txt",
        scratch_.Folder() + "/../" + std::filesystem::path(scratch_.Folder()).filename().string() +
            "/vp.txt"}) {
    request_.outputPath = output;
    RequestPart part = RequestPart::kNone;
    EXPECT_EQ(CheckConversionRequest(request_, &part).message(),
              "The grid file would replace the input file vp.txt. Choose another name.");
    EXPECT_EQ(part, RequestPart::kOutput);
  }
  request_.outputPath = scratch_.Path("vp.mvg");
  EXPECT_TRUE(CheckConversionRequest(request_).ok());
}

TEST_F(ConversionRequestTest, UnitsAreFoundByTheirNamesAndTurnIntoTheFilesUnits) {
  EXPECT_EQ(FindUnit(PropertyKind::kVp, " FT/S\t")->name, std::string("ft/s"));
  EXPECT_EQ(FindUnit(PropertyKind::kDensity, "g/cc")->name, std::string("g/cc"));
  EXPECT_EQ(FindUnit(PropertyKind::kDensity, "m/s"), nullptr);
  EXPECT_EQ(UnitNames(PropertyKind::kDensity), "kg/m3, g/cm3, lb/ft3 or g/cc");

  request_.vp.unit = FindUnit(PropertyKind::kVp, "ft/s");
  request_.density = {density_.data(), FindUnit(PropertyKind::kDensity, "g/cm3"), "", "d"};
  ASSERT_TRUE(WriteGridFile(request_).ok());
  // 1000 ft/s -> 304.80002 (0x43986667), 3000 ft/s -> 914.40002 (0x4464999A); node by node.
  EXPECT_EQ(Data(), (Words{0x43986667, FloatBits(2500.0f), 0x4464999A, FloatBits(62400.0f),
                           0x43986667, FloatBits(1000.0f), 0x4464999A, FloatBits(1000.0f)}));
  // 62.4 lb/ft3 -> 999.5521 (0x4479E356); 3 km/s -> 3000 m/s.
  request_.vp.unit = FindUnit(PropertyKind::kVp, "km/s");
  request_.density.unit = FindUnit(PropertyKind::kDensity, "lb/ft3");
  ASSERT_TRUE(WriteGridFile(request_).ok());
  EXPECT_EQ(Data()[3], 0x4479E356u);
  EXPECT_EQ(Data()[0], FloatBits(1e6f));
}

TEST_F(ConversionRequestTest, AFileOfAnotherCountIsRefusedWithItsFiguresAndNoValues) {
  scratch_.Write("rho.txt", "1 2 3\n4 5");
  const LoadedProperty refused = LoadProperty(scratch_.Path("rho.txt"), "rho.txt", 4);
  EXPECT_TRUE(refused.countDiffers);
  EXPECT_TRUE(refused.values.empty());
  EXPECT_EQ(refused.summary.count, 5u);  // its figures, for the user to see why
  EXPECT_EQ(refused.summary.maximum, 5.0f);
  const LoadedProperty first = LoadProperty(scratch_.Path("rho.txt"), "rho.txt", 0);
  ASSERT_TRUE(first.ok()) << first.status.message();
  EXPECT_EQ(first.values[4], 5.0f);
}

}  // namespace
