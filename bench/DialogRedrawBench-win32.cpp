// The dialog's picture and sizes redrawn after a change, from the change to the painted picture,
// on text grids of 1 and 20 million values: the real dialog window, each change made as its
// control makes it (the X-size box's notification; a field's text set, which notifies), timed
// with the steady clock. The changes, each to and fro: the X size (nx <-> nx / 2), new steps
// (none <-> a new X step of 2 m from 1 m, and 1.5 m: copied nodes and interpolated ones), a
// border (none <-> 10,10,0,20), and, with density by Gardner's relation pictured, the border
// again. Run under Wine with a display (scripts/bench.sh with MVG_BENCH_WINE=1): the goal is at
// most 0.3 s for 20 million after a change of the X size, new steps or a border.
//   dialog_redraw_bench FOLDER [RUNS]   (FOLDER holds or gets the benchmark grids)

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchGrid.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/ConvertDialogWindow-win32.h"
#include "folders/FolderMemory.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"

namespace {

using Dialog = ScriptedDialog<ConvertDialogWindow>;

// One kind of change: run i of it, made on the dialog.
struct Change {
  const char* name;
  std::function<void(Dialog& d, int i)> make;
};

void ChooseXSize(Dialog& d, std::int32_t size) {
  HWND box = GetDlgItem(d, kXSizeCombo);
  const std::string text = std::to_string(size);
  const LRESULT index = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(kXSizeCombo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box));
}

// An edit field's text set: the field tells the dialog as typing does.
void SetField(Dialog& d, int field, const char* text) {
  SetWindowTextA(GetDlgItem(d, field), text);
}

void ChooseListEntry(Dialog& d, int list, int index) {
  HWND box = GetDlgItem(d, list);
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

const std::vector<Change>& Changes() {
  static const std::vector<Change> changes = {
      {"X size",
       [](Dialog& d, int i) { ChooseXSize(d, i % 2 == 0 ? kBenchColumns / 2 : kBenchColumns); }},
      {"new steps",
       [](Dialog& d, int i) {
         SetField(d, kNewXStepField, i % 4 == 0 ? "2" : i % 4 == 2 ? "1.5" : "");
       }},
      {"border",
       [](Dialog& d, int i) { SetField(d, kBorderField, i % 2 == 0 ? "10,10,0,20" : ""); }},
      {"border, density by Gardner's relation",
       [](Dialog& d, int i) {
         if (i == 0) {
           ChooseListEntry(d, kDensitySourceCombo, 1);
           ChooseListEntry(d, kPictureCombo, 1);
         }
         SetField(d, kBorderField, i % 2 == 0 ? "10,10,0,20" : "");
       }},
  };
  return changes;
}

// Milliseconds of each change of each kind, the first of each left out.
std::vector<std::vector<double>> TimeRedraws(const std::string& grid, int runs) {
  ScriptedCommonDialogs dialogs;
  dialogs.AnswerFileDialog(grid);
  ProcessFolders folders;
  FolderMemory memory(folders, InitFolderMemory(folders));
  HelpPictureImages pictures;
  Dialog dialog(dialogs, memory, pictures);
  std::vector<std::vector<double>> times(Changes().size());
  dialog.Then([](auto& d) { SendMessageA(GetDlgItem(d, kVpBrowseButton), BM_CLICK, 0, 0); });
  dialog.Then([&times, runs](auto& d) {
    // The picture control's own text stays while a picture shows; a refusal replaces it.
    const auto text = [&d] {
      char shown[512] = {};
      GetWindowTextA(GetDlgItem(d, kModelPicture), shown, sizeof shown);
      return std::string(shown);
    };
    const std::string hint = text();
    for (std::size_t c = 0; c < Changes().size(); ++c) {
      for (int i = 0; i <= runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Changes()[c].make(d, i);
        RedrawWindow(d, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (i > 0) times[c].push_back(took.count());
        if (text() != hint) std::printf("  %s, run %d: %s\n", Changes()[c].name, i, text().c_str());
      }
      // Back to the whole grid with nothing prepared.
      ChooseXSize(d, kBenchColumns);
      SetField(d, kNewXStepField, "");
      SetField(d, kBorderField, "");
    }
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  dialog.DoModal();
  if (!dialogs.messages.empty()) std::printf("  message: %s\n", dialogs.messages[0].text.c_str());
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: dialog_redraw_bench FOLDER [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
  for (const std::int32_t rows : {500, kBenchRows}) {
    const std::string grid = EnsureBenchGrid(argv[1], rows);
    if (grid.empty()) {
      std::fprintf(stderr, "dialog_redraw_bench: cannot write a grid in %s\n", argv[1]);
      return 1;
    }
    std::vector<std::vector<double>> times = TimeRedraws(grid, runs);
    for (std::size_t c = 0; c < times.size(); ++c) {
      std::vector<double>& t = times[c];
      if (t.empty()) {
        std::printf("  %s: FAILED\n", grid.c_str());
        continue;
      }
      std::sort(t.begin(), t.end());
      std::printf(
          "  %2.0f million values, %s: redrawn and painted in median %.1f ms (%.1f to %.1f, "
          "%d runs)\n",
          kBenchColumns * static_cast<double>(rows) / 1e6, Changes()[c].name, t[t.size() / 2],
          t.front(), t.back(), runs);
    }
  }
  return 0;
}
