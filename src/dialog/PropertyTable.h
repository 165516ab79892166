#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialog/ConvertDialog.h"

// The members and controls of one property: all that tells the loads of Vp, density and Vs apart.
struct PropertyBinding {
  std::unique_ptr<float[]> ConvertDialog::*values;
  bool ConvertDialog::*loaded;
  std::int32_t ConvertDialog::*count;
  float ConvertDialog::*minimum;
  float ConvertDialog::*maximum;
  std::string ConvertDialog::*path;
  std::string ConvertDialog::*fullPath;
  TextGridLines ConvertDialog::*lines;
  std::uint64_t ConvertDialog::*endMarkLine;
  int countField;
  int minField;
  int maxField;
  int unitsCombo;
};

const PropertyBinding& BindingOf(PropertyKind property);
