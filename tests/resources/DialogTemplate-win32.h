// Reads a dialog template resource of this program back into plain values, so that
// tests can compare it with the layout the dialogs are meant to have.
#ifndef MORVTXTMVG_TESTS_RESOURCES_DIALOGTEMPLATE_WIN32_H
#define MORVTXTMVG_TESTS_RESOURCES_DIALOGTEMPLATE_WIN32_H

#include <windows.h>

#include <string>
#include <vector>

namespace resource_test {

struct TemplateControl {
  int id = 0;             // -1 for a control without an id
  std::string className;  // predefined classes by name: "Button", "Edit", "Static", ...
  std::string text;       // empty when the text is a resource number
  int textResource = -1;  // resource number given as text (pictures), else -1
  int x = 0, y = 0, width = 0, height = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
};

struct DialogTemplate {
  bool extended = false;  // DLGTEMPLATEEX rather than DLGTEMPLATE
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  std::string title;
  int fontSize = 0;
  std::string fontName;
  std::vector<TemplateControl> controls;
};

// Parses dialog template `id` of this executable; false when it is missing or malformed.
bool ReadDialogTemplate(int id, DialogTemplate* out);

// Creates dialog `id` of this executable from a copy of its template without
// WS_VISIBLE, so that no window is ever shown (showing and hiding windows is slow
// under Wine without a window manager). The caller destroys the window.
HWND CreateHiddenDialog(int id, DLGPROC procedure);

// The raw bytes of resource `id` of `type` in this executable (empty when missing).
std::vector<unsigned char> ResourceBytes(int id, LPCSTR type);

}  // namespace resource_test

#endif  // MORVTXTMVG_TESTS_RESOURCES_DIALOGTEMPLATE_WIN32_H
