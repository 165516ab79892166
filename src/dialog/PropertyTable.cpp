#include "dialog/PropertyTable.h"

#include "dialog/ConvertDialogControls.h"

namespace {

const PropertyBinding kVpBinding = {&ConvertDialog::vpValues,
                                    &ConvertDialog::vpLoaded,
                                    &ConvertDialog::vpCount,
                                    &ConvertDialog::vpMin,
                                    &ConvertDialog::vpMax,
                                    &ConvertDialog::vpPath,
                                    &ConvertDialog::vpFullPath,
                                    &ConvertDialog::vpLines,
                                    &ConvertDialog::vpEndMarkLine,
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
                                         &ConvertDialog::densityFullPath,
                                         &ConvertDialog::densityLines,
                                         &ConvertDialog::densityEndMarkLine,
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
                                    &ConvertDialog::vsFullPath,
                                    &ConvertDialog::vsLines,
                                    &ConvertDialog::vsEndMarkLine,
                                    kVsCountField,
                                    kVsMinField,
                                    kVsMaxField,
                                    kVsUnitsCombo};

}  // namespace

const PropertyBinding& BindingOf(PropertyKind property) {
  switch (property) {
    case PropertyKind::kDensity:
      return kDensityBinding;
    case PropertyKind::kVs:
      return kVsBinding;
    case PropertyKind::kVp:
      break;
  }
  return kVpBinding;
}
