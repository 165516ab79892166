#pragma once

#include "grid/GridProperties.h"
#include "resource.h"

// Control ids of the conversion dialog's template, under the names the logic uses; the
// numbers live in the resource header alone.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;

inline constexpr int kVpCountField = IDC_VP_COUNT;
inline constexpr int kVpMinField = IDC_VP_MIN;
inline constexpr int kVpMaxField = IDC_VP_MAX;
inline constexpr int kDensityCountField = IDC_DENSITY_COUNT;
inline constexpr int kDensityMinField = IDC_DENSITY_MIN;
inline constexpr int kDensityMaxField = IDC_DENSITY_MAX;
inline constexpr int kInputCountField = IDC_INPUT_COUNT;
inline constexpr int kVsCountField = IDC_VS_COUNT;
inline constexpr int kVsMinField = IDC_VS_MIN;
inline constexpr int kVpUnitsCombo = IDC_VP_UNITS;
inline constexpr int kXSizeCombo = IDC_NX_INPUT;
inline constexpr int kXStepField = IDC_X_STEP;
inline constexpr int kNzInputField = IDC_NZ_INPUT;
inline constexpr int kVsMaxField = IDC_VS_MAX;
inline constexpr int kDensityUnitsCombo = IDC_DENSITY_UNITS;
inline constexpr int kVsUnitsCombo = IDC_VS_UNITS;
inline constexpr int kVpBrowseButton = IDC_VP_BROWSE;
inline constexpr int kVpNameText = IDC_VP_PATH;
inline constexpr int kOutputNameText = IDC_OUTPUT_PATH;
inline constexpr int kOutputBrowseButton = IDC_OUTPUT_BROWSE;
inline constexpr int kDensityNameText = IDC_DENSITY_PATH;
inline constexpr int kDensityBrowseButton = IDC_DENSITY_BROWSE;
inline constexpr int kZStepField = IDC_Z_STEP;
inline constexpr int kVsNameText = IDC_VS_PATH;
inline constexpr int kVsBrowseButton = IDC_VS_BROWSE;
inline constexpr int kWriteCountField = IDC_WRITE_COUNT;
inline constexpr int kNxWriteField = IDC_NX_WRITE;
inline constexpr int kNzWriteField = IDC_NZ_WRITE;
inline constexpr int kWrittenSizesText = IDC_WRITTEN_SIZES;
inline constexpr int kPictureCombo = IDC_PICTURE_PROPERTY;
inline constexpr int kModelPicture = IDC_MODEL_PICTURE;
inline constexpr int kXFromField = IDC_X_FROM;
inline constexpr int kZFromField = IDC_Z_FROM;
inline constexpr int kDensitySourceCombo = IDC_DENSITY_SOURCE;
inline constexpr int kVsSourceCombo = IDC_VS_SOURCE;
inline constexpr int kVsRatioField = IDC_VS_RATIO;
inline constexpr int kNewXStepField = IDC_NEW_X_STEP;
inline constexpr int kNewZStepField = IDC_NEW_Z_STEP;
inline constexpr int kBorderField = IDC_BORDER;
inline constexpr int kHolesCombo = IDC_FILL_HOLES;
inline constexpr int kWaterVpField = IDC_WATER_VP;
inline constexpr int kWaterDensityField = IDC_WATER_DENSITY;
inline constexpr int kColumnsCheck = IDC_COLUMNS;
inline constexpr int kFlipZCheck = IDC_FLIP_Z;
inline constexpr int kDecimalCommaCheck = IDC_DECIMAL_COMMA;
inline constexpr int kReadingText = IDC_READING;

// The controls of one property: all that tells its file's controls from another's. Vp has no
// source list (0): it is always read from its file.
struct PropertyControls {
  int nameText, browseButton, countField, minField, maxField, unitsCombo, sourceCombo;
};

inline constexpr PerProperty<PropertyControls> kPropertyControls = {{{
    {kVpNameText, kVpBrowseButton, kVpCountField, kVpMinField, kVpMaxField, kVpUnitsCombo, 0},
    {kDensityNameText, kDensityBrowseButton, kDensityCountField, kDensityMinField, kDensityMaxField,
     kDensityUnitsCombo, kDensitySourceCombo},
    {kVsNameText, kVsBrowseButton, kVsCountField, kVsMinField, kVsMaxField, kVsUnitsCombo,
     kVsSourceCombo},
}}};
