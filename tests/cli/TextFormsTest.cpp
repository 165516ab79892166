#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "CliTestSupport.h"
#include "support/GzipText.h"

namespace {

using Nodes = std::vector<std::tuple<int, int, std::string>>;  // x, z, value

std::string Joined(const Rows& rows, const std::string& between, const std::string& lineEnd) {
  std::string text;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) text += (i == 0 ? "" : between) + row[i];
    text += lineEnd;
  }
  return text;
}

Rows WithDecimalCommas(Rows rows) {
  for (auto& row : rows) {
    for (std::string& value : row) std::replace(value.begin(), value.end(), '.', ',');
  }
  return rows;
}

// Marmousi's nodes at 20 m, in the order of its rows, or shuffled.
Nodes NodesOf(const Rows& rows, bool shuffled) {
  Nodes nodes;
  for (std::size_t z = 0; z < rows.size(); ++z) {
    for (std::size_t x = 0; x < rows[z].size(); ++x) {
      nodes.emplace_back(static_cast<int>(x) * 20, static_cast<int>(z) * 20, rows[z][x]);
    }
  }
  std::mt19937 random(19);
  if (shuffled) std::shuffle(nodes.begin(), nodes.end(), random);
  return nodes;
}

std::string Triplets(const Nodes& nodes, const std::string& between) {
  std::string text;
  for (const auto& [x, z, value] : nodes) {
    text += std::to_string(x) + between + std::to_string(z) + between + value + "\n";
  }
  return text;
}

// Nodes with their z as elevations (all at or below 0), with z before x, or in km.
Nodes AsElevations(Nodes nodes) {
  for (auto& node : nodes) std::get<1>(node) = -std::get<1>(node);
  return nodes;
}

Nodes ZFirst(Nodes nodes) {
  for (auto& node : nodes) std::swap(std::get<0>(node), std::get<1>(node));
  return nodes;
}

std::string TripletsInKm(const Nodes& nodes) {
  const auto km = [](int metres) {
    const std::string fraction = std::to_string(1000 + metres % 1000).substr(1);
    return std::to_string(metres / 1000) + "." + fraction;
  };
  std::string text;
  for (const auto& [x, z, value] : nodes) text += km(x) + " " + km(z) + " " + value + "\n";
  return text;
}

// A value as Fortran writes it in double precision: 1523.47 as 1.52347D+03.
std::string Fortran(const std::string& value) {
  const std::size_t point = value.find('.');
  const std::string digits = value.substr(0, point) + value.substr(point + 1);
  return digits.substr(0, 1) + "." + digits.substr(1) + "D+" + (point <= 10 ? "0" : "") +
         std::to_string(point - 1);
}

Rows InFortran(Rows rows) {
  for (auto& row : rows) {
    for (std::string& value : row) value = Fortran(value);
  }
  return rows;
}

// The rows from row z0 and column x0 on, each after its z (zTop, then zStep on, from row 0),
// below a row of their x at 20 m and a corner cell: a matrix with axes of a window of the model.
Rows WithAxes(const Rows& rows, std::size_t x0, std::size_t z0, std::size_t width = 0, int zTop = 0,
              int zStep = 20) {
  Rows matrix(1, {"0"});
  const std::size_t end = width == 0 ? rows[0].size() : x0 + width;
  for (std::size_t x = x0; x < end; ++x) matrix[0].push_back(std::to_string(20 * x));
  for (std::size_t z = z0; z < rows.size(); ++z) {
    matrix.push_back({std::to_string(zTop + zStep * static_cast<int>(z))});
    matrix.back().insert(matrix.back().end(), rows[z].begin() + x0, rows[z].begin() + end);
  }
  return matrix;
}

// ASCII text as Notepad saves it as "Unicode": UTF-16 with its byte-order mark.
std::string Utf16(const std::string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : text) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return bytes;
}

