#include "conversion/ConversionRequest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "conversion/Conversion.h"
#include "conversion/CoordinateFindings.h"
#include "conversion/Findings.h"
#include "conversion/HeldValues.h"
#include "conversion/PreparedSample.h"
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
    Vp() = {vp_.data(), FindUnit(PropertyKind::kVp, "m/s"), vpPath_, "vp.txt"};
    request_.window = {4, 2, 2, 2, 1.0f, 1.0f};
    request_.inputCount = 4;
    request_.nzInput = 2;
    request_.outputName = "out.mvg";
    request_.outputPath = scratch_.Path("out.mvg");
  }

  std::string Refusal() const { return CheckConversionRequest(request_).message(); }
  PropertyInput& Vp() { return request_.inputs[PropertyKind::kVp]; }
  PropertyInput& Density() { return request_.inputs[PropertyKind::kDensity]; }
  // Written whatever the findings.
  bool Written() const {
    FindingsAnswer answer;
    answer.writeDespite = [](const std::vector<std::string>&) { return true; };
    return RunConversion(request_, answer).written;
  }

  Words Data() const { return DataWords(ReadFileBytes(request_.outputPath)); }

  ScratchFolder scratch_;
  const std::string vpPath_ = scratch_.Path("vp.txt");
  const std::vector<float> vp_ = {1000.0f, 3000.0f, 1000.0f, 3000.0f};
  const std::vector<float> density_ = {2.5f, 62.4f, 1.0f, 1.0f};
  ConversionRequest request_;
};

TEST_F(ConversionRequestTest, ChecksRunInOrderEachWithItsMessageAndPart) {
  ConversionRequest nothing = request_;
  nothing.inputs[PropertyKind::kVp] = {};
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
    request_.window.nxWrite = c.nxWrite;
    request_.window.nzWrite = c.nzWrite;
    request_.window.xStep = c.xStep;
    request_.window.zStep = c.zStep;
    EXPECT_EQ(CheckConversionRequest(request_, &part).message(), c.message);
    EXPECT_EQ(part, c.part);
  }
  // (2 - 1) x step fits; a third node does not.
  request_.window = {4, 4, 3, 1, 3e38f, 1.0f};
  request_.nzInput = 1;
  EXPECT_EQ(CheckConversionRequest(request_, &part).message(),
            "The X extent (X size to write - 1) x X step is too large for a grid file.");
  EXPECT_EQ(part, RequestPart::kXStep);
}

// Its other spellings are the commands' tests' cases.
TEST_F(ConversionRequestTest, AnOutputThatIsAnInputIsRefusedAsTheOutputsFault) {
  request_.outputPath = scratch_.Folder() + "/./vp.txt";
  RequestPart part = RequestPart::kNone;
  EXPECT_EQ(CheckConversionRequest(request_, &part).message(),
            "The grid file would replace the input file vp.txt. Choose another name.");
  EXPECT_EQ(part, RequestPart::kOutput);
  request_.outputPath = scratch_.Path("vp.mvg");
  EXPECT_TRUE(CheckConversionRequest(request_).ok());
}

TEST_F(ConversionRequestTest, UnitsAreFoundByTheirNamesAndTurnIntoTheFilesUnits) {
  EXPECT_EQ(FindUnit(PropertyKind::kVp, " FT/S\t")->name, std::string("ft/s"));
  EXPECT_EQ(FindUnit(PropertyKind::kDensity, "g/cc")->name, std::string("g/cc"));
  EXPECT_EQ(FindUnit(PropertyKind::kDensity, "m/s"), nullptr);
  EXPECT_EQ(UnitNames(PropertyKind::kDensity), "kg/m3, g/cm3, lb/ft3 or g/cc");

  Vp().unit = FindUnit(PropertyKind::kVp, "ft/s");
  Density() = {density_.data(), FindUnit(PropertyKind::kDensity, "g/cm3"), "", "d"};
  ASSERT_TRUE(Written());
  // 1000 ft/s -> 304.80002 (0x43986667), 3000 ft/s -> 914.40002 (0x4464999A); node by node.
  EXPECT_EQ(Data(), (Words{0x43986667, FloatBits(2500.0f), 0x4464999A, FloatBits(62400.0f),
                           0x43986667, FloatBits(1000.0f), 0x4464999A, FloatBits(1000.0f)}));
  // 62.4 lb/ft3 -> 999.5521 (0x4479E356); 3 km/s -> 3000 m/s.
  Vp().unit = FindUnit(PropertyKind::kVp, "km/s");
  Density().unit = FindUnit(PropertyKind::kDensity, "lb/ft3");
  ASSERT_TRUE(Written());
  EXPECT_EQ(Data()[3], 0x4479E356u);
  EXPECT_EQ(Data()[0], FloatBits(1e6f));
}

