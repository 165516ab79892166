#pragma once
// The rules that derive density or Vs from the Vp of the same node, for a model that has Vp alone:
// Gardner's relation, a Vp/Vs ratio, the mudrock line; water nodes take water's values.

#include <string>

#include "conversion/ModelPreparation.h"

struct Water {
  float vp = 1550.0f;       // the sea's nodes have Vp (m/s) at most this (see Sea.h)
  float density = 1030.0f;  // kg/m3
};

// The value a rule gives for a node of Vp in m/s, in the file's unit: water's density or Vs 0 at
// a node of the sea; else 310 * Vp^0.25 kg/m3 (Gardner), Vp / ratio, or (Vp - 1360) / 1.16 m/s,
// the mudrock line, never below 0. Each is the float nearest the exact value, within one float
// step.
float DerivedValue(const PropertySource& source, float vp, bool inTheSea, const Water& water);

// How messages name a rule: "Density by Gardner's relation", "Vs = Vp / 1.73", "Vs by the mudrock
// line".
std::string RuleName(PropertyKind kind, const PropertySource& source);

// What the summary says of a rule: "Density by Gardner's relation, 310 x Vp^0.25, and 1030 kg/m3
// in the sea (the nodes of Vp at most 1550 m/s joined to the top row through such nodes)."
std::string RuleSentence(PropertyKind kind, const PropertySource& source, const Water& water);
