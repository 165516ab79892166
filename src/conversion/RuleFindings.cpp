#include "conversion/RuleFindings.h"

#include <algorithm>
#include <limits>

#include "conversion/NoDataFindings.h"
#include "conversion/PropertyRules.h"
#include "conversion/Sea.h"
#include "conversion/UnitFindings.h"

namespace {

// What one rule makes over the input grid, holes left passed over.
struct Made {
  PropertyKind kind;
  PropertySource source;
  ValueRange rock{std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
  bool inTheSea = false;
  float sea = 0;  // the value it puts in the sea
  std::uint64_t atOrAboveVp = 0, first = 0;
  float firstVs = 0, firstVp = 0;
};

}  // namespace

std::vector<std::string> RuleFindings(const ConversionRequest& request) {
  const ModelPreparation& preparation = request.preparation;
  std::vector<Made> made;
  for (const GridProperty& property : kGridProperties) {
    const PropertySource& source = preparation.sources[property.kind];
    if (IsDerived(source)) made.push_back({property.kind, source});
  }
  if (made.empty()) return {};
  const Sea sea(request);
  const Water water{preparation.waterVp, preparation.waterDensity};
  const float factor = UnitOf(PropertyKind::kVp, request.inputs[PropertyKind::kVp]).factor;
  const std::int64_t nx = request.window.nxInput;
  ForEachVpRow(request, [&](std::int64_t z, const float* row) {
    for (std::int64_t x = 0; x < nx; ++x) {
      if (IsNoDataMarker(row[x])) continue;
      const float vp = factor * row[x];
      const bool inTheSea = sea.Holds(z, x);
      for (Made& each : made) {
        const float value = DerivedValue(each.source, vp, inTheSea, water);
        if (inTheSea) {
          each.inTheSea = true;
          each.sea = value;
          continue;
        }
        each.rock.minimum = std::min(each.rock.minimum, value);
        each.rock.maximum = std::max(each.rock.maximum, value);
        if (each.kind == PropertyKind::kVs && value >= vp && vp > 0 && each.atOrAboveVp++ == 0) {
          each.first = static_cast<std::uint64_t>(z * nx + x);
          each.firstVs = value;
          each.firstVp = vp;
        }
      }
    }
  });

  std::vector<std::string> findings;
  const auto add = [&findings](std::string finding) {
    if (!finding.empty()) findings.push_back(std::move(finding));
  };
  add(sea.BelowTheSeaFinding());
  for (const Made& each : made) {
    const std::string rule = RuleName(each.kind, each.source);
    add(MadeRangeFinding(each.kind, rule, "", each.rock));
    // Water's Vs is 0, its own; its density is the one given.
    if (each.inTheSea && each.kind == PropertyKind::kDensity) {
      add(MadeRangeFinding(each.kind, rule, " in the sea", {each.sea, each.sea}));
    }
    if (each.atOrAboveVp > 0) {
      add(ShearAtNodes(rule + " puts Vs at or above Vp", each.atOrAboveVp,
                       request.window.elementCount, each.first, request.window.nxInput,
                       each.firstVs, each.firstVp));
    }
  }
  return findings;
}
