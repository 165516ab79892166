#include "conversion/Units.h"

#include <cstddef>

#include "grid/NumberText.h"

namespace {

struct PropertyUnits {
  PropertyKind kind;
  std::vector<Unit> units;
};

// Factors as float32: 0.3048 (bits 0x3E9C0EBF), 1000, 16.018463 (bits 0x418025D0).
const std::vector<PropertyUnits>& UnitTable() {
  static const std::vector<PropertyUnits> table = {
      {PropertyKind::kVp, {{"m/s", 1.0f, true}, {"ft/s", 0.3048f, true}, {"km/s", 1000.0f, true}}},
      {PropertyKind::kDensity,
       {{"kg/m3", 1.0f, true},
        {"g/cm3", 1000.0f, true},
        {"lb/ft3", 16.018463f, true},
        {"g/cc", 1000.0f, false}}},
      {PropertyKind::kVs, {{"m/s", 1.0f, true}, {"ft/s", 0.3048f, true}, {"km/s", 1000.0f, true}}},
  };
  return table;
}

const std::vector<Unit>& UnitsOf(PropertyKind kind) {
  for (const PropertyUnits& entry : UnitTable()) {
    if (entry.kind == kind) return entry.units;
  }
  return UnitTable().front().units;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

}  // namespace

const char* PropertyName(PropertyKind kind) {
  switch (kind) {
    case PropertyKind::kDensity:
      return "density";
    case PropertyKind::kVs:
      return "Vs";
    case PropertyKind::kVp:
      break;
  }
  return "Vp";
}

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

const Unit* FindUnit(PropertyKind kind, std::string_view text) {
  text = WithoutBlanks(text);
  for (const Unit& unit : UnitsOf(kind)) {
    if (SameIgnoringCase(text, unit.name)) return &unit;
  }
  return nullptr;
}

std::string UnitNames(PropertyKind kind) {
  std::vector<const char*> names;
  for (const Unit& unit : UnitsOf(kind)) names.push_back(unit.name);
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += i == 0 ? "" : (i + 1 == names.size() ? " or " : ", ");
    text += names[i];
  }
  return text;
}

std::string UnknownUnitMessage(PropertyKind kind, const std::string& text) {
  return "\"" + text + "\" is not one of the units for " + PropertyName(kind) +
         ". Choose one from the list.";
}
