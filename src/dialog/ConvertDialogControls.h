#pragma once

// Control ids of the conversion dialog's template.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;

inline constexpr int kVpCountField = 1000;
inline constexpr int kVpMinField = 1001;
inline constexpr int kVpMaxField = 1002;
inline constexpr int kDensityCountField = 1003;
inline constexpr int kDensityMinField = 1004;
inline constexpr int kDensityMaxField = 1005;
inline constexpr int kInputCountField = 1006;
inline constexpr int kVsCountField = 1007;
inline constexpr int kVsMinField = 1008;
inline constexpr int kVpUnitsCombo = 1009;
inline constexpr int kXSizeCombo = 1010;
inline constexpr int kXStepField = 1011;
inline constexpr int kNzInputField = 1012;
inline constexpr int kVsMaxField = 1013;
inline constexpr int kDensityUnitsCombo = 1014;
inline constexpr int kVsUnitsCombo = 1015;
inline constexpr int kVpBrowseButton = 1016;
inline constexpr int kVpNameText = 1017;
inline constexpr int kOutputNameText = 1018;
inline constexpr int kOutputBrowseButton = 1019;
inline constexpr int kDensityNameText = 1020;
inline constexpr int kDensityBrowseButton = 1021;
inline constexpr int kZStepField = 1022;
inline constexpr int kVsNameText = 1023;
inline constexpr int kVsBrowseButton = 1024;
inline constexpr int kWriteCountField = 1025;
inline constexpr int kNxWriteField = 1026;
inline constexpr int kNzWriteField = 1027;
