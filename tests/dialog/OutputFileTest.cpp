// The grid file chosen in the Save dialog.
#include "dialog/ConvertDialogFixture.h"

namespace dialog_test {
namespace {

class OutputFileTest : public ConvertDialogTest {};

TEST_F(OutputFileTest, OutputNameGetsItsExtensionAndKeepsItsFolder) {
  const fs::path out = Folder("out");
  for (const auto& [chosen, kept] :
       {std::pair{"model", "model.mvg"}, {"grid.old", "grid.old"}, {"model.MVG", "model.MVG"}}) {
    ChooseOutput(out / chosen);
    EXPECT_EQ(Texts({kOutputNameText}), Strings{kept});
    EXPECT_EQ(dialog.Output().FullPath(), (out / kept).string());
  }
  window.CancelFileDialog();
  dialog.OnBrowseOutput();
  EXPECT_EQ(dialog.Output().Name(), "model.MVG");
}

}  // namespace
}  // namespace dialog_test
