#pragma once
// What a conversion does to the model beyond writing a window of it. In this order, each on every
// property alike: holes filled (on the whole input grid), properties derived from Vp, the window
// taken (the request's GridWindow), new steps, a border. By default it asks for nothing, and the
// window is written from the arrays as they are.

#include <cstdint>
#include <string>

#include "grid/GridProperties.h"

// Holes are nodes holding a no-data marker (see NoDataFindings.h).
enum class HoleFilling {
  kNone,     // holes stay as they are (and are a finding)
  kNearest,  // the value of the nearest node that is not a hole (see NearestHoleFill.h)
  kValue,    // one value, in the unit of the property's file
};

struct HoleFill {
  HoleFilling how = HoleFilling::kNone;
  float value = 0.0f;
};

// Where a property's values come from: its file, or a rule on the Vp of the same node (in m/s).
enum class PropertyRule {
  kFile,
  kGardner,  // density = 310 * Vp^0.25, in kg/m3
  kVpRatio,  // Vs = Vp / ratio
  kMudrock,  // Vs = (Vp - 1360) / 1.16, never below 0
};

struct PropertySource {
  PropertyRule rule = PropertyRule::kFile;
  float ratio = 0.0f;  // Vp / Vs, for kVpRatio
  HoleFill fill;       // for a file
};

// Nodes added around the model, each repeating the nearest edge node.
struct Border {
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
  bool any() const { return left != 0 || right != 0 || top != 0 || bottom != 0; }
};

// A border as both front ends take it, "10,10,0,20": four whole numbers apart by commas, left,
// right, top and bottom (blanks around each allowed). False when the text is not that.
bool ReadBorder(const std::string& text, Border& border);

struct ModelPreparation {
  PerProperty<PropertySource> sources;
  // Nodes whose Vp is at most waterVp (m/s) are water: a rule gives them Vs 0 and this density
  // (kg/m3).
  float waterVp = 1550.0f, waterDensity = 1030.0f;
  // New steps in m, the window resampled to them by bilinear interpolation of each property.
  bool resample = false;
  float xStep = 0.0f, zStep = 0.0f;
  std::string xStepName = "new X step", zStepName = "new Z step";  // how findings name them
  Border border;
};

// Whether a property is derived by a rule rather than read from its file.
inline bool IsDerived(const PropertySource& source) { return source.rule != PropertyRule::kFile; }