// The reader says how it knows the X size and the findings ask about a guess, naming what the
// front end calls the choice to make; a front end's own X size (by default) is no guess.
TEST_F(ConversionRequestTest, AGuessedXSizeIsAFindingAndAChosenOneIsNot) {
  const TextGridRead read = ReadTextGridText("1000 1000 3000 3000", "vp.txt");
  Vp().values = read.values.data();
  Vp().lines = &read.lines;
  EXPECT_TRUE(FindingsOf(request_).empty());
  request_.xSizeKnown = read.form.facts.nx;
  EXPECT_EQ(FindingsOf(request_),
            std::vector<std::string>{"vp.txt: 4 values on one line say nothing of the X size; nx 2 "
                                     "is a guess: give the X size"});
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

// Coordinates beside the values are found in the smallest grids too: a first row over a single row
// of values, a first column beside a single column.
TEST_F(ConversionRequestTest, CoordinatesBesideTheValuesOfTheSmallestGrids) {
  const float rowFirst[] = {0, 20, 40, 60, 1500, 1650, 1520, 1710};
  PropertyInput input{rowFirst, nullptr, "", "vp.txt"};
  EXPECT_EQ(FirstRowFinding(input, 4, 2, "--skip-rows 1"),
            "vp.txt: the first row rises by 20 from column to column, from 0 to 60: x "
            "coordinates? --skip-rows 1 leaves it out");
  const float columnFirst[] = {0, 1500, 20, 1650, 40, 1520, 60, 1710};
  input.values = columnFirst;
  EXPECT_EQ(FirstColumnFinding(input, 2, 4, "--skip-columns 1"),
            "vp.txt: the first column rises by 20 on each line, from 0 to 60: depths? "
            "--skip-columns 1 leaves it out");
}

// The report's velocities are those of the window's nodes alone, whichever rows and columns it
// keeps: the slowest and fastest of the grid lie beside it.
TEST_F(ConversionRequestTest, TheReportMeasuresTheWindowAlone) {
  const std::vector<float> vp = {2000, 2100, 2200, 5000,  //
                                 1000, 2300, 2400, 2500,  //
                                 2600, 2700, 2800, 2900};
  Vp().values = vp.data();
  request_.inputCount = 12;
  request_.nzInput = 3;
  const struct {
    std::int32_t xFrom, zFrom, nxWrite, nzWrite;
  } windows[] = {{1, 0, 2, 3}, {0, 1, 2, 2}, {2, 1, 2, 2}, {0, 2, 4, 1}, {1, 1, 3, 1}};
  for (const auto& w : windows) {
    request_.window = {12, 4, w.nxWrite, w.nzWrite, 1.0f, 1.0f, w.xFrom, w.zFrom};
    float slowest = 1e9f, fastest = 0;
    for (int z = w.zFrom; z < w.zFrom + w.nzWrite; ++z) {
      for (int x = w.xFrom; x < w.xFrom + w.nxWrite; ++x) {
        slowest = std::min(slowest, vp[static_cast<std::size_t>(z * 4 + x)]);
        fastest = std::max(fastest, vp[static_cast<std::size_t>(z * 4 + x)]);
      }
    }
    const StabilityReport report = StabilityOfRequest(request_);
    EXPECT_EQ(report.slowest, slowest) << w.xFrom << ", " << w.zFrom;
    EXPECT_EQ(report.fastest, fastest) << w.xFrom << ", " << w.zFrom;
  }
}

// Values in km/s go into the model in m/s, prepared or not: the border's nodes and the others.
TEST_F(ConversionRequestTest, APreparedModelHoldsMetresPerSecond) {
  const std::vector<float> kilometres = {1.5f, 2.5f, 3.5f, 4.5f};
  Vp() = {kilometres.data(), FindUnit(PropertyKind::kVp, "km/s"), vpPath_, "vp.txt"};
  request_.preparation.border.left = 1;
  ASSERT_TRUE(Written());
  EXPECT_EQ(Data(), (Words{FloatBits(1500), FloatBits(1500), FloatBits(2500), FloatBits(3500),
                           FloatBits(3500), FloatBits(4500)}));
}

}  // namespace

