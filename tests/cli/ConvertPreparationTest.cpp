#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CliTestSupport.h"
#include "support/GridFileWords.h"

namespace {

// A grid file read back: its sizes from the header's fields, its values node by node.
struct Model {
  explicit Model(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    const auto word = [&](std::size_t at) {
      return static_cast<std::int32_t>(
          LoadLittleEndian32(reinterpret_cast<const std::uint8_t*>(&bytes[at])));
    };
    nx = word(GridFileLayout::kNxOffset);
    nz = word(GridFileLayout::kNzOffset);
    properties = static_cast<std::size_t>(word(GridFileLayout::kPropertyCountOffset));
    words = DataWords(bytes);
  }
  std::uint32_t At(std::int64_t x, std::int64_t z, std::size_t p) const {
    return words[static_cast<std::size_t>(z * nx + x) * properties + p];
  }
  float Value(std::int64_t x, std::int64_t z, std::size_t p) const {
    return FloatFromBits(At(x, z, p));
  }
  std::int32_t nx = 0, nz = 0;
  std::size_t properties = 0;
  std::vector<std::uint32_t> words;
};

std::vector<std::string> Marmousi() {
  return {"--vp",      MarmousiPath("vp.txt"),
          "--density", MarmousiPath("density.txt"),
          "--vs",      MarmousiPath("vs.txt"),
          "--dx",      "20",
          "--dz",      "20"};
}

RunResult Convert(std::vector<std::string> options, const std::string& output) {
  options.insert(options.begin(), "convert");
  options.insert(options.end(), {"-o", output});
  return RunTool(options);
}

// A window anywhere, new steps that are whole multiples of the old ones and a border are each the
// nodes of the plain conversion, copied exactly; the summary says which.
TEST(ConvertPreparationTest, WindowsNewStepsAndBordersAreNodesOfThePlainConversion) {
  ScratchFolder scratch;
  const RunResult plainRun = Convert(Marmousi(), scratch.Path("plain.mvg"));
  ASSERT_EQ(plainRun.status, 0) << plainRun.err;
  // By hand: Vmin 881 m/s (Vs), Vmax 4766.6 m/s (Vp); 881 / 100 Hz, 881 / 200 Hz;
  // 20 / (4766.6 x 1.41421) = 2.9669 ms, 0.606 x 20 / 4766.6 = 2.5427 ms.
  EXPECT_NE(plainRun.out.find(
                "Stability for finite-difference modelling (figures rounded down to 4 digits):\n"
                "  slowest velocity 881.0 m/s: the smallest Vs above 0\n"
                "  fastest velocity 4766 m/s: the largest Vp\n"
                "  highest frequency 8.810 Hz at 5 nodes a shortest wavelength: f = Vmin / (5 x "
                "20 m, the larger step)\n"
                "  highest frequency 4.405 Hz at 10 nodes a shortest wavelength: f = Vmin / (10 x "
                "20 m)\n"
                "  largest time step 2.966 ms for a second-order 2-D scheme: dt <= h / (Vmax x "
                "sqrt 2), h = 20 m, the smaller step\n"
                "  largest time step 2.542 ms for a fourth-order staggered scheme: dt <= 0.606 x h "
                "/ Vmax\n"),
            std::string::npos)
      << plainRun.out;
  const Model plain(scratch.Path("plain.mvg"));
  const auto clamp = [](std::int64_t i, std::int64_t n) {
    return std::clamp<std::int64_t>(i, 0, n - 1);
  };
  const struct {
    std::vector<std::string> options;
    std::int32_t nx, nz;
    std::function<std::pair<std::int64_t, std::int64_t>(std::int64_t, std::int64_t)> from;
    std::string said;
  } cases[] = {
      {{"--x-from", "100", "--z-from", "20", "--nx-write", "200", "--nz-write", "100"},
       200,
       100,
       [](std::int64_t x, std::int64_t z) {
         return std::pair{x + 100, z + 20};
       },
       "nx 200, nz 100, properties PQR, 240296 bytes (200 x 100 nodes from node x 100, z 20 of "
       "the 500 x 174 input grid)\n"},
      {{"--nz-write", "2"},
       500,
       2,
       [](std::int64_t x, std::int64_t z) {
         return std::pair{x, z};
       },
       "(the first rows and columns of the 500 x 174 input grid)\n"},
      {{"--resample", "40", "40"},
       250,
       87,
       [](std::int64_t x, std::int64_t z) {
         return std::pair{2 * x, 2 * z};
       },
       "\nNew steps dx 40 m, dz 40 m (from 20 m, 20 m): 250 x 87 nodes, floor(extent / new step) "
       "+ 1 along each axis; X by plain decimation, one node in 2 copied exactly; Z by plain "
       "decimation, one node in 2 copied exactly.\n"},
      {{"--pad", "10,10,0,20"},
       520,
       194,
       [&](std::int64_t x, std::int64_t z) {
         return std::pair{clamp(x - 10, 500), clamp(z, 174)};
       },
       "\nA border of 10, 10, 0, 20 nodes (left, right, top, bottom) repeats the edge values.\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> options = Marmousi();
    options.insert(options.end(), c.options.begin(), c.options.end());
    const RunResult run = Convert(options, scratch.Path("m.mvg"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
    const Model model(scratch.Path("m.mvg"));
    ASSERT_EQ(std::pair(model.nx, model.nz), std::pair(c.nx, c.nz));
    std::size_t differ = 0;
    for (std::int64_t z = 0; z < c.nz; ++z) {
      for (std::int64_t x = 0; x < c.nx; ++x) {
        const auto [px, pz] = c.from(x, z);
        for (std::size_t p = 0; p < 3; ++p) differ += model.At(x, z, p) != plain.At(px, pz, p);
      }
    }
    EXPECT_EQ(differ, 0u) << c.said;
  }
  // At 25 m down, a node between the water (Vs 0) and the sea floor gets a Vs slower than any the
  // grid holds: the report's slowest velocity is the least Vs above 0 written.
  std::vector<std::string> options = Marmousi();
  options.insert(options.end(), {"--resample", "20", "25"});
  const RunResult run = Convert(options, scratch.Path("m.mvg"));
  ASSERT_EQ(run.status, 0) << run.err;
  const Model model(scratch.Path("m.mvg"));
  float least = INFINITY;
  for (std::int64_t i = 0; i < std::int64_t{model.nx} * model.nz; ++i) {
    const float vs = model.Value(i % model.nx, i / model.nx, 2);
    if (vs > 0) least = std::min(least, vs);
  }
  const std::size_t said = run.out.find("slowest velocity ");
  ASSERT_NE(said, std::string::npos) << run.out;
  const double shown = std::stod(run.out.substr(said + 17));
  EXPECT_TRUE(shown <= least && least < shown + 0.1 && least < 881) << least << "\n" << run.out;
}

// Marmousi-II's Vp with row 61, column 116 (nodes 60, 115 from 0) a hole: its four neighbours
// differ and lie 20 m away; the upper one wins. The file without it has nothing to fill.
TEST(ConvertPreparationTest, AHoleTakesItsNearestNodeOrTheValueGiven) {
  ScratchFolder scratch;
  std::istringstream lines(ReadFileBytes(MarmousiPath("vp.txt")));
  std::string text;
  int z = 0;
  for (std::string line; std::getline(lines, line); ++z) {
    std::istringstream values(line);
    int x = 0;
    for (std::string value; values >> value; ++x) {
      text += (x == 0 ? "" : " ") + (z == 60 && x == 115 ? std::string("-999.25") : value);
    }
    text += "\n";
  }
  const std::string holed = scratch.Write("holed.txt", text);
  const RunResult plainRun = Convert(
      {"--vp", MarmousiPath("vp.txt"), "--dx", "20", "--dz", "20", "--fill-holes", "nearest"},
      scratch.Path("plain.mvg"));
  ASSERT_EQ(plainRun.status, 0) << plainRun.err;
  EXPECT_NE(plainRun.out.find("\nNo holes to fill.\n"), std::string::npos) << plainRun.out;
  const Model plain(scratch.Path("plain.mvg"));
  // The same values as raw floats, the hole a NaN; the file stays as it was.
  std::string raw = ReadFileBytes(scratch.Path("plain.mvg")).substr(kGridFileHeaderSize);
  raw.replace(4 * (60 * 500 + 115), 4, std::string("\0\0\xC0\x7F", 4));
  const std::string nan = scratch.Write("holed.f32le", raw);
  for (const auto& [how, value, said] :
       {std::tuple{"nearest", plain.At(115, 59, 0),
                   "1 hole filled with the value of the nearest node that is not a hole."},
        std::tuple{"2000", FloatBits(2000.0f), "1 hole filled with 2000 m/s."}}) {
    for (const std::vector<std::string>& input :
         {std::vector<std::string>{"--vp", holed},
          std::vector<std::string>{"--vp", nan, "--raw", "f32le", "--nx", "500"}}) {
      std::vector<std::string> options = {"--dx", "20", "--dz", "20", "--fill-holes", how};
      options.insert(options.begin(), input.begin(), input.end());
      const RunResult run = Convert(options, scratch.Path("filled.mvg"));
      ASSERT_EQ(run.status, 0) << run.err;
      EXPECT_NE(run.out.find("\n--vp " + input[1] + ": " + said + "\n"), std::string::npos)
          << run.out;
      Model filled(scratch.Path("filled.mvg"));
      EXPECT_EQ(filled.At(115, 60, 0), value);
      filled.words[60 * 500 + 115] = plain.At(115, 60, 0);
      EXPECT_TRUE(filled.words == plain.words);
    }
  }
  EXPECT_TRUE(ReadFileBytes(nan) == raw);
}

// Each rule against its formula at every node of Marmousi-II, within one float step. Water is the
// sea, the top 22 rows (440 m); the lens below it (48 nodes at 1525.94 m/s, slower than the
// water's 1550 m/s) is rock: a finding, and the rules' ordinary values. At --water-vp 1500 the
// sea, exactly that slow, is still water and the lens is no longer slow.
TEST(ConvertPreparationTest, RulesGiveTheirFormulaAtEveryNodeAndWaterIsTheSea) {
  ScratchFolder scratch;
  const std::string vp = MarmousiPath("vp.txt");
  const auto within = [](float written, double exact) {
    const float nearest = static_cast<float>(exact);
    return std::fabs(written - nearest) <= std::nextafter(nearest, INFINITY) - nearest;
  };
  const std::vector<std::string> options = {"--vp",    vp,     "--density", "gardner", "--vs",
                                            "vp/1.73", "--dx", "20",        "--dz",    "20"};
  const std::string lens =
      "48 nodes at or below 1550 m/s lie below the sea (the first at row 54, column 327): not "
      "taken as water.";
  const RunResult refused = Convert(options, scratch.Path("rules.mvg"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "mvgtool: " + lens +
                             "\nmvgtool: nothing written; --force writes the grid file anyway\n");
  EXPECT_FALSE(scratch.Exists("rules.mvg"));

  std::vector<std::string> forced = options;
  forced.push_back("--force");
  const RunResult run = Convert(forced, scratch.Path("rules.mvg"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("; --force overrode 1 finding: " + lens +
                         "\nDensity by Gardner's "
                         "relation, 310 x Vp^0.25, and 1030 kg/m3 in the sea (the nodes of Vp at "
                         "most 1550 m/s joined to the top row through such nodes).\nVs = Vp / "
                         "1.73, and 0 in the sea"),
            std::string::npos)
      << run.out;
  // The lens, 1525.94 / 1.73 m/s, is the slowest Vs: 881.9... rounded down.
  EXPECT_NE(run.out.find("slowest velocity 882.0 m/s: the smallest Vs above 0"), std::string::npos)
      << run.out;
  const Model rules(scratch.Path("rules.mvg"));
  std::size_t wrong = 0, slowRock = 0;
  for (std::int64_t z = 0; z < 174; ++z) {
    for (std::int64_t x = 0; x < 500; ++x) {
      const double v = rules.Value(x, z, 0);
      const bool sea = z < 22;
      slowRock += !sea && v <= 1550;
      wrong += !within(rules.Value(x, z, 1), sea ? 1030 : 310 * std::pow(v, 0.25));
      wrong += !within(rules.Value(x, z, 2), sea ? 0 : v / 1.73);
    }
  }
  EXPECT_EQ(wrong, 0u);
  EXPECT_EQ(slowRock, 48u);

  ASSERT_EQ(
      Convert({"--vp", vp, "--vs", "mudrock", "--water-vp", "1500", "--dx", "20", "--dz", "20"},
              scratch.Path("mudrock.mvg"))
          .status,
      0);
  const Model mudrock(scratch.Path("mudrock.mvg"));
  for (std::int64_t i = 0; i < 500 * 174; ++i) {
    const double v = mudrock.Value(i % 500, i / 500, 0);
    wrong += !within(mudrock.Value(i % 500, i / 500, 1), i < 500 * 22 ? 0 : (v - 1360) / 1.16);
  }
  EXPECT_EQ(wrong, 0u);
}

}  // namespace
