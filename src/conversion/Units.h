#pragma once
// The units a property's text grids may come in, with the factor that turns each into the unit
// of the grid file (m/s or kg/m3). One table for the dialog's lists and mvgtool's options alike.

#include <string>
#include <string_view>
#include <vector>

#include "grid/GridProperties.h"

struct Unit {
  const char* name;  // "m/s"
  float factor;      // to m/s or kg/m3, as a float32
  bool listed;       // offered in the dialog's list (another spelling of a listed unit is not)
};

// The units a property's list offers, in its order: m/s, ft/s, km/s; kg/m3, g/cm3, lb/ft3. The
// first, the grid file's own unit, is the default.
std::vector<const Unit*> ListedUnits(PropertyKind kind);

// Every unit a property's values may come in, the listed ones first.
std::vector<const Unit*> AllUnits(PropertyKind kind);

// The unit the grid file holds a property in (m/s, kg/m3): the default.
const Unit& FileUnitOf(PropertyKind kind);

// The unit whose name is `text`, ignoring case and blanks around it; null when there is none.
const Unit* FindUnit(PropertyKind kind, std::string_view text);

// The names a user may give, for a message: "m/s, ft/s or km/s".
std::string UnitNames(PropertyKind kind);

// "\"<text>\" is not one of the units for Vp. Choose one from the list."
std::string UnknownUnitMessage(PropertyKind kind, const std::string& text);
