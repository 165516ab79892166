#pragma once
// A conversion of values a front end holds in memory (a script's arrays) instead of reading them
// from files: the choices by name of mvgtool convert (units, rules, window, steps, preparation),
// then the same request, checks, findings and export as for files.

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "conversion/NamedChoices.h"
#include "grid/GridProperties.h"
#include "grid/Status.h"

struct HeldProperty {
  const float* values = nullptr;  // nx * nz values, rows along X from the top; null: not held
  std::string name;               // how messages name them: "vp"
  std::string path;               // the file they are mapped from, if any: the output must differ
  // The values with each NaN made a hole's marker, when they hold NaN: the request reads these.
  std::vector<float> holesMarked;
};

struct HeldGrid {
  PerProperty<HeldProperty> properties;
  std::int32_t nx = 0, nz = 0;
};

// Every choice it takes by name: "<property>-units" ("vp-units"), "density" and "vs" naming a
// rule ("gardner"; "vp/1.73", "mudrock"), "dx" and "dz", "nx-write" and "nz-write", and the
// preparation's (PreparationOptionRules).
std::vector<OptionRule> HeldValuesOptionRules();

// The request that writes the held values into the grid file `output`, as the choices say.
// Refused with the choices' problems, or with:
//   "no values: give at least one of --vp, --density, --vs"
//   "no steps: give --dx and --dz, the grid steps in m"
//   "--density \"x\" names no rule: give gardner"      (vs: "give mudrock or vp/R")
//   "vp: holds no values"      "vp: holds more than 2147483647 values"
//   "m*.mvg: a grid file name cannot hold \"*\""
// NaN values are holes, as in files: the request refuses them unless it fills them ("vp holds 3
// holes (NaN), the first at row 2, column 5: a model cannot have holes; fill them."). The grid
// must outlive the request, which may read its holesMarked.
Status RequestForHeldValues(HeldGrid& grid, const NamedChoices& named, const std::string& output,
                            ConversionRequest& request);