TEST_F(ConversionRequestTest, APreparationIsCheckedEachWithItsMessageAndPart) {
  const std::vector<float> holes(4, -999.25f);
  const struct {
    std::function<void(ConversionRequest&)> change;
    RequestPart part;
    std::string message;
  } cases[] = {
      {[&](ConversionRequest& r) {
         r.inputs[PropertyKind::kDensity] = {density_.data(), nullptr, "", "rho.txt"};
         r.preparation.sources[PropertyKind::kDensity].rule = PropertyRule::kGardner;
       },
       RequestPart::kDensitySource, "Density is given both as a file and as a rule: choose one."},
      {[&](ConversionRequest& r) {
         r.inputs[PropertyKind::kDensity] = r.inputs[PropertyKind::kVp];
         r.inputs[PropertyKind::kVp] = {};
         r.preparation.sources[PropertyKind::kVs].rule = PropertyRule::kMudrock;
       },
       RequestPart::kVsSource, "Vs by the mudrock line needs Vp: load the Vp grid too."},
      {[](ConversionRequest& r) {
         r.preparation.sources[PropertyKind::kVs].rule = PropertyRule::kMudrock;
         r.preparation.waterVp = -1;
       },
       RequestPart::kWater, "The water's Vp, -1 m/s, must be 0 or more."},
      {[&](ConversionRequest& r) {
         r.inputs[PropertyKind::kVp].values = holes.data();
         r.preparation.sources[PropertyKind::kVp].fill.how = HoleFilling::kNearest;
       },
       RequestPart::kHoles,
       "vp.txt holds no-data markers alone: no node is left to fill its holes from."},
      {[](ConversionRequest& r) {
         r.inputs[PropertyKind::kVp].unit = FindUnit(PropertyKind::kVp, "km/s");
         r.preparation.sources[PropertyKind::kVp].fill = {HoleFilling::kValue, 1e36f};
       },
       RequestPart::kHoles,
       "vp.txt: holes cannot be filled with 1e+36 km/s: it is beyond the range of 32-bit floats "
       "in m/s."},
      {[](ConversionRequest& r) { r.preparation.resample = true, r.preparation.xStep = 2; },
       RequestPart::kNewZStep, "The new Z step must be greater than 0."},
      {[](ConversionRequest& r) { r.preparation.border.top = -2; }, RequestPart::kBorder,
       "The border's top side, -2 nodes, must be 0 nodes or more."},
      {[](ConversionRequest& r) { r.preparation.border.left = 2147483647; }, RequestPart::kBorder,
       "The grid to write, 2147483649 x 2 nodes, is more than a grid file holds (2147483647 nodes "
       "along an axis)."},
      // As many rows or columns as a grid file holds, then one of the border: the border is
      // too much.
      {[](ConversionRequest& r) {
         r.window = {1u << 30, 1, 1, 1 << 30, 1.0f, 1.0f};
         r.inputCount = 1 << 30;
         r.nzInput = 1 << 30;
         r.preparation.resample = true;
         r.preparation.xStep = 1.0f;
         r.preparation.zStep = 0.5f;
         r.preparation.border.top = 1;
       },
       RequestPart::kBorder,
       "The grid to write, 1 x 2147483648 nodes, is more than a grid file holds (2147483647 nodes "
       "along an axis)."},
      {[](ConversionRequest& r) {
         r.window = {1u << 30, 1 << 30, 1 << 30, 1, 1.0f, 1.0f};
         r.inputCount = 1 << 30;
         r.nzInput = 1;
         r.preparation.resample = true;
         r.preparation.xStep = 0.5f;
         r.preparation.zStep = 1.0f;
         r.preparation.border.right = 1;
       },
       RequestPart::kBorder,
       "The grid to write, 2147483648 x 1 nodes, is more than a grid file holds (2147483647 nodes "
       "along an axis)."},
      {[](ConversionRequest& r) { r.window.zFrom = 1; }, RequestPart::kZFrom,
       "The window's Z nodes 1 to 2 leave the grid, whose last Z node is 1."},
  };
  for (const auto& c : cases) {
    ConversionRequest request = request_;
    c.change(request);
    RequestPart part = RequestPart::kNone;
    EXPECT_EQ(CheckConversionRequest(request, &part).message(), c.message);
    EXPECT_EQ(part, c.part) << c.message;
  }
}

