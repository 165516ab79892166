// Marmousi-II's Vp as seismic files written by an independent writer (segyio, through Debian's
// Python, which the Windows build lacks), in the dialog.
#include "dialog/ConvertDialogFixture.h"

namespace dialog_test {
namespace {

class SeismicFilesTest : public ConvertDialogTest {
 protected:
  // The files make_binary_forms.py writes, in a folder of their own.
  fs::path Made(const std::string& name) {
    const fs::path folder = Folder("made");
    if (!fs::exists(folder / name)) {
      const char* source = std::getenv("MVG_SOURCE_DIR");
      const std::string command =
          std::string("/usr/bin/python3 ") + (source != nullptr ? source : ".") +
          "/tests/support/make_binary_forms.py " + Marmousi("vp.txt").string() + " " +
          folder.string() + " >/dev/null";
      EXPECT_EQ(std::system(command.c_str()), 0) << "needs python3-segyio and python3-numpy";
    }
    return folder / name;
  }
};

// A SEG-Y file shows its form line; its coordinates prove dx, which fills the X step alone, and
// the Z step left at 1 m is asked about naming the sample interval's likely reading (No writes
// nothing). Its traces, the grid's columns, keep their values across X sizes chosen. A Seismic
// Unix file loaded then keeps the Z step typed. Each writes what mvgtool writes with --dz 20.
TEST_F(SeismicFilesTest, SeismicFilesFillTheXStepAndAskForTheZStepNamingTheSampleInterval) {
  const std::string traces =
      "500 traces of 174 samples, sample interval 20000, CDP X 0 to 9980 at steps of 20";
  const std::string hint = "; dz not stated, sample interval 20000: 20 m if in mm";
  const fs::path segy = Made("ibm-be.sgy");
  Browse(PropertyKind::kVp, segy);
  EXPECT_EQ(Texts({kReadingText, kXSizeCombo, kXStepField, kZStepField}),
            (Strings{"ibm-be.sgy: SEG-Y, revision 0, big-endian, IBM floats, " + traces + hint,
                     "500", "20", "1"}));
  const fs::path output = Folder("out") / "m.mvg";
  ChooseOutput(output);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages,
            Strings{"The Z step is still the initial 1 m: is it the grid's step? ibm-be.sgy states "
                    "no depth step, only a sample interval, in microseconds by the standard "
                    "(sample interval 20000: 20 m if in mm)\n\nWrite the grid file anyway?"});
  EXPECT_FALSE(fs::exists(output));
  for (const char* size : {"250", "580", "500"}) ChooseXSize(size);
  window.Type(kZStepField, "20");
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.size(), 1u);
  EXPECT_TRUE(ReadBytes(output) == MvgtoolWrites({"--vp", segy.string(), "--dz", "20"},
                                                 Folder("reference") / "segy.mvg"));

  const fs::path su = Made("traces-le.su");
  Browse(PropertyKind::kVp, su);
  EXPECT_EQ(Texts({kReadingText, kXSizeCombo, kXStepField, kZStepField}),
            (Strings{"traces-le.su: Seismic Unix, little-endian, 32-bit floats, " + traces + hint,
                     "500", "20", "20"}));
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.size(), 1u);
  EXPECT_TRUE(ReadBytes(output) ==
              MvgtoolWrites({"--vp", su.string(), "--dz", "20"}, Folder("reference") / "su.mvg"));
}

}  // namespace
}  // namespace dialog_test
