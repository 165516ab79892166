#pragma once
// What a modeller gets wrong most often: values in another unit than the one given (a density in
// g/cm3 read as kg/m3, a velocity in km/s read as m/s), a shear velocity above the compressional
// one, and a step in km where m are meant. Each finding is one sentence naming the file or the
// step as the front end names it, e.g.
//   "density.txt holds 1.01 to 2.63: that looks like g/cm3, not kg/m3."

#include <cstdint>
#include <string>

#include "conversion/ConversionRequest.h"
#include "grid/ValueRange.h"

// Values are plausible for their units when they lie in 100 to 10,000 m/s for a velocity (a
// shear velocity may also be 0, in water) and 500 to 6,000 kg/m3 for a density. The finding
// names the unit that would make the range plausible, if one does; "" when the range fits (or
// is empty).
std::string RangeFinding(PropertyKind kind, const PropertyInput& input, const ValueRange& range);

// "Vs is above Vp at 3 of 87000 nodes, the first at row 23, column 1 (Vs 1061 m/s, Vp 560 m/s).";
// "" when it is nowhere (or Vp or Vs is not loaded), nodes with a no-data marker passed over.
std::string ShearAboveCompressional(const ConversionRequest& request);

// Values a rule makes (RuleFindings.h), checked as a file's are: "Vs = Vp / 173 makes 8.67 to
// 27.5 m/s: that is not a plausible range for Vs (100 to 10000 m/s)."; with `where`, " in the
// sea", and one value, "... makes 1e+30 kg/m3 in the sea: that is not a plausible value for
// density (500 to 6000 kg/m3)."; "" when the range fits (or is empty). A shear velocity of 0 is
// water's alone: made outside the sea, it is no plausible value.
std::string MadeRangeFinding(PropertyKind kind, const std::string& maker, const std::string& where,
                             const ValueRange& range);

// Nodes where Vs stands at or above Vp, as a finding: `what` and "at 3 of 87000 nodes, the first
// at row 23, column 1 (Vs 1061 m/s, Vp 560 m/s)." (rows of nx nodes).
std::string ShearAtNodes(const std::string& what, std::uint64_t nodes, std::uint64_t count,
                         std::uint64_t first, std::int32_t nx, float vs, float vp);

// "--dx 0.02: a step in km?" for a step below 0.1 m, "--dx 5000: a step of more than 1000 m?"
// above 1000 m; "" in between. `name` is how the user knows the step.
std::string StepFinding(const std::string& name, float step);
