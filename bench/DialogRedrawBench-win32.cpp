// The dialog's picture redrawn after a change of the X size, from the change to the painted
// picture, on text grids of 1 and 20 million values: the real dialog window, the X-size box's
// notification sent as the box sends it, timed with the steady clock. Run under Wine with a
// display (scripts/bench.sh with MVG_BENCH_WINE=1): the goal is at most 0.3 s for 20 million.
//   dialog_redraw_bench FOLDER [RUNS]   (FOLDER holds or gets the benchmark grids)

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchGrid.h"
#include "dialog/ConvertDialogControls.h"
#include "dialog/ConvertDialogWindow-win32.h"
#include "folders/FolderMemory.h"
#include "support/ScriptedCommonDialogs.h"
#include "support/ScriptedDialog.h"

namespace {

// Milliseconds of each X-size change, alternating between nx and nx / 2, the first left out.
std::vector<double> TimeRedraws(const std::string& grid, int runs) {
  ScriptedCommonDialogs dialogs;
  dialogs.AnswerFileDialog(grid);
  ProcessFolders folders;
  FolderMemory memory(folders, InitFolderMemory(folders));
  HelpPictureImages pictures;
  ScriptedDialog<ConvertDialogWindow> dialog(dialogs, memory, pictures);
  std::vector<double> times;
  dialog.Then([](auto& d) { SendMessageA(GetDlgItem(d, kVpBrowseButton), BM_CLICK, 0, 0); });
  dialog.Then([&times, runs](auto& d) {
    HWND box = GetDlgItem(d, kXSizeCombo);
    for (int i = 0; i <= runs; ++i) {
      const std::string size = std::to_string(i % 2 == 0 ? kBenchColumns / 2 : kBenchColumns);
      const LRESULT index = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(size.c_str()));
      const auto start = std::chrono::steady_clock::now();
      SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SendMessageA(d, WM_COMMAND, MAKEWPARAM(kXSizeCombo, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(box));
      RedrawWindow(d, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      const std::chrono::duration<double, std::milli> took =
          std::chrono::steady_clock::now() - start;
      if (i > 0) times.push_back(took.count());
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
    std::vector<double> times = TimeRedraws(grid, runs);
    if (times.empty()) {
      std::printf("  %s: FAILED\n", grid.c_str());
      continue;
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "  %2.0f million values: X size %d <-> %d, redrawn and painted in median %.1f ms "
        "(%.1f to %.1f, %d runs)\n",
        kBenchColumns * static_cast<double>(rows) / 1e6, kBenchColumns, kBenchColumns / 2,
        times[times.size() / 2], times.front(), times.back(), runs);
  }
  return 0;
}
