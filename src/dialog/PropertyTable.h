#pragma once

#include <cstdint>
#include <string>

#include "dialog/ConvertDialog.h"

// The members and controls of one property: all that tells the loads of Vp, density and Vs apart.
struct PropertyBinding {
  FloatArray ConvertDialog::*values;
  bool ConvertDialog::*loaded;
  std::int32_t ConvertDialog::*count;
  float ConvertDialog::*minimum;
  float ConvertDialog::*maximum;
  std::string ConvertDialog::*path;
  std::string ConvertDialog::*fullPath;
  TextGridLines ConvertDialog::*lines;
  int countField;
  int minField;
  int maxField;
  int unitsCombo;
};

const PropertyBinding& BindingOf(PropertyKind property);