// Marmousi-II's Vp written the ways colleagues' files arrive: each reads to the bytes of the
// plain file's conversion, gzip-compressed too, and "mvgtool sizes" names its form. The forms
// that state their sizes and steps need no --dx and --dz.
TEST(TextFormsTest, EveryFormOfMarmousiConvertsToThePlainFilesBytes) {
  ScratchFolder scratch;
  const Rows rows = MarmousiRows();
  Rows columns(rows[0].size()), surfer;
  for (const auto& row : rows) {
    for (std::size_t x = 0; x < row.size(); ++x) columns[x].push_back(row[x]);
  }
  const std::string plain = Joined(rows, " ", "\n");
  std::string commented = "# Marmousi-II\n % Vp in m/s\nMarmousi-II, P velocity\n";
  for (std::size_t z = 0; z < rows.size(); ++z) {
    commented += Joined({rows[z]}, " ", "\n") + (z == 86 ? "\t# the lens below\n" : "");
  }
  std::string wrapped;
  for (const auto& row : rows) wrapped += Lines({row}, 10) + "\n";
  const Rows upwards(rows.rbegin(), rows.rend());  // as Surfer stores an elevation's rows
  const std::string triplets =
      "x z value triplets, x 0 to 9980 and z 0 to 3460 at steps of 20 and 20, read as depth: the "
      "top row is z 0";
  const struct {
    std::string name, text;
    std::vector<std::string> options;
    std::string form;  // as "mvgtool sizes" shows it
  } forms[] = {
      {"commented.txt",
       commented,
       {"--dx", "20", "--dz", "20"},
       "plain text grid\n  skipped: 1 title line (3), 3 comment lines (1-2, 91)"},
      {"vp.asc",
       "NCOLS 500\r\nNROWS 174\r\nXLLCORNER 0\r\nYLLCORNER 0\r\nCELLSIZE 20\r\nNODATA_VALUE "
       "-9999\r\n" +
           Joined(rows, " ", "\r\n"),
       {},
       "ESRI ASCII grid, ncols 500, nrows 174, cellsize 20, nodata_value -9999"},
      {"dxdy.asc",
       "dx 20\nnrows 174\nxllcenter 10\nyllcenter 10\nNcols 500\ndy 20\n" + plain,
       {},
       "ESRI ASCII grid, ncols 500, nrows 174, dx 20, dy 20"},
      {"vp.grd",
       "DSAA\n500 174\n0 9980\n0 3460\n1500 4766.6\n" + wrapped,
       {},
       "Surfer ASCII grid, nx 500, ny 174, x 0 to 9980, y 0 to 3460, read as depth: the top row "
       "is y 0"},
      {"elevation.grd",
       "DSAA\n500 174\n0 9980\n-3460 0\n1500 4766.6\n" + Joined(upwards, " ", "\n"),
       {},
       "Surfer ASCII grid, nx 500, ny 174, x 0 to 9980, y -3460 to 0, read as elevation: the top "
       "row is y 0"},
      {"shuffled.xyz", Triplets(NodesOf(rows, true), " "), {}, triplets},
      {"elevation.xyz",
       Triplets(AsElevations(NodesOf(rows, true)), " "),
       {},
       "x z value triplets, x 0 to 9980 and z -3460 to 0 at steps of 20 and 20, read as "
       "elevation: the top row is z 0"},
      {"km.xyz",
       TripletsInKm(NodesOf(rows, true)),
       {"--coordinates", "km"},
       "x z value triplets, x 0 to 9.98 and z 0 to 3.46 at steps of 0.02 and 0.02, read as depth: "
       "the top row is z 0, coordinates in km"},
      {"named.csv",
       "x,z,vp\n" + Triplets(NodesOf(rows, true), ","),
       {},
       triplets + "\n  skipped: 1 title line (1)"},
      {"tabs.txt",
       "z\tx\tvp\n" + Triplets(ZFirst(NodesOf(rows, false)), "\t"),
       {},
       "x z value triplets, columns z, x, vp by name, x 0 to 9980 and z 0 to 3460 at steps of 20 "
       "and 20, read as depth: the top row is z 0"},
      {"excel.csv",
       "x;z;vp\r\n" + Triplets(NodesOf(WithDecimalCommas(rows), true), ";"),
       {},
       triplets + ", values apart by semicolons, decimal commas"},
      {"fortran.txt",
       Joined(InFortran(rows), "  ", "\n"),
       {"--dx", "20", "--dz", "20"},
       "plain text grid"},
      {"le.txt", Utf16(plain, false), {"--dx", "20", "--dz", "20"}, "plain text grid, UTF-16 LE"},
      {"be.txt", Utf16(plain, true), {"--dx", "20", "--dz", "20"}, "plain text grid, UTF-16 BE"},
      {"bom.txt", "\xEF\xBB\xBF" + plain, {"--dx", "20", "--dz", "20"}, "plain text grid"},
      {"semicolons.csv",
       Joined(WithDecimalCommas(rows), ";", "\r\n"),
       {"--dx", "20", "--dz", "20"},
       "plain text grid, values apart by semicolons, decimal commas"},
      {"commas.txt",
       Joined(WithDecimalCommas(rows), "\t", "\n"),
       {"--dx", "20", "--dz", "20"},
       "plain text grid, decimal commas"},
      {"columns.txt",
       Joined(columns, " ", "\n"),
       {"--order", "columns", "--dx", "20", "--dz", "20"},
       "plain text grid"},
      {"bottom-up.txt",
       Joined(Rows(rows.rbegin(), rows.rend()), " ", "\n"),
       {"--flip-z", "--dx", "20", "--dz", "20"},
       "plain text grid"},
      {"elevation-axes.txt",
       Joined(WithAxes(rows, 0, 0, 0, 0, -20), " ", "\n"),
       {},
       "matrix with axes, x 0 to 9980 and z -3460 to 0 at steps of 20 and 20, read as elevation: "
       "the top row is z 0"},
  };
  const std::string reference = scratch.Path("plain.mvg");
  ASSERT_EQ(RunTool({"convert", "--vp", MarmousiPath("vp.txt"), "--dx", "20", "--dz", "20", "-o",
                     reference})
                .status,
            0);
  for (const auto& form : forms) {
    const std::string text = scratch.Write(form.name, form.text);
    const std::string gzip = scratch.Write(form.name + ".gz", GzipOf(form.text));
    for (const std::string& input : {text, gzip}) {
      std::vector<std::string> args = {"convert", "--vp", input, "-o", scratch.Path("m.mvg")};
      args.insert(args.end(), form.options.begin(), form.options.end());
      const RunResult converted = RunTool(args);
      EXPECT_EQ(converted.status, 0) << input << ": " << converted.err;
      EXPECT_TRUE(scratch.Read("m.mvg") == scratch.Read("plain.mvg")) << input;
      std::vector<std::string> sizes = {"sizes", input};
      for (std::size_t i = 0; i < form.options.size(); ++i) {
        if (form.options[i] == "--order" || form.options[i] == "--coordinates") {
          sizes.insert(sizes.end(), {form.options[i], form.options[i + 1]});
        }
        if (form.options[i] == "--flip-z") sizes.push_back("--flip-z");
      }
      const std::string shown = RunTool(sizes).out;
      EXPECT_NE(shown.find("\n  form: " + form.form + "\n"), std::string::npos) << shown;
    }
  }
  // Through a pipe, as a stream told by its first bytes.
  for (const std::string name : {"vp.asc.gz", "excel.csv"}) {
    const RunResult piped =
        RunProgram({"convert", "--vp", "-", "-o", "-"}, scratch, scratch.Path(name));
    EXPECT_EQ(piped.status, 0) << name << ": " << piped.err;
    EXPECT_TRUE(piped.out == scratch.Read("plain.mvg")) << name;
  }
}

