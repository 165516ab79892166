#pragma once
// No-data markers: the values that programs write where a grid has no value (-999.25, -999,
// -9999, -99999, and Surfer's blank, 1.70141e38 and above). A forward model would read such a
// hole as rock: the readers of the text forms that declare their holes put a marker in each, and
// the conversion fills them or refuses them.

// Surfer's blank: it and every value above are no-data markers.
inline constexpr float kSurferBlank = 1.70141e38f;

inline bool IsNoDataMarker(float value) {
  if (value > -999.0f && value < kSurferBlank) return false;
  return value == -999.25f || value == -999.0f || value == -9999.0f || value == -99999.0f ||
         value >= kSurferBlank;
}
