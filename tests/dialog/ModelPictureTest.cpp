// What the picture is asked to show, as each choice changes.
#include "dialog/ConvertDialogFixture.h"

namespace dialog_test {
namespace {

class ModelPictureTest : public ConvertDialogTest {};

// The picture shows Vp, else the first property loaded, unless one is chosen in its list; the
// part to be written at the X size chosen, as the sizes are typed; the values as the unit in
// its box makes them; axes in m while both steps are numbers above 0.
TEST_F(ModelPictureTest, ThePictureShowsTheChosenPropertyAsItWillBeWritten) {
  const auto shown = [this] { return pictures.shown.back(); };
  const auto property = [this, &shown] {
    for (const GridProperty& p : kGridProperties) {
      if (shown().values != nullptr && shown().values == File(p.kind).values.data()) return p.name;
    }
    return "none";
  };
  dialog.RedrawPicture();
  EXPECT_STREQ(property(), "none");
  Browse(PropertyKind::kVs, WriteText("in", "vs.txt", Sequence(100, 500)));
  Browse(PropertyKind::kDensity, WriteText("in", "rho.txt", Sequence(100, 2000)));
  EXPECT_STREQ(property(), "density");
  EXPECT_EQ(shown().title, "rho.txt: Q (density), 10 x 10, dx 1 m, dz 1 m");
  LoadHundredVp();
  EXPECT_STREQ(property(), "Vp");
  EXPECT_EQ(window.ComboItems(kPictureCombo), (Strings{"Vp", "density", "Vs"}));
  EXPECT_EQ(window.DisabledControls().count(kPictureCombo), 0u);
  window.SetComboSelection(kPictureCombo, 2);
  dialog.OnPictureSelChange();
  LoadHundredVp();  // a chosen property stays chosen
  EXPECT_STREQ(property(), "Vs");
  EXPECT_EQ(window.GetComboSelection(kPictureCombo), 2);

  window.SetComboSelection(kXSizeCombo, 1);  // 4
  dialog.OnXSizeSelChange();
  EXPECT_EQ((Ints{shown().nx, shown().nz, shown().window.nx, shown().window.nz}),
            (Ints{4, 25, 4, 25}));
  // A typed window shows while it lies within the grid; past it, the one accepted last.
  struct Typed {
    const char *xFrom, *nx, *zFrom, *nz;
    std::int32_t x, z, shownNx, shownNz;
    const char* title;
  };
  const Typed typed[] = {
      {"0", "3", "0", "25", 0, 0, 3, 25, "vs.txt: R (Vs), 3 x 25 of 4 x 25, dx 1 m, dz 1 m"},
      {"1", "3", "20", "5", 1, 20, 3, 5,
       "vs.txt: R (Vs), 3 x 5 from x 1, z 20 of 4 x 25, dx 1 m, dz 1 m"},
      {"2", "3", "0", "0", 0, 0, 4, 25, "vs.txt: R (Vs), 4 x 25, dx 1 m, dz 1 m"},
  };
  for (const Typed& t : typed) {
    window.Type(kXFromField, t.xFrom);
    window.Type(kNxWriteField, t.nx);
    window.Type(kZFromField, t.zFrom);
    window.Type(kNzWriteField, t.nz);
    dialog.RedrawPicture();
    const PictureWindow& drawn = shown().window;
    EXPECT_EQ((Ints{drawn.x, drawn.z, drawn.nx, drawn.nz}), (Ints{t.x, t.z, t.shownNx, t.shownNz}))
        << t.title;
    EXPECT_EQ(shown().title, t.title);
  }
  const std::tuple<const char*, const char*, float, float> steps[] = {
      {"12.5", "5", 12.5f, 5.0f}, {"abc", "5", 0.0f, 0.0f}, {"20", "-1", 0.0f, 0.0f}};
  for (const auto& [x, z, dx, dz] : steps) {
    window.Type(kXStepField, x);
    window.Type(kZStepField, z);
    dialog.RedrawPicture();
    EXPECT_EQ(std::make_pair(shown().dx, shown().dz), std::make_pair(dx, dz)) << x << " " << z;
  }
  EXPECT_EQ(shown().title, "vs.txt: R (Vs), 4 x 25");  // node numbers on the axes

  window.SetComboSelection(kVsUnitsCombo, 2);
  dialog.OnUnitsSelChange(PropertyKind::kVs);
  EXPECT_EQ(std::make_pair(shown().factor, shown().unit), std::make_pair(1000.0f, "m/s"s));
  window.Type(kVsUnitsCombo, "furlongs");
  dialog.RedrawPicture();
  EXPECT_EQ(std::make_pair(shown().factor, shown().unit), std::make_pair(1.0f, "file's units"s));
}

}  // namespace
}  // namespace dialog_test
