#include "dialog/PropertyTable.h"

#include "dialog/ConvertDialogControls.h"

namespace {

const PropertyBinding kVpBinding = {&ConvertDialog::vpValues,
                                    &ConvertDialog::vpLoaded,
                                    &ConvertDialog::vpCount,
                                    &ConvertDialog::vpMin,
                                    &ConvertDialog::vpMax,
                                    &ConvertDialog::vpPath,
                                    kVpCountField,
                                    kVpMinField,
                                    kVpMaxField,
                                    kVpUnitsCombo};

const PropertyBinding kDensityBinding = {&ConvertDialog::densityValues,
                                         &ConvertDialog::densityLoaded,
                                         &ConvertDialog::densityCount,
                                         &ConvertDialog::densityMin,
                                         &ConvertDialog::densityMax,
                                         &ConvertDialog::densityPath,
                                         kDensityCountField,
                                         kDensityMinField,
                                         kDensityMaxField,
                                         kDensityUnitsCombo};

const PropertyBinding kVsBinding = {&ConvertDialog::vsValues,
                                    &ConvertDialog::vsLoaded,
                                    &ConvertDialog::vsCount,
                                    &ConvertDialog::vsMin,
                                    &ConvertDialog::vsMax,
                                    &ConvertDialog::vsPath,
                                    kVsCountField,
                                    kVsMinField,
                                    kVsMaxField,
                                    kVsUnitsCombo};

}  // namespace

const PropertyBinding& BindingOf(Property property) {
  switch (property) {
    case Property::kDensity:
      return kDensityBinding;
    case Property::kVs:
      return kVsBinding;
    case Property::kVp:
      break;
  }
  return kVpBinding;
}
