// MorvTxtMvg.exe started as a process of its own from a working folder with or without its
// pictures, as a user starts it; its windows are found by their captions and answered.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr char kDialogTitle[] = "Conversion Text to Morvelan Mvg";
constexpr char kMessageCaption[] = "MorvTxtMvg";
constexpr int kGiveUpMs = 30000;

// The text of a message box: its one static control with text (the icon's has none).
std::string MessageText(HWND box) {
  std::string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM param) -> BOOL {
        char className[16] = {};
        char childText[512] = {};
        GetClassNameA(child, className, sizeof className);
        GetWindowTextA(child, childText, sizeof childText);
        if (_stricmp(className, "Static") != 0 || childText[0] == '\0') return TRUE;
        *reinterpret_cast<std::string*>(param) = childText;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

struct StartUp {
  DWORD exitCode = STILL_ACTIVE;
  std::vector<std::string> messages;  // every message box shown, each answered with OK
  bool dialogShown = false;           // the conversion dialog, closed with Cancel
};

// Starts the program in `folder` and plays its user until it ends.
StartUp RunProgramIn(const fs::path& folder) {
  StartUp result;
  const std::string program = fs::absolute(MORVTXTMVG_PATH).make_preferred().string();
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.string().c_str(), &startup, &process)) {
    ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
    return result;
  }
  CloseHandle(process.hThread);
  HWND answered = nullptr;
  for (int waited = 0; WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT; waited += 50) {
    if (waited > kGiveUpMs) {
      ADD_FAILURE() << "the program did not end";
      TerminateProcess(process.hProcess, 99);
      WaitForSingleObject(process.hProcess, INFINITE);
      break;
    }
    HWND box = FindWindowA("#32770", kMessageCaption);
    if (box != nullptr && box != answered && IsWindowVisible(box)) {
      answered = box;
      result.messages.push_back(MessageText(box));
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    HWND dialog = FindWindowA(nullptr, kDialogTitle);
    if (dialog != nullptr && IsWindowVisible(dialog) && !result.dialogShown) {
      result.dialogShown = true;
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  }
  GetExitCodeProcess(process.hProcess, &result.exitCode);
  CloseHandle(process.hProcess);
  return result;
}

TEST(MorvTxtMvgMainTest, StartUpChecksThePicturesInTheWorkingFolder) {
  const char* root = std::getenv("MVG_SOURCE_DIR");
  const fs::path pictures = fs::absolute(fs::path(root != nullptr ? root : ".") / "resources/RUX");
  const char* const all[] = {"easy.bmp", "easyUnderMouse.bmp", "easyPressed.bmp"};
  const struct {
    const char* name;
    int present;             // how many of the pictures, in the order they are checked
    const char* notABitmap;  // a present picture replaced by other bytes
    std::vector<std::string> messages;
    bool dialogShown;
  } cases[] = {
      {"no RUX folder", 0, nullptr, {"Put in RUX directory file easy.bmp"}, false},
      {"pressed picture missing", 2, nullptr, {"Put in RUX directory file easyPressed.bmp"}, false},
      {"hover picture not a bitmap", 3, "easyUnderMouse.bmp", {"Not Bmp File"}, true},
      {"all pictures", 3, nullptr, {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path folder =
        fs::temp_directory_path() / ("mvg-start-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    if (c.present > 0) fs::create_directory(folder / "RUX");
    for (int i = 0; i < c.present; ++i) fs::copy_file(pictures / all[i], folder / "RUX" / all[i]);
    if (c.notABitmap != nullptr) std::ofstream(folder / "RUX" / c.notABitmap) << "GIF89a";

    const StartUp run = RunProgramIn(folder);
    EXPECT_EQ(run.messages, c.messages);
    EXPECT_EQ(run.dialogShown, c.dialogShown);
    EXPECT_EQ(run.exitCode, 0u);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
}

}  // namespace
