#include "conversion/PropertyRules.h"

#include <algorithm>
#include <cmath>

#include "grid/NumberText.h"

float DerivedValue(const PropertySource& source, float vp, bool inTheSea, const Water& water) {
  const double velocity = vp;
  switch (source.rule) {
    case PropertyRule::kGardner:
      // The fourth root as two square roots, each correctly rounded.
      return inTheSea ? water.density : static_cast<float>(310.0 * std::sqrt(std::sqrt(velocity)));
    case PropertyRule::kVpRatio:
      return inTheSea ? 0.0f : static_cast<float>(velocity / source.ratio);
    case PropertyRule::kMudrock:
      return inTheSea ? 0.0f : static_cast<float>(std::max(0.0, (velocity - 1360.0) / 1.16));
    case PropertyRule::kFile:
      break;
  }
  return vp;
}

std::string RuleName(PropertyKind kind, const PropertySource& source) {
  switch (source.rule) {
    case PropertyRule::kGardner:
      return "Density by Gardner's relation";
    case PropertyRule::kVpRatio:
      return "Vs = Vp / " + FormatShortest(source.ratio);
    case PropertyRule::kMudrock:
      return "Vs by the mudrock line";
    case PropertyRule::kFile:
      break;
  }
  return PropertyOf(kind).name;
}

std::string RuleSentence(PropertyKind kind, const PropertySource& source, const Water& water) {
  const std::string where = " in the sea (the nodes of Vp at most " + FormatShortest(water.vp) +
                            " m/s joined to the top row through such nodes).";
  switch (source.rule) {
    case PropertyRule::kGardner:
      return RuleName(kind, source) + ", 310 x Vp^0.25, and " + FormatShortest(water.density) +
             " kg/m3" + where;
    case PropertyRule::kVpRatio:
      return RuleName(kind, source) + ", and 0" + where;
    case PropertyRule::kMudrock:
      return RuleName(kind, source) + ", (Vp - 1360) / 1.16 and never below 0, and 0" + where;
    case PropertyRule::kFile:
      break;
  }
  return {};
}