// Holes in a grid of unequal steps, scattered and in a block, against every other node in turn:
// the nearest, of those as near the upper, then the left. Equal steps make many ties.
TEST_F(ConversionRequestTest, EachHoleTakesTheNearestNodeTiesToTheUpperThenTheLeft) {
  const std::int32_t nx = 37, nz = 23;
  std::vector<float> values(nx * nz);
  std::uint32_t random = 12345;
  for (std::size_t i = 0; i < values.size(); ++i) {
    random = random * 1103515245u + 12345u;
    const bool inBlock = i % nx >= 5 && i % nx < 15 && i / nx >= 3 && i / nx < 11;
    values[i] = inBlock || (random >> 16) % 5 < 2 ? -9999.0f : 1000.0f + static_cast<float>(i);
  }
  const auto hole = [&](std::int64_t i) { return values[i] == -9999.0f; };
  for (const float zStep : {20.0f, 12.5f}) {
    request_.inputs[PropertyKind::kVp].values = values.data();
    request_.window = {static_cast<std::uint32_t>(values.size()), nx, nx, nz, 20.0f, zStep};
    request_.inputCount = nx * nz;
    request_.nzInput = nz;
    request_.preparation.sources[PropertyKind::kVp].fill.how = HoleFilling::kNearest;
    ASSERT_TRUE(Written());
    const Words written = Data();
    std::size_t wrong = 0;
    for (std::int64_t i = 0; i < nx * nz; ++i) {
      std::int64_t best = -1;
      double nearest = 0;
      for (std::int64_t j = 0; j < nx * nz && hole(i); ++j) {
        const double dx = (j % nx - i % nx) * 20.0, dz = (j / nx - i / nx) * zStep;
        if (!hole(j) && (best < 0 || dx * dx + dz * dz < nearest)) {
          best = j;  // rows, then columns, come in order: the first found wins a tie
          nearest = dx * dx + dz * dz;
        }
      }
      wrong += written[i] != FloatBits(values[best < 0 ? i : best]);
    }
    EXPECT_EQ(wrong, 0u) << zStep;
  }
}

// A grid whose values change far more along its rows than down its columns is asked about: is
// it stored column by column? The changes are summed in lanes, so the step along the rows is
// put at each place in turn, in rows of even and of odd length.
TEST_F(ConversionRequestTest, ValuesChangingAlongTheRowsAskWhetherTheFileHoldsColumns) {
  for (const auto& [nx, times] : {std::pair{6, "10"}, std::pair{7, "8"}}) {
    for (int step = 0; step + 1 < nx; ++step) {
      std::vector<float> vp;
      for (int z = 0; z < 4; ++z) {
        for (int x = 0; x < nx; ++x) vp.push_back(1500.0f + 1000.0f * (x > step) + 20.0f * (z % 2));
      }
      Vp().values = vp.data();
      request_.window = {static_cast<std::uint32_t>(vp.size()), nx, nx, 4, 20.0f, 20.0f};
      request_.inputCount = 4 * nx;
      request_.nzInput = 4;
      EXPECT_EQ(FindingsOf(request_),
                std::vector<std::string>{std::string("vp.txt: values change ") + times +
                                         " times more along the rows than down the columns: is "
                                         "the file stored column by column?"})
          << nx << " values a row, the step after column " << step + 1;
    }
  }
}

