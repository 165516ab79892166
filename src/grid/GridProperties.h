#pragma once
// The properties a grid file holds, in the order it holds them at each node: Vp, density, Vs.
// Their codes, names and the units of the file are written here alone; whatever tells the
// properties apart, in the core and in both front ends, goes through this table.

#include <array>
#include <cstddef>
#include <string>

enum class PropertyKind { kVp, kDensity, kVs };

struct GridProperty {
  PropertyKind kind;
  char code;         // its letter among a grid file's property codes: 'P'
  const char* name;  // how messages name it: "Vp"
  const char* unit;  // the unit a grid file holds it in: "m/s"
};

inline constexpr std::array<GridProperty, 3> kGridProperties = {{
    {PropertyKind::kVp, 'P', "Vp", "m/s"},
    {PropertyKind::kDensity, 'Q', "density", "kg/m3"},
    {PropertyKind::kVs, 'R', "Vs", "m/s"},
}};

inline constexpr std::size_t kPropertyCount = kGridProperties.size();

constexpr std::size_t IndexOf(PropertyKind kind) { return static_cast<std::size_t>(kind); }

constexpr bool KindsAreInTableOrder() {
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    if (IndexOf(kGridProperties[i].kind) != i) return false;
  }
  return true;
}
static_assert(KindsAreInTableOrder(), "a kind indexes its row of kGridProperties");

constexpr const GridProperty& PropertyOf(PropertyKind kind) {
  return kGridProperties[IndexOf(kind)];
}

// The property whose code is `code`; null for any other letter.
constexpr const GridProperty* PropertyWithCode(char code) {
  for (const GridProperty& property : kGridProperties) {
    if (property.code == code) return &property;
  }
  return nullptr;
}

// The codes of every property, in the file's order: "PQR".
std::string AllPropertyCodes();

// Known codes, each with its property's name: "P (Vp), Q (density) or R (Vs)" for "PQR" and
// " or ".
std::string NamedCodes(const std::string& codes, const char* lastSeparator);

// One T for each property, indexed by its kind; iterated in the file's order.
template <typename T>
struct PerProperty {
  std::array<T, kPropertyCount> each{};

  constexpr T& operator[](PropertyKind kind) { return each[IndexOf(kind)]; }
  constexpr const T& operator[](PropertyKind kind) const { return each[IndexOf(kind)]; }
};
