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

TEST_F(OutputFileTest, AFailedExportIsReportedAndTheDialogStaysOpen) {
  LoadHundredVp();
  fs::path out = Folder("out");
  ChooseOutput(out / "model.mvg");
  fs::remove_all(out);
  window.AnswerQuestion(true);
  window.AnswerQuestion(true);
  EXPECT_FALSE(dialog.OnOK());
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_NE(window.messages[1].find("model.mvg"), std::string::npos) << window.messages[1];
  EXPECT_FALSE(File(PropertyKind::kVp).values.empty());
  EXPECT_EQ(dialog.Output().Name(), "model.mvg");

  fs::create_directories(out);
  EXPECT_TRUE(dialog.OnOK());
  EXPECT_EQ(fs::file_size(out / "model.mvg"), kGridFileHeaderSize + 400);
}

}  // namespace
}  // namespace dialog_test