// The sea is the slow nodes joined to the top row through slow nodes, whichever way the joins
// run: down to the bottom row and back up into a pocket. Slow nodes not joined, even in a row
// beside sea, are a lens: rock to the rules, and a finding. Drawn: w water, l lens, # rock.
TEST_F(ConversionRequestTest, TheSeaIsTheSlowNodesJoinedToTheTopRowAndALensIsRock) {
  const struct {
    std::vector<std::string> rows;
    std::string finding;
  } cases[] = {
      {{"ww###", "ww#l#", "##ll#", "#####"},
       "3 nodes at or below 1550 m/s lie below the sea (the first at row 2, column 4): not taken "
       "as water."},
      {{"w####", "w##w#", "w#ww#", "wwww#"}, ""},
      {{"w###", "w##l", "w#ll"},
       "3 nodes at or below 1550 m/s lie below the sea (the first at row 2, column 4): not taken "
       "as water."},
      // A lens on the bottom row: nothing below the grid joins it to the sea.
      {{std::string(96, '#'), "l" + std::string(95, '#')},
       "1 node at or below 1550 m/s lies below the sea (the first at row 2, column 1): not taken "
       "as water."},
  };
  for (const auto& c : cases) {
    const std::int32_t nx = static_cast<std::int32_t>(c.rows[0].size());
    const std::int32_t nz = static_cast<std::int32_t>(c.rows.size());
    std::string drawn;
    for (const std::string& row : c.rows) drawn += row;
    std::vector<float> vp;
    for (const char node : drawn) vp.push_back(node == '#' ? 3000.0f : 1500.0f);
    Vp().values = vp.data();
    request_.window = {static_cast<std::uint32_t>(vp.size()), nx, nx, nz, 20.0f, 20.0f};
    request_.inputCount = nx * nz;
    request_.nzInput = nz;
    request_.preparation.sources[PropertyKind::kVs] = {PropertyRule::kVpRatio, 2.0f, {}};
    std::vector<std::string> findings;
    FindingsAnswer answer;
    answer.writeDespite = [&findings](const std::vector<std::string>& found) {
      findings = found;
      return true;
    };
    ASSERT_TRUE(RunConversion(request_, answer).written) << drawn;
    std::string lens;
    for (const std::string& finding : findings) {
      if (finding.find("below the sea") != std::string::npos) lens = finding;
    }
    EXPECT_EQ(lens, c.finding) << drawn;
    const Words written = Data();
    ASSERT_EQ(written.size(), 2 * vp.size());
    std::string water;
    for (std::size_t i = 0; i < vp.size(); ++i) {
      water += written[2 * i + 1] == FloatBits(0) ? 'w' : drawn[i] == '#' ? '#' : 'l';
    }
    EXPECT_EQ(water, drawn);
  }
}

// Values held in memory (a script's arrays) take NaN as holes, as files do: refused unless they
// are filled, named as NaN. Without NaN, values that look like no-data markers are a finding,
// not holes.
TEST_F(ConversionRequestTest, HeldValuesTakeNaNAsHolesAndNothingElse) {
  std::vector<float> values = {1500, 1650, 1600, std::nanf(""), 1900, std::nanf("")};
  HeldGrid grid;
  grid.nx = 3;
  grid.nz = 2;
  grid.properties[PropertyKind::kVp] = {values.data(), "vp", "", {}};
  NamedChoices named;
  named.style = NamedChoices::Style::kKeywords;
  named.values = {{"dx", "20"}, {"dz", "20"}};
  ConversionRequest request;
  ASSERT_TRUE(RequestForHeldValues(grid, named, request_.outputPath, request).ok());
  FindingsAnswer answer;
  answer.writeDespite = [](const std::vector<std::string>&) { return true; };
  ConversionResult result = RunConversion(request, answer);
  EXPECT_EQ(result.status.message(),
            "vp holds 2 holes (NaN), the first at row 2, column 1: a model cannot have holes; "
            "fill them.");
  EXPECT_EQ(scratch_.Names(), std::vector<std::string>{"vp.txt"});

  values[3] = values[5] = -9999.0f;
  request = {};
  ASSERT_TRUE(RequestForHeldValues(grid, named, request_.outputPath, request).ok());
  std::vector<std::string> findings;
  answer.writeDespite = [&findings](const std::vector<std::string>& found) {
    findings = found;
    return true;
  };
  result = RunConversion(request, answer);
  EXPECT_TRUE(result.written) << result.status.message();
  EXPECT_EQ(findings, std::vector<std::string>{
                          "vp holds 2 no-data markers, the first -9999 at row 2, column 1."});
}