// What a form says must hold of its values, and several files must agree: each refusal names
// where, and nothing is written.
TEST(TextFormsTest, FormsWhoseValuesDoNotMakeTheirGridAreRefusedAndNothingIsWritten) {
  ScratchFolder scratch;
  const Rows rows = MarmousiRows();
  Rows holed = rows, blank = rows;
  for (int z = 100; z < 103; ++z) {
    for (int x = 200; x < 205; ++x) holed[z][x] = "-1";
  }
  blank[3][7] = "1.70141e38";
  Nodes missing = NodesOf(rows, true), doubled = missing;
  missing.erase(std::find(missing.begin(), missing.end(), NodesOf(rows, false)[1234]));
  std::get<0>(doubled[10]) = std::get<0>(doubled[11]);
  std::get<1>(doubled[10]) = std::get<1>(doubled[11]);
  const std::string esri = "ncols 500\nnrows 174\nxllcorner 0\nyllcorner 0\ncellsize 20\n";
  const std::string holes =
      scratch.Write("holes.asc", esri + "nodata_value -1\n" + Joined(holed, " ", "\n"));
  const std::string blanks = scratch.Write(
      "blank.grd", "DSAA\n500 174\n0 9980\n0 3460\n1500 4766.6\n" + Joined(blank, " ", "\n"));
  const std::string vp = scratch.Write("vp.asc", esri + Joined(rows, " ", "\n"));
  const std::string tall =
      scratch.Write("tall.asc", "ncols 250\nnrows 348\ncellsize 10\n" + Joined(rows, " ", "\n"));
  const std::string longer =
      scratch.Write("longer.asc", "ncols 500\nnrows 175\ncellsize 20\n" + Joined(rows, " ", "\n"));
  const std::string gap = scratch.Write("gap.xyz", Triplets(missing, " "));
  const std::string twice = scratch.Write("twice.xyz", Triplets(doubled, " "));
  const std::string xyz = scratch.Write("vp.xyz", Triplets(NodesOf(rows, true), " "));
  std::string thousands;
  for (const auto& row : rows) {
    for (const std::string& value : row)
      thousands += value.substr(0, 1) + "," + value.substr(1, 3) + " ";
    thousands += "\n";
  }
  const std::string grouped = scratch.Write("grouped.txt", thousands);
  Rows stars = rows;
  stars[87][200] = "*****";
  const std::string fortran = scratch.Write("stars.txt", Joined(stars, " ", "\n"));
  const std::string depth =
      scratch.Write("depth.csv", "x,depth,vp\n" + Triplets(AsElevations(NodesOf(rows, true)), ","));
  const std::string out = scratch.Path("m.mvg"), plain = MarmousiPath("vp.txt");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--vp", holes},
       "--fill-holes: --vp " + holes +
           " holds 15 holes (nodata_value -1), the first at row 101, column 201: a model cannot "
           "have holes; fill them."},
      {{"--vp", blanks},
       "--fill-holes: --vp " + blanks +
           " holds 1 hole (Surfer's blank, 1.70141e38 and above), the first at row 4, column 8: "
           "a model cannot have holes; fill them."},
      {{"--vp", longer},
       "--vp " + longer +
           ": the ESRI ASCII grid header gives 500 x 175 = 87500 values, but 87000 follow it"},
      {{"--vp", gap},
       "--vp " + gap +
           ": the node at x 4680, z 40 is missing from the grid (x 0 to 9980 and z 0 to 3460 at "
           "steps of 20 and 20); if it is a plain grid three values wide, --form plain reads it as "
           "one"},
      {{"--vp", twice},
       "--vp " + twice + ": the node at x " + std::to_string(std::get<0>(doubled[11])) + ", z " +
           std::to_string(std::get<1>(doubled[11])) +
           " is given twice; if it is a plain grid three values wide, --form plain reads it as "
           "one"},
      {{"--vp", grouped, "--dx", "20", "--dz", "20"},
       "--vp " + grouped +
           ", line 1, value 1: \"1,500\" may be 1.500 with a decimal comma or 1500 with a "
           "thousands separator; --decimal-comma reads commas as decimal marks"},
      {{"--vp", vp, "--nx", "250"},
       "--nx 250 contradicts --vp " + vp + ": the ESRI ASCII grid header gives nx 500"},
      {{"--vp", xyz, "--dx", "10", "--dz", "20"},
       "--dx 10 contradicts --vp " + xyz + ": the triplets' coordinates give dx 20"},
      {{"--vp", fortran, "--dx", "20", "--dz", "20"},
       "--vp " + fortran +
           ", line 88, value 201: \"*****\" is a Fortran field too narrow for its value: write "
           "the file with a wider format"},
      {{"--vp", plain, "--dx", "20", "--dz", "20", "--coordinates", "km"},
       "--vp " + plain + ": a plain text grid holds no coordinates to read in km"},
      {{"--vp", depth},
       "--vp " + depth +
           ": its header names column 2 depth, but it runs from -3460 to 0, at or below 0 as "
           "elevations do: is the header right?"},
      {{"--vp", vp, "--vs", tall},
       "--vs " + tall + " gives nx 250, nz 348, dx 10, dz 10, but --vp " + vp +
           " gives nx 500, nz 174, dx 20, dz 20: all input files must have the same sizes and "
           "steps"},
      {{"--vp", xyz, "--order", "columns"},
       "--vp " + xyz +
           ": x z value triplets place each value by its coordinates; they have no order of "
           "columns"},
  };
  for (const auto& [options, message] : cases) {
    std::vector<std::string> args = {"convert", "-o", out};
    args.insert(args.end(), options.begin(), options.end());
    ExpectFailure(RunTool(args), 1, {"mvgtool: " + message + "\n"});
    EXPECT_FALSE(scratch.Exists("m.mvg"));
  }
  // Holes filled go into the model; no steps, where no form states them, are a usage error.
  EXPECT_EQ(RunTool({"convert", "--vp", holes, "--fill-holes", "nearest", "-o", out}).status, 0);
  ExpectFailure(RunTool({"convert", "--vp", grouped, "--decimal-comma", "-o", out}), 2,
                {"no steps: give --dx and --dz, the grid steps in m"});
}

