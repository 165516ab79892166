#include "conversion/Units.h"

#include <cstddef>

#include "grid/AsciiCase.h"
#include "grid/NumberText.h"

namespace {

// The unit the grid file holds a property in.
Unit FileUnit(PropertyKind kind) { return {PropertyOf(kind).unit, 1.0f, true}; }

// Factors as float32: 0.3048 (bits 0x3E9C0EBF), 1000, 16.018463 (bits 0x418025D0).
const std::vector<Unit>& UnitsOf(PropertyKind kind) {
  static const PerProperty<std::vector<Unit>> units = {{{
      {FileUnit(PropertyKind::kVp), {"ft/s", 0.3048f, true}, {"km/s", 1000.0f, true}},
      {FileUnit(PropertyKind::kDensity),
       {"g/cm3", 1000.0f, true},
       {"lb/ft3", 16.018463f, true},
       {"g/cc", 1000.0f, false}},
      {FileUnit(PropertyKind::kVs), {"ft/s", 0.3048f, true}, {"km/s", 1000.0f, true}},
  }}};
  return units[kind];
}

}  // namespace

std::vector<const Unit*> ListedUnits(PropertyKind kind) {
  std::vector<const Unit*> listed;
  for (const Unit& unit : UnitsOf(kind)) {
    if (unit.listed) listed.push_back(&unit);
  }
  return listed;
}

std::vector<const Unit*> AllUnits(PropertyKind kind) {
  std::vector<const Unit*> all;
  for (const Unit& unit : UnitsOf(kind)) all.push_back(&unit);
  return all;
}

const Unit& FileUnitOf(PropertyKind kind) { return UnitsOf(kind).front(); }

const Unit* FindUnit(PropertyKind kind, std::string_view text) {
  text = WithoutBlanks(text);
  for (const Unit& unit : UnitsOf(kind)) {
    if (SameIgnoringAsciiCase(text, unit.name)) return &unit;
  }
  return nullptr;
}

std::string UnitNames(PropertyKind kind) {
  const std::vector<Unit>& units = UnitsOf(kind);
  std::string text;
  for (std::size_t i = 0; i < units.size(); ++i) {
    text += i == 0 ? "" : (i + 1 == units.size() ? " or " : ", ");
    text += units[i].name;
  }
  return text;
}

std::string UnknownUnitMessage(PropertyKind kind, const std::string& text) {
  return "\"" + text + "\" is not one of the units for " + PropertyOf(kind).name +
         ". Choose one from the list.";
}