// A linear field is its own bilinear interpolation: at 30 m and 50 m from 20 m, node (i, k) of
// the window lies at the old node (1.5 i, 2.5 k); a border of a node on each side. Gardner's
// density is of Vp once filled: at the hole, copied as node (2, 0), it is 310 x 2090^0.25.
TEST_F(ConversionRequestTest, NewStepsInterpolateAndTheBorderRepeatsTheEdges) {
  std::vector<float> vp(5 * 4);
  for (std::size_t i = 0; i < vp.size(); ++i) vp[i] = 2000.0f + 30.0f * (i % 5) + 70.0f * (i / 5);
  vp[3] = -999.25f;
  Vp().values = vp.data();
  request_.window = {20, 5, 5, 4, 20.0f, 20.0f};
  request_.inputCount = 20;
  request_.nzInput = 4;
  ModelPreparation& preparation = request_.preparation;
  preparation.sources[PropertyKind::kVp].fill = {HoleFilling::kValue, 2090.0f};
  preparation.sources[PropertyKind::kDensity].rule = PropertyRule::kGardner;
  preparation.resample = true;
  preparation.xStep = 30.0f;
  preparation.zStep = 50.0f;
  preparation.border = {1, 1, 1, 1};
  StabilityReport shown;
  FindingsAnswer answer;
  answer.writeWithReport = [&shown](const StabilityReport& report) {
    shown = report;
    return false;
  };
  EXPECT_FALSE(RunConversion(request_, answer).written);  // the report's answer
  EXPECT_EQ(shown.fastest, 2000.0f + 30 * 3 + 70 * 2.5f);
  // A stream cannot be taken back: it is asked before the model goes, and a no sends nothing.
  std::vector<std::string> streams = {""};
#if !defined(_WIN32)
  streams.push_back("/dev/null");  // a path that leads to a stream
#endif
  const std::string file = request_.outputPath;
  for (const std::string& stream : streams) {
    request_.toStandardOutput = stream.empty();
    request_.outputPath = stream;
    shown = {};
    EXPECT_FALSE(RunConversion(request_, answer).written) << stream;
    EXPECT_EQ(shown.fastest, 2000.0f + 30 * 3 + 70 * 2.5f) << stream;
  }
  request_.toStandardOutput = false;
  request_.outputPath = file;
  // The report made ahead of writing (for a stream) is that of the model written.
  const StabilityReport ahead = StabilityOfRequest(request_);
  EXPECT_TRUE(ahead.fastest == shown.fastest && ahead.slowest == shown.slowest);
  EXPECT_EQ(scratch_.Names(), std::vector<std::string>{"vp.txt"});
  ASSERT_TRUE(Written());
  const Words written = Data();
  ASSERT_EQ(written.size(), 2u * 5 * 4);
  for (int z = 0; z < 4; ++z) {
    for (int x = 0; x < 5; ++x) {
      const float v =
          2000.0f + 30.0f * 1.5f * std::clamp(x - 1, 0, 2) + 70.0f * 2.5f * std::clamp(z - 1, 0, 1);
      EXPECT_EQ(written[2 * (z * 5 + x)], FloatBits(v)) << x << ", " << z;
    }
  }
  EXPECT_NEAR(FloatFromBits(written[2 * (1 * 5 + 3) + 1]), 310 * std::pow(2090.0, 0.25), 2.5e-4);
  // As a picture of at most 2 nodes a side takes the model: every third column and second row.
  for (const int p : {0, 1}) {
    const PreparedSample sample =
        SamplePreparedModel(request_, p == 0 ? PropertyKind::kVp : PropertyKind::kDensity, 2);
    ASSERT_EQ((std::vector<int>{sample.nx, sample.nz, sample.xEvery, sample.zEvery}),
              (std::vector<int>{2, 2, 3, 2}));
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(FloatBits(sample.values[k]), written[2 * (k / 2 * 2 * 5 + k % 2 * 3) + p]) << k;
    }
  }
  EXPECT_EQ(WrittenGridOf(request_).bytes, ReadFileBytes(request_.outputPath).size());
}