// Marmousi-II's Vp written so that its text does not prove its X size, holds coordinates beside
// its values or what is no value, or leaves open which way is up or the unit of its coordinates:
// each is refused with its findings and nothing is written, and the options the findings name
// write it right, byte for byte the plain conversion of the same nodes.
TEST(TextFormsTest, GuessesAndOpenQuestionsAreRefusedAndTheOptionNamedWritesThemRight) {
  ScratchFolder scratch;
  const Rows rows = MarmousiRows();
  std::vector<std::string> all;
  Rows moved = rows, columns(500), depths, three, nanRow = rows;
  for (const auto& row : rows) {
    all.insert(all.end(), row.begin(), row.end());
    for (std::size_t x = 0; x < row.size(); ++x) columns[x].push_back(row[x]);
  }
  std::vector<std::string> byColumns;
  for (const auto& column : columns)
    byColumns.insert(byColumns.end(), column.begin(), column.end());
  moved[31].insert(moved[31].begin(), moved[30].back());
  moved[30].pop_back();
  for (std::size_t z = 25; z < rows.size(); ++z) {
    depths.push_back({std::to_string(20 * z)});
    depths.back().insert(depths.back().end(), rows[z].begin(), rows[z].end());
  }
  for (std::size_t z = 30; z < 89; ++z) three.push_back({rows[z][200], rows[z][201], rows[z][202]});
  Rows xs = {{}};
  for (int x = 0; x < 500; ++x) xs[0].push_back(std::to_string(20 * x));
  xs.insert(xs.end(), rows.begin(), rows.end());
  nanRow[0].assign(rows[0].size(), "nan");
  const std::string plain = Joined(rows, " ", "\n");
  const std::string vp = MarmousiPath("vp.txt");
  const std::string one = scratch.Write("one.txt", Lines({all}, all.size())),
                    each = scratch.Write("each.txt", Lines({all}, 1)),
                    breaks = scratch.Write("moved.txt", Joined(moved, " ", "\n")),
                    deep = scratch.Write("depths.txt", Joined(depths, " ", "\n")),
                    wrapped = scratch.Write("wrapped.txt", Lines(depths, 10)),
                    xRow = scratch.Write("x.txt", Joined(xs, " ", "\n")),
                    axes =
                        scratch.Write("axes.txt", Joined(WithAxes(rows, 100, 25, 200), " ", "\n")),
                    narrow = scratch.Write("three.txt", Joined(three, " ", "\n")),
                    flat = scratch.Write("flat.txt", Lines({byColumns}, 8)),
                    nan = scratch.Write("nan.txt", Joined(nanRow, " ", "\n")),
                    mixed = scratch.Write("mixed.txt", "Marmousi-II, Vp, 500 x 174\n" + plain),
                    across = scratch.Write("across.grd",
                                           "DSAA\n500 174\n0 9980\n-500 2960\n1500 4766.6\n" +
                                               Joined(Rows(rows.rbegin(), rows.rend()), " ", "\n")),
                    acrossAxes = scratch.Write(
                        "across.txt", Joined(WithAxes(rows, 0, 0, 0, 2960, -20), " ", "\n")),
                    km = scratch.Write("km.xyz", TripletsInKm(NodesOf(rows, false)));
  using Options = std::vector<std::string>;
  const struct {
    std::string input;
    Options refused;
    // Each line of the refusal ("%" the input, as named), or the end of one (";" first).
    std::vector<std::string> findings;
    std::vector<Options> right;
    Options nodes;        // of Marmousi-II written
    bool states = false;  // the file states its steps: no --dx and --dz
  } cases[] = {
      {one,
       {},
       {"--vp %: 87000 values on one line say nothing of the X size; nx 290 is a guess: give --nx"},
       {{"--nx", "500"}},
       {}},
      {each,
       {},
       {"--vp %: 87000 values, one a line, say nothing of the X size; nx 290 is a guess: give "
        "--nx"},
       {{"--nx", "500"}},
       {}},
      {breaks,
       {"--nx", "500"},
       {"--vp %: line 31 holds 499 values and line 32 holds 501: a value moved between lines?"},
       {},
       {}},
      {vp,
       {"--nx", "250"},
       {"--vp %: rows of 250 put 2 rows on each of its 174 lines of 500 values: is the X size "
        "500?"},
       {{"--nx", "500"}, {}},
       {}},
      // Read column by column against its lines, the choice is what is asked about.
      {vp,
       {"--order", "columns"},
       {"--vp %: values change 4 times more along the rows than down the columns: is the file "
        "stored row by row, not column by column as --order columns reads it?"},
       {},
       {}},
      {deep,
       {},
       {"--vp %: the first column rises by 20 on each line, from 500 to 3460: depths? "
        "--skip-columns 1 leaves it out"},
       {{"--skip-columns", "1"}},
       {"--z-from", "25"}},
      // The first value of every line is not the first of every row wrapped over lines.
      {wrapped,
       {"--skip-columns", "1"},
       {"--vp %: the first value of each row can be left out only where every line holds one row, "
        "and its lines do not (50 lines of 10 values, then line 51 holds 1 value)"},
       {},
       {}},
      {xRow,
       {},
       {"--vp %: the first row rises by 20 from column to column, from 0 to 9980: x coordinates? "
        "--skip-rows 1 leaves it out",
        "--vp % holds 0 to 9980 m/s: that is not a plausible range for Vp (100 to 10000 m/s)."},
       {{"--skip-rows", "1"}},
       {}},
      // A matrix with axes is read as one unless the text is read as a plain grid.
      {axes,
       {"--form", "plain"},
       {"--vp %: the first column rises by 20 on each line, from 500 to 3460: depths? "
        "--skip-columns 1 leaves it out",
        "--vp %: the first row rises by 20 from column to column, from 2000 to 5980: x "
        "coordinates? --skip-rows 1 leaves it out"},
       {{}, {"--form", "matrix"}, {"--form", "plain", "--skip-columns", "1", "--skip-rows", "1"}},
       {"--x-from", "100", "--nx-write", "200", "--z-from", "25"}},
      // A plain grid three values wide, told as triplets.
      {narrow,
       {},
       {"--vp %: the node at x 2123.71, z 2123.71 lies between the nodes of the grid",
        "; if it is a plain grid three values wide, --form plain reads it as one\n"},
       {{"--form", "plain"}},
       {"--x-from", "200", "--nx-write", "3", "--z-from", "30", "--nz-write", "59"}},
      // Column by column, 8 values a line whatever the columns' length.
      {flat,
       {"--order", "columns"},
       {"A grid of 10875 x 8 nodes is 1359 times wider than deep: are its columns wrapped over "
        "several lines?"},
       {{"--order", "columns", "--nx", "500"}},
       {}},
      {nan,
       {},
       {"--fill-holes: --vp % holds 500 holes (NaN), the first at row 1, column 1: a model cannot "
        "have holes; fill them."},
       {{"--fill-holes", "nearest"}},
       {}},
      // A leading line of words and numbers is no title, unless it is a row left out.
      {mixed,
       {},
       {"--vp %, line 1 mixes words and numbers (\"Marmousi-II\", \"500\"): it is neither a title "
        "nor a line of values (a # before it makes it a comment)"},
       {{"--skip-rows", "1"}},
       {}},
      {across,
       {},
       {"--vp %: y runs from -500 to 2960, across 0: is it depth or elevation? It is read as "
        "depth, the top row y -500; --flip-z reads it as elevation, the top row y 2960"},
       {{"--flip-z"}},
       {}},
      {acrossAxes,
       {},
       {"--vp %: z runs from -500 to 2960, across 0: is it depth or elevation? It is read as "
        "depth, the top row z -500; --flip-z reads it as elevation, the top row z 2960"},
       {{"--flip-z"}},
       {}},
      {km,
       {},
       {"--vp %: steps of 0.02 and 0.02, from the triplets' coordinates: are they in km? "
        "--coordinates km reads them in km"},
       {},
       {},
       true},
  };
  const std::string out = scratch.Path("m.mvg"), reference = scratch.Path("plain.mvg");
  const auto convert = [](const std::string& input, Options options, const std::string& to,
                          bool states) {
    options.insert(options.begin(), {"convert", "--vp", input, "-o", to});
    if (!states) options.insert(options.end(), {"--dx", "20", "--dz", "20"});
    return RunTool(options);
  };
  for (const auto& c : cases) {
    const RunResult refused = convert(c.input, c.refused, out, c.states);
    EXPECT_EQ(refused.status, 1) << c.input;
    for (std::string line : c.findings) {
      const std::size_t at = line.find('%');
      if (at != std::string::npos) line.replace(at, 1, c.input);
      if (line[0] != ';') line = "mvgtool: " + line;
      EXPECT_NE(refused.err.find(line), std::string::npos) << line << "\n" << refused.err;
    }
    EXPECT_FALSE(scratch.Exists("m.mvg")) << c.input;
    ASSERT_EQ(convert(vp, c.nodes, reference, false).status, 0);
    for (const Options& right : c.right) {
      const RunResult written = convert(c.input, right, out, c.states);
      EXPECT_EQ(written.status, 0) << c.input << ": " << written.err;
      EXPECT_TRUE(scratch.Read("m.mvg") == scratch.Read("plain.mvg")) << c.input;
      std::remove(out.c_str());
    }
  }
  // What the form took from the text, as "mvgtool sizes" shows it, read as convert reads it.
  EXPECT_NE(RunTool({"sizes", axes})
                .out.find("  form: matrix with axes, x 2000 to 5980 and z 500 to 3460 at steps of "
                          "20 and 20, read as depth: the top row is z 500\n"
                          "  lines: 150 lines of 201 values\n"
                          "  grid: nx 200, nz 149, dx 20, dz 20, from the matrix's axes\n"),
            std::string::npos);
  EXPECT_NE(RunTool({"sizes", across, "--flip-z"})
                .out.find("  form: Surfer ASCII grid, nx 500, ny 174, x 0 to 9980, y -500 to "
                          "2960, read as elevation: the top row is y 2960\n"),
            std::string::npos);
  EXPECT_NE(RunTool({"sizes", deep, "--skip-columns", "1"})
                .out.find("  form: plain text grid, 1 column left out\n  lines: 149 lines of 500 "
                          "values\n"),
            std::string::npos);
}

}  // namespace
