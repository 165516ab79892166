#pragma once
// The choices that prepare the model (x-from, z-from, fill-holes, water-vp, water-density,
// resample, pad), the rules that density and vs may name instead of a file, and the units of
// each property's values, by name, read into the request's records for every front end.

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/ModelPreparation.h"
#include "conversion/NamedChoices.h"
#include "conversion/Units.h"
#include "conversion/WindowChoice.h"
#include "grid/Status.h"

std::vector<OptionRule> PreparationOptionRules();

// Whether the text of density or vs names a rule rather than a file, exactly: density
// "gardner"; Vs "mudrock", or "vp/" and a number (the ratio Vp / Vs). The rule into source.
bool TakeRule(PropertyKind kind, const std::string& text, PropertySource& source);

// A rule derives its property from Vp, which must be given: refused with "--density gardner
// derives density from Vp: give --vp too". `name` is the property's choice ("density").
Status CheckRuleHasVp(const NamedChoices& named, PropertyKind kind, const std::string& name,
                      bool vpGiven);

// The unit of a property's values, chosen by "<property>-units" ("vp-units"), else the grid
// file's own. `name` is the property's choice ("vp"); given: whether its values are given, rule:
// its rule when it is derived. Refused with the problem: "--vp-units must be m/s, ft/s or
// km/s, not \"x\"", "--vp-units is given without --vp", "--vs-units applies to a Vs file, not to
// the rule --vs mudrock".
Status TakeUnitOption(const NamedChoices& named, PropertyKind kind, const std::string& name,
                      bool given, const PropertySource& rule, const Unit*& unit);

// The choices into the preparation (its fill for every property) and the window's first node;
// refused with the problem, e.g. "--pad needs four whole numbers LEFT,RIGHT,TOP,BOTTOM, not
// \"1,2\"". anyRule: whether density or vs names a rule, which water-vp and water-density need.
Status TakePreparationOptions(const NamedChoices& named, bool anyRule,
                              ModelPreparation& preparation, WindowStart& start);
