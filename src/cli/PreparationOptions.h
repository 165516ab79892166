#pragma once
// The options of mvgtool convert that prepare the model (--x-from, --z-from, --fill-holes,
// --water-vp, --water-density, --resample, --pad), and the rules that --density and --vs may
// name instead of a file, read into the request's records.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "conversion/ModelPreparation.h"
#include "grid/Status.h"

std::vector<OptionRule> PreparationOptionRules();

// Whether the text of --density or --vs names a rule rather than a file, exactly: density
// "gardner"; Vs "mudrock", or "vp/" and a number (the ratio Vp / Vs). The rule into source.
bool TakeRule(PropertyKind kind, const std::string& text, PropertySource& source);

struct WindowStart {
  bool hasXFrom = false, hasZFrom = false;
  std::int32_t xFrom = 0, zFrom = 0;
};

// The options into the preparation (its fill for every property) and the window's first node;
// refused with the usage problem, e.g. "--pad needs four whole numbers LEFT,RIGHT,TOP,BOTTOM,
// not \"1,2\"". anyRule: whether --density or --vs names a rule, which --water-vp and
// --water-density need.
Status TakePreparationOptions(const ParsedCommandLine& line, bool anyRule,
                              ModelPreparation& preparation, WindowStart& start);
