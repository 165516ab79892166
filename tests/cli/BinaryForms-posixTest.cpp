// Binary forms made by independent writers (segyio, numpy) through Debian's Python, which the
// Windows build lacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "support/GzipText.h"

namespace {

// Marmousi-II's Vp in every binary form, and the files to refuse (make_binary_forms.py).
class BinaryFormsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new ScratchFolder;
    const std::string command = "/usr/bin/python3 " +
                                SourcePath("tests/support/make_binary_forms.py") + " " +
                                MarmousiPath("vp.txt") + " " + scratch_->Folder() + " >/dev/null";
    made_ = std::system(command.c_str()) == 0;
  }
  static void TearDownTestSuite() { delete scratch_; }
  void SetUp() override {
    ASSERT_TRUE(made_) << "make_binary_forms.py needs python3-segyio and python3-numpy "
                          "(scripts/ensure-packages.sh installs them)";
  }
  static std::string SourcePath(const std::string& name) {
    const char* root = std::getenv("MVG_SOURCE_DIR");
    return std::string(root ? root : ".") + "/" + name;
  }
  static std::string Made(const std::string& name) { return scratch_->Path(name); }
  // The grid file of a conversion, "" when refused.
  static std::string Converted(std::vector<std::string> args) {
    const std::string out = scratch_->Path("out.mvg");
    std::remove(out.c_str());
    args.insert(args.begin(), "convert");
    args.insert(args.end(), {"-o", out});
    const RunResult result = RunTool(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return scratch_->Read("out.mvg");
  }

  static ScratchFolder* scratch_;
  static bool made_;
};

ScratchFolder* BinaryFormsTest::scratch_ = nullptr;
bool BinaryFormsTest::made_ = false;

// Each form converts to the bytes of the same values as a plain text grid; "mvgtool sizes" shows
// the plain file's count and range, names the form and what it proves, and the SEG-Y files' steps
// come from --dz and their coordinates.
TEST_F(BinaryFormsTest, MarmousiInEveryBinaryFormConvertsToThePlainFilesBytes) {
  const std::vector<std::string> steps = {"--dx", "20", "--dz", "20"};
  const std::string plain = Converted({"--vp", MarmousiPath("vp.txt"), "--dx", "20", "--dz", "20"});
  const std::string ibm = Converted({"--vp", Made("ibm.txt"), "--dx", "20", "--dz", "20"});
  // "87000 values, minimum 1500, maximum 4766.6"
  const std::string plainSizes = RunTool({"sizes", MarmousiPath("vp.txt")}).out;
  const std::size_t afterName = plainSizes.find(": ") + 2;
  const std::string range = plainSizes.substr(afterName, plainSizes.find('\n') - afterName);
  const std::string traces =
      "500 traces of 174 samples, sample interval 20000, CDP X 0 to 9980 "
      "at steps of 20\n";
  const std::string segy =
      "  grid: nx 500, nz 174, dx 20, from the SEG-Y file\n"
      "  dz: not stated, sample interval 20000: 20 m if in mm\n";
  const struct {
    std::string file;
    std::vector<std::string> options;
    const std::string& values;
    std::string form;  // as "mvgtool sizes" shows it, from the form on
  } forms[] = {
      {"ibm-be.sgy", {"--dz", "20"}, ibm, "SEG-Y, revision 0, big-endian, IBM floats, " + traces},
      {"ibm-le.sgy",
       {"--dz", "20"},
       ibm,
       "SEG-Y, revision 0, little-endian, IBM floats, " + traces},
      {"ieee-be.sgy", {"--dz", "20"}, plain, "32-bit floats, " + traces + "  textual header:"},
      {"ieee-le.sgy",
       {"--dz", "20"},
       plain,
       "little-endian, 32-bit floats, " + traces +
           "  textual header:\n    c 1 Marmousi-II Vp\n    c40 END TEXTUAL HEADER\n  grid:"},
      {"rev2.sgy", steps, plain,
       "SEG-Y, revision 2, little-endian, 32-bit floats, 1 extended textual header, 500 traces of "
       "174 samples, sample interval 1250, CDP X"},
      {"traces-le.su",
       {"--dz", "20"},
       plain,
       "Seismic Unix, little-endian, 32-bit floats, " + traces},
      {"traces-be.su", {"--dz", "20"}, plain, "Seismic Unix, big-endian, 32-bit floats, " + traces},
      {"raw.f32le",
       {"--raw", "f32le", "--nx", "500", "--dx", "20", "--dz", "20"},
       plain,
       "raw values, 32-bit floats, little-endian\n  X sizes: 2 3"},
      {"raw.f64be",
       {"--raw", "f64be", "--nx", "500", "--dx", "20", "--dz", "20"},
       plain,
       "raw values, 64-bit floats, big-endian\n"},
      {"records.f32be",
       {"--raw", "f32be", "--dx", "20", "--dz", "20"},
       plain,
       "raw values, 32-bit floats, big-endian, in 174 Fortran records of 500 values\n"
       "  grid: nx 500, nz 174, from the Fortran record length\n"},
      {"c-order.npy", steps, plain,
       "numpy .npy array, version 1.0, <f4, shape (174, 500)\n"
       "  grid: nx 500, nz 174, from the .npy shape\n"},
      {"fortran-order.npy", steps, plain, "version 3.0, >f8, shape (174, 500), Fortran order\n"},
      {"x-first.npy",
       {"--order", "columns", "--dx", "20", "--dz", "20"},
       plain,
       "version 2.0, <f4, shape (500, 174)\n  grid: nx 500, nz 174, from the .npy shape\n"},
  };
  for (const auto& form : forms) {
    std::vector<std::string> args = {"--vp", Made(form.file)};
    args.insert(args.end(), form.options.begin(), form.options.end());
    EXPECT_TRUE(Converted(args) == form.values) << form.file;
    std::vector<std::string> sizes = {"sizes", Made(form.file)};
    for (const std::string option : {"--raw", "--order"}) {
      const auto given = std::find(form.options.begin(), form.options.end(), option);
      if (given != form.options.end()) sizes.insert(sizes.end(), {option, *(given + 1)});
    }
    const std::string shown = RunTool(sizes).out;
    EXPECT_EQ(shown.rfind(Made(form.file) + ": " + range + "\n", 0), 0u) << shown;
    EXPECT_NE(shown.find(form.form), std::string::npos) << shown;
  }
  EXPECT_NE(RunTool({"sizes", Made("ibm-be.sgy")}).out.find(segy), std::string::npos);
  // A stream of unknown length, its traces put in rows once read; gzip-compressed.
  const RunResult piped = RunProgram({"convert", "--vp", "-", "--dz", "20", "-o", "-"}, *scratch_,
                                     Made("traces-be.su"));
  EXPECT_TRUE(piped.out == plain) << piped.err;
  // Standard input, a file another program has read a line of, is read from where it stands.
  const std::string noted =
      scratch_->Write("noted.su", "traces\n" + scratch_->Read("traces-be.su"));
  const std::string out = scratch_->Path("noted.mvg");
  const std::string command = "{ dd bs=7 count=1 status=none of=/dev/null; '" +
                              std::string(MVGTOOL_PATH) + "' convert --vp - --dz 20 -o '" + out +
                              "'; } <'" + noted + "' >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(scratch_->Read("noted.mvg") == plain);
  const std::string gzip = scratch_->Write("ibm.sgy.gz", GzipOf(scratch_->Read("ibm-be.sgy")));
  EXPECT_TRUE(Converted({"--vp", gzip, "--dz", "20"}) == ibm);
}

