// Files dropped on the conversion dialog from Explorer: their names, and which property's group
// box they fell on.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "grid/GridProperties.h"

struct DroppedFiles {
  std::vector<std::string> paths;
  bool onPropertyBox = false;
  PropertyKind property = PropertyKind::kVp;  // the box they fell on, when onPropertyBox
};

// Reads a drop on `dialog` and releases it. A property's box is the group box around its browse
// button.
DroppedFiles ReadDroppedFiles(HWND dialog, HDROP drop);
