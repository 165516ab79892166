// What the picture is asked to show and the sizes shown, as each choice changes: the model OK
// writes.
#include "dialog/ConvertDialogFixture.h"
#include "gridfile/GridPropertyReader.h"
#include "support/GridFileWords.h"

namespace dialog_test {
namespace {

class ModelPictureTest : public ConvertDialogTest {
 protected:
  const GridPictureRequest& Shown() const { return pictures.shown.back(); }
  std::vector<float> ShownValues() const {
    const GridPictureRequest& shown = Shown();
    if (shown.values == nullptr) return {};
    return {shown.values, shown.values + static_cast<std::ptrdiff_t>(shown.nx) * shown.nz};
  }
};

// The picture shows Vp, else the first property made, unless one is chosen in its list; the part
// to be written at the X size chosen, as the sizes are typed; the values as the unit in its box
// makes them. While the fields say what OK refuses, the refusal shows instead, and no sizes.
TEST_F(ModelPictureTest, ThePictureShowsTheChosenPropertyAsItWillBeWrittenOrWhyItCannotBe) {
  dialog.RedrawPicture();
  EXPECT_EQ(Shown().values, nullptr);
  EXPECT_EQ(Shown().title, "");
  Browse(PropertyKind::kVs, WriteText("in", "vs.txt", Sequence(100, 500)));
  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", Sequence(100, 2000)));
  EXPECT_EQ(Shown().title, "rho.txt: Q (density), 10 x 10, dx 1 m, dz 1 m");
  LoadHundredVp();
  EXPECT_EQ(Shown().title, "vp.txt: P (Vp), 10 x 10, dx 1 m, dz 1 m");
  EXPECT_EQ(window.ComboItems(kPictureCombo), (Strings{"Vp", "density", "Vs"}));
  EXPECT_EQ(window.DisabledControls().count(kPictureCombo), 0u);
  window.SetComboSelection(kPictureCombo, 2);
  dialog.OnPictureSelChange();
  LoadHundredVp();  // a chosen property stays chosen
  EXPECT_EQ(Shown().title.substr(0, 7), "vs.txt:");
  EXPECT_EQ(window.GetComboSelection(kPictureCombo), 2);

  ChooseXSize("4");
  EXPECT_EQ((Ints{Shown().nx, Shown().nz}), (Ints{4, 25}));
  // A typed window shows while it lies within the grid; past it, the one accepted last.
  struct Typed {
    const char *xFrom, *nx, *zFrom, *nz;
    const char* title;
    int first;  // the value shown first
  };
  const Typed typed[] = {
      {"0", "3", "0", "25", "vs.txt: R (Vs), 3 x 25 of 4 x 25, dx 1 m, dz 1 m", 500},
      {"1", "3", "20", "5", "vs.txt: R (Vs), 3 x 5 at x 1, z 20 of 4 x 25, dx 1 m, dz 1 m", 581},
      {"2", "3", "0", "0", "vs.txt: R (Vs), 4 x 25, dx 1 m, dz 1 m", 500},
  };
  for (const Typed& t : typed) {
    window.Type(kXFromField, t.xFrom);
    window.Type(kNxWriteField, t.nx);
    window.Type(kZFromField, t.zFrom);
    window.Type(kNzWriteField, t.nz);
    dialog.RedrawPicture();
    EXPECT_EQ(Shown().title, t.title);
    ASSERT_FALSE(ShownValues().empty()) << t.title;
    EXPECT_EQ(ShownValues().front(), t.first) << t.title;
  }
  window.SetComboSelection(kVsUnitsCombo, 2);  // km/s: the values as the grid file holds them
  dialog.OnUnitsSelChange(PropertyKind::kVs);
  EXPECT_EQ(std::make_pair(ShownValues().back(), Shown().unit), std::make_pair(599000.0f, "m/s"s));

  const std::pair<int, const char*> refused[][2] = {
      {{kXStepField, "abc"}, {kXStepField, "1"}},
      {{kZStepField, "-1"}, {kZStepField, "1"}},
      {{kVsUnitsCombo, "furlongs"}, {kVsUnitsCombo, "m/s"}},
      {{kXSizeCombo, "333"}, {kXSizeCombo, "4"}},
  };
  const char* const reasons[] = {
      "Please enter a number.", "The Z step must be greater than 0.",
      "\"furlongs\" is not one of the units for Vs. Choose one from the list.",
      "\"333\" is not one of the X sizes in the list. Choose one from the list."};
  // What the window does as each is typed.
  const auto type = [this](int field, const char* text) {
    window.Type(field, text);
    field == kXSizeCombo ? dialog.OnXSizeEditChange() : dialog.RedrawPicture();
  };
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    type(refused[i][0].first, refused[i][0].second);
    EXPECT_EQ(Shown().values, nullptr);
    EXPECT_EQ(Shown().title, reasons[i]);
    EXPECT_EQ(Text(kWrittenSizesText), "");
    type(refused[i][1].first, refused[i][1].second);
    EXPECT_NE(Shown().values, nullptr) << reasons[i];
  }
}

// New steps, a border, a rule and holes filled, each on a window of the grid: the picture's
// grid, its title and the border it marks, and the sizes shown, are the grid file OK writes.
TEST_F(ModelPictureTest, ThePictureAndTheSizesShownAreTheGridFileOkWrites) {
  std::string text = Sequence(120, 1500, 12);     // water where Vp is at most 1550 m/s
  text.replace(text.find("1575"), 4, "-999.25");  // a hole in the window
  Browse(PropertyKind::kVp, WriteText("in", "vp.txt", text));
  window.Type(kNxWriteField, "8");
  window.Type(kXFromField, "2");
  dialog.OnKillFocusXFrom();
  window.Type(kHolesCombo, "1600");
  struct Scenario {
    const char* name;
    int field;
    const char* typed;
    PropertyKind pictured;
    const char* title;
    ModelEdges model;
  };
  const PropertyKind vp = PropertyKind::kVp, density = PropertyKind::kDensity;
  const Scenario scenarios[] = {
      {"plain", 0, "", vp, "vp.txt: P (Vp), 8 x 10 at x 2, z 0 of 12 x 10, dx 1 m, dz 1 m", {}},
      {"steps",
       kNewXStepField,
       "1.5",
       vp,
       "vp.txt: P (Vp), 5 x 10 from 8 x 10 at x 2, z 0 of 12 x 10, dx 1.5 m, dz 1 m",
       {}},
      {"border",
       kBorderField,
       "1,2,0,3",
       vp,
       "vp.txt: P (Vp), 11 x 13 from 8 x 10 at x 2, z 0 of 12 x 10, dx 1 m, dz 1 m",
       {1, 0, 9, 10}},
      {"rule",
       kDensitySourceCombo,
       "",
       density,
       "Density by Gardner's relation on vp.txt: Q (density), 8 x 10 at x 2, z 0 of 12 x 10, dx "
       "1 m, dz 1 m",
       {}},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.name);
    if (s.field == kDensitySourceCombo) {
      window.SetComboSelection(kDensitySourceCombo, 1);
      dialog.OnSourceSelChange();
      window.SetComboSelection(kPictureCombo, 1);
      dialog.OnPictureSelChange();
    } else if (s.field != 0) {
      window.Type(s.field, s.typed);
    }
    dialog.RedrawPicture();
    const std::vector<float> shown = ShownValues();
    EXPECT_EQ(Shown().title, s.title);
    EXPECT_EQ((std::vector<double>{Shown().model.left, Shown().model.top, Shown().model.right,
                                   Shown().model.bottom}),
              (std::vector<double>{s.model.left, s.model.top, s.model.right, s.model.bottom}));
    const std::string sizes = Text(kWrittenSizesText);

    const fs::path output = Folder("out") / (std::string(s.name) + ".mvg");
    ChooseOutput(output);
    window.AnswerQuestion(true);
    ASSERT_TRUE(dialog.OnOK()) << window.messages.back();
    const GridPropertyValues written = ReadGridProperty(output.string(), &PropertyOf(s.pictured));
    ASSERT_TRUE(written.ok()) << written.status.message();
    EXPECT_EQ((Ints{Shown().nx, Shown().nz}), (Ints{written.header.nx, written.header.nz}));
    EXPECT_TRUE(BitsOf(shown) ==
                BitsOf({written.values.get(), written.values.get() + written.count}));
    const std::int64_t nodes = std::int64_t{written.header.nx} * written.header.nz;
    EXPECT_EQ(sizes, "File: " + std::to_string(written.header.nx) + " x " +
                         std::to_string(written.header.nz) + "\n= " + std::to_string(nodes) +
                         " nodes\n" + std::to_string(fs::file_size(output)) + " bytes");
    // With nothing but a window, the window's sizes.
    if (s.field == 0) {
      EXPECT_EQ(Text(kWriteCountField), std::to_string(nodes));
    }
    if (s.field != kDensitySourceCombo) window.Type(s.field, "");
  }
}

}  // namespace
}  // namespace dialog_test