// What a file does not prove is asked for, and each refusal names its file and writes nothing.
TEST_F(BinaryFormsTest, BinaryFilesThatMakeNoModelAreRefusedAndNothingIsWritten) {
  const std::string out = Made("refused.mvg");
  const std::string esri =
      scratch_->Write("rho.asc", "ncols 500\nnrows 174\nxllcorner 0\nyllcorner 0\ncellsize 25\n" +
                                     ReadFileBytes(MarmousiPath("vp.txt")));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--vp", Made("mixed.sgy"), "--dz", "20"},
       "mixed.sgy: trace 201 holds 150 samples, but traces 1 to 200 hold 174: every trace must "
       "hold as many"},
      {{"--vp", Made("cube.sgy"), "--dx", "20", "--dz", "20"},
       "cube.sgy: its trace headers give 3 inline numbers and 4 crossline numbers: a 3-D volume, "
       "not a 2-D model; give one inline of it"},
      {{"--vp", Made("cut.sgy"), "--dz", "20"},
       "cut.sgy: trace 500 is cut short: 149 of its 174 samples"},
      {{"--vp", Made("odd.f32le"), "--raw", "f32le", "--nx", "500", "--dx", "20", "--dz", "20"},
       "odd.f32le: holds 348002 bytes, not a whole number of 4-byte values (87000 values and 2 "
       "bytes)"},
      {{"--vp", Made("rank3.npy"), "--dx", "20", "--dz", "20"},
       "rank3.npy: holds a 3-D array, shape (2, 174, 500); a model is a 2-D array"},
      {{"--vp", Made("raw.f32le"), "--dx", "20", "--dz", "20"},
       "raw.f32le: binary data, not a text grid, SEG-Y, Seismic Unix or .npy file; --raw f32le, "
       "f32be, f64le or f64be (with --nx) reads it as raw values"},
      {{"--vp", Made("records.f32be"), "--dx", "20", "--dz", "20"},
       "records.f32be: binary data in Fortran records (the first of 2000 bytes)"},
      {{"--vp", Made("raw.f32le"), "--raw", "f32le", "--dx", "20", "--dz", "20"},
       "raw.f32le: raw values say nothing of the X size; give --nx"},
      {{"--vp", Made("ibm-be.sgy"), "--dx", "10", "--dz", "20"},
       "--dx 10 contradicts --vp " + Made("ibm-be.sgy") + ": the SEG-Y file gives dx 20"},
      {{"--vp", Made("ibm-be.sgy"), "--density", esri},
       "--density " + esri + " gives nx 500, nz 174, dx 25, dz 25, but --vp " + Made("ibm-be.sgy") +
           " gives nx 500, nz 174, dx 20: all input files must have the same sizes and steps"},
      {{"--vp", Made("x-first.npy"), "--dx", "20", "--dz", "20"},
       "values change 4 times more along the rows than down the columns: is the file stored "
       "column by column?"},
  };
  for (const auto& [options, message] : cases) {
    std::vector<std::string> args = {"convert", "-o", out};
    args.insert(args.end(), options.begin(), options.end());
    const RunResult result = RunTool(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    EXPECT_FALSE(scratch_->Exists("refused.mvg"));
  }
  // The sample interval of a depth model says no step for sure.
  ExpectFailure(RunTool({"convert", "--vp", Made("rev2.sgy"), "--dx", "20", "-o", out}), 2,
                {"no --dz: --vp " + Made("rev2.sgy") +
                 " states no depth step, only a sample interval, in microseconds by the standard "
                 "(sample interval 1250: 1.25 m if in mm); give the grid step along Z in m"});
  EXPECT_FALSE(scratch_->Exists("refused.mvg"));
}

}  // namespace
