// Binary grids in the dialog: told from their bytes, the form line showing what was read, raw
// values read as the reading choices say, and each written as mvgtool writes it.
#include <cstring>

#include "dialog/ConvertDialogFixture.h"

namespace dialog_test {
namespace {

class BinaryFormsTest : public ConvertDialogTest {};

// A velocity 3 rows deep and 4 wide, faster with depth: row z, column x.
double Velocity(int z, int x) { return 1500 + 100 * z + 10 * x; }

template <typename T>
std::string BytesOf(T value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);  // little-endian, as the machines we run on
  return bytes;
}

// numpy's .npy format by hand: magic, version 1.0, the header's length and dictionary (padded
// so that the values start at 128), then the values, here column by column.
std::string NpyInFortranOrder() {
  std::string header = "{'descr': '<f8', 'fortran_order': True, 'shape': (3, 4), }";
  header += std::string(128 - 10 - 1 - header.size(), ' ') + "\n";
  std::string file = std::string("\x93NUMPY\x01\x00", 8) + static_cast<char>(header.size()) + '\0';
  file += header;
  for (int x = 0; x < 4; ++x) {
    for (int z = 0; z < 3; ++z) file += BytesOf(Velocity(z, x));
  }
  return file;
}

// A Fortran-order .npy states its X size and hands its values on column by column: choosing
// other X sizes and then its own puts them back in the grid's order, and OK writes what mvgtool
// writes.
TEST_F(BinaryFormsTest, AnNpyArrayInFortranOrderKeepsItsValuesAcrossXSizesChosen) {
  const fs::path vp = WriteText("in", "vp.npy", NpyInFortranOrder());
  Browse(PropertyKind::kVp, vp);
  EXPECT_TRUE(window.messages.empty()) << window.messages[0];
  EXPECT_EQ(Texts({kReadingText, kXSizeCombo, kNzInputField, kXStepField}),
            (Strings{"vp.npy: numpy .npy array, version 1.0, <f8, shape (3, 4), Fortran order", "4",
                     "3", "1"}));
  for (const char* size : {"6", "2", "4"}) ChooseXSize(size);
  window.Type(kXStepField, "10");
  window.Type(kZStepField, "10");
  const fs::path output = Folder("out") / "m.mvg";
  ChooseOutput(output);
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_TRUE(window.messages.empty()) << window.messages[0];
  EXPECT_TRUE(ReadBytes(output) == MvgtoolWrites({"--vp", vp.string(), "--dx", "10", "--dz", "10"},
                                                 Folder("reference") / "m.mvg"));
}

// Raw floats after a header: refused until a raw type is chosen, naming the dialog's choice;
// "Skip bytes" passes over the header. Nothing proposes an X size: OK refuses until one is chosen
// from the list, which a choice that reads the file again keeps, and the steps typed before stay.
TEST_F(BinaryFormsTest, RawValuesAreReadWithTheRawTypeAndBytesChosenAndAnXSizeChosen) {
  std::string file = std::string("MODL\0\0\0\0", 8);
  for (int z = 0; z < 3; ++z) {
    for (int x = 0; x < 4; ++x) file += BytesOf(static_cast<float>(Velocity(z, x)));
  }
  const fs::path vp = WriteText("in", "vp.bin", file);
  Browse(PropertyKind::kVp, vp);
  EXPECT_EQ(window.messages,
            Strings{"vp.bin: binary data, not a text grid, SEG-Y, Seismic Unix or .npy file; \"Raw "
                    "values\" f32le, f32be, f64le or f64be (with the \"X-Size in Input File\") "
                    "reads it as raw values.\nThe file was not loaded."});
  EXPECT_EQ(window.DisabledControls().count(kSkipBytesField), 1u);
  window.SetComboSelection(kRawCombo, 1);
  dialog.OnReadingChoice();
  EXPECT_EQ(window.ComboItems(kRawCombo), (Strings{"none", "f32le", "f32be", "f64le", "f64be"}));
  EXPECT_EQ(window.DisabledControls().count(kSkipBytesField), 0u);
  EXPECT_EQ(window.DisabledControls().count(kFormCombo), 1u);  // raw values have no text form
  window.Type(kSkipBytesField, "8");
  dialog.OnKillFocusSkip();
  window.messages.clear();
  Browse(PropertyKind::kVp, vp);
  EXPECT_EQ(window.messages, Strings{"vp.bin: raw values say nothing of the X size; give the "
                                     "\"X-Size in Input File\""});
  EXPECT_EQ(
      Texts({kReadingText, kXSizeCombo, kInputCountField, kNzInputField}),
      (Strings{"vp.bin: raw values, 32-bit floats, little-endian, after 8 bytes", "", "12", ""}));
  const fs::path output = Folder("out") / "m.mvg";
  ChooseOutput(output);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(window.messages.back(), "Choose an X size from the list.");
  EXPECT_EQ(window.focused, kXSizeCombo);

  window.Type(kXStepField, "10");
  window.Type(kZStepField, "10");
  ChooseXSize("4");
  window.Click(kFlipZCheck);
  dialog.OnReadingChoice();
  EXPECT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(Texts({kXSizeCombo, kNzInputField, kXStepField}), (Strings{"4", "3", "10"}));
  ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
  EXPECT_EQ(window.messages.size(), 2u);
  EXPECT_TRUE(ReadBytes(output) ==
              MvgtoolWrites({"--vp", vp.string(), "--raw", "f32le", "--skip-bytes", "8", "--nx",
                             "4", "--flip-z", "--dx", "10", "--dz", "10"},
                            Folder("reference") / "m.mvg"));
}

// Raw values read again keep the X size chosen: the same count keeps the window to write too;
// another count (more bytes skipped) gives the X size chosen its new depth.
TEST_F(BinaryFormsTest, RawValuesReadAgainKeepTheXSizeChosenAndFollowTheirCount) {
  window.SetComboSelection(kRawCombo, 1);
  dialog.OnReadingChoice();
  std::string file;
  for (int i = 0; i < 16; ++i) file += BytesOf(static_cast<float>(1500 + 10 * i));
  Browse(PropertyKind::kVp, WriteText("in", "vp.bin", file));
  ChooseXSize("4");
  window.Type(kNzWriteField, "2");
  dialog.OnKillFocusNzWrite();
  EXPECT_EQ(Sizes(), (Ints{4, 4, 4, 2, 16, 8}));
  window.Click(kFlipZCheck);
  dialog.OnReadingChoice();
  EXPECT_EQ(Sizes(), (Ints{4, 4, 4, 2, 16, 8}));
  window.Type(kSkipBytesField, "16");
  dialog.OnKillFocusSkip();
  EXPECT_EQ(Sizes(), (Ints{4, 3, 4, 3, 12, 12}));
  EXPECT_EQ(Texts({kXSizeCombo, kNzInputField, kInputCountField}), (Strings{"4", "3", "12"}));
}

// The values of a 4 x 3 grid in Fortran records of `perRecord` values each.
std::string InRecords(const std::string& plain, int perRecord) {
  const std::string marker = BytesOf(static_cast<std::uint32_t>(4 * perRecord));
  std::string records;
  for (std::size_t at = 0; at < plain.size(); at += 4 * perRecord) {
    records += marker + plain.substr(at, 4 * perRecord) + marker;
  }
  return records;
}

// A raw file loaded after Fortran records keeps the X size their length states; after records of
// one value each, which state nothing, it asks for one. The values follow the X size chosen then,
// turned upside down as asked, as mvgtool writes the same values as plain raw floats.
TEST_F(BinaryFormsTest, RawValuesAfterFortranRecordsKeepTheStatedXSizeOrFollowTheOneChosen) {
  window.SetComboSelection(kRawCombo, 1);
  window.Click(kFlipZCheck);
  dialog.OnReadingChoice();
  std::string plain, rho;
  for (int i = 0; i < 12; ++i) {
    plain += BytesOf(static_cast<float>(Velocity(i / 4, i % 4)));
    rho += BytesOf(static_cast<float>(2000 + 10 * i));
  }
  const auto unsized = [](const std::string& name) {
    return Strings{name +
                   ": raw values say nothing of the X size; give the \"X-Size in Input File\""};
  };
  const struct {
    const char* name;
    std::string bytes;
    Strings toldOfVp, toldOfDensity;
    std::string xSize;  // after Vp is loaded
  } cases[] = {
      {"vp.bin", InRecords(plain, 1), unsized("vp.bin"), unsized("rho.bin"), ""},
      {"vp.bin", InRecords(plain, 4), {}, {}, "4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xSize + " " + c.name);
    Browse(PropertyKind::kVp, WriteText("in", c.name, c.bytes));
    EXPECT_EQ(window.messages, c.toldOfVp);
    EXPECT_EQ(Text(kXSizeCombo), c.xSize);
    window.messages.clear();
    const fs::path density = WriteText("in", "rho.bin", rho);
    Browse(PropertyKind::kDensity, density);
    EXPECT_EQ(window.messages, c.toldOfDensity);
    ChooseXSize("4");
    window.Type(kXStepField, "10");
    window.Type(kZStepField, "10");
    const fs::path output = Folder("out") / "m.mvg";
    ChooseOutput(output);
    window.AnswerQuestion(true);
    ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
    EXPECT_TRUE(ReadBytes(output) ==
                MvgtoolWrites({"--vp", WriteText("reference", "vp.bin", plain).string(),
                               "--density", density.string(), "--raw", "f32le", "--nx", "4",
                               "--flip-z", "--dx", "10", "--dz", "10"},
                              Folder("reference") / "m.mvg"));
    window.messages.clear();
  }
}

}  // namespace
}  // namespace dialog_test
