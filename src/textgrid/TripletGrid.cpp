#include "textgrid/TripletGrid.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "grid/AsciiCase.h"
#include "grid/DecimalNumber.h"
#include "grid/NoDataMarkers.h"
#include "grid/NumberText.h"
#include "textgrid/LineWords.h"
#include "textgrid/TextChunkParser.h"

namespace {

// A node as its triplet's memory holds it once it is placed: its index in the grid, its value.
struct Node {
  std::uint32_t low, high;
  float value;
  std::uint64_t Index() const { return std::uint64_t{high} << 32 | low; }
};
static_assert(sizeof(Node) == 3 * sizeof(float), "a node takes its triplet's place");

// One axis of the grid: its first coordinate, step and nodes.
struct Axis {
  double first = 0, step = 0;
  std::uint64_t nodes = 0;
  double At(std::uint64_t i) const { return first + static_cast<double>(i) * step; }
};

std::string Coordinate(double value) { return FormatShortest(static_cast<float>(value)); }

std::string NodeText(double x, double z) {
  return "the node at x " + Coordinate(x) + ", z " + Coordinate(z);
}

std::string GridText(const Axis& x, const Axis& z) {
  return "x " + Coordinate(x.first) + " to " + Coordinate(x.At(x.nodes - 1)) + " and z " +
         Coordinate(z.first) + " to " + Coordinate(z.At(z.nodes - 1)) + " at steps of " +
         Coordinate(x.step) + " and " + Coordinate(z.step);
}

// The axis of the coordinate in one column: from its least value at the least step between values.
bool FindAxis(const float* values, std::uint64_t nodes, int which, Axis& axis) {
  float low = values[which], high = low;
  for (std::uint64_t i = 0; i < nodes; ++i) {
    low = std::min(low, values[3 * i + which]);
    high = std::max(high, values[3 * i + which]);
  }
  double least = 0;
  for (std::uint64_t i = 0; i < nodes; ++i) {
    const double gap = static_cast<double>(values[3 * i + which]) - low;
    if (gap > 0 && (least == 0 || gap < least)) least = gap;
  }
  axis.first = low;
  if (least == 0) return false;
  const double steps = std::round((static_cast<double>(high) - low) / least);
  axis.nodes = steps < 4e18 ? static_cast<std::uint64_t>(steps) + 1 : ~std::uint64_t{0};
  axis.step = (static_cast<double>(high) - low) / steps;
  return true;
}

// The node's index along an axis, when the coordinate lies on one.
bool IndexOn(const Axis& axis, float coordinate, std::uint64_t* index) {
  const double i = std::round((coordinate - axis.first) / axis.step);
  const double off = std::fabs(coordinate - axis.At(static_cast<std::uint64_t>(i)));
  // A hundredth of a step, or the float's own rounding where that is more.
  const double within = std::max(axis.step / 100, 4 * std::fabs(coordinate) * 0x1p-24);
  *index = static_cast<std::uint64_t>(i);
  return off <= within;
}

enum class ColumnName { kX, kVertical, kOther };

ColumnName NameOf(const std::string& name, VerticalName* vertical) {
  const std::string lower = AsciiLower(name);
  if (lower == "x") return ColumnName::kX;
  if (lower == "depth" || lower == "elevation") {
    *vertical = lower == "depth" ? VerticalName::kDepth : VerticalName::kElevation;
    return ColumnName::kVertical;
  }
  return lower == "z" || lower == "y" ? ColumnName::kVertical : ColumnName::kOther;
}

// A coordinate that is a hole: the marker a NaN token holds.
std::string HoleCoordinate(const float* triplet, const TripletColumns& columns) {
  if (triplet[columns.x] >= kSurferBlank) return "x";
  if (triplet[columns.z] >= kSurferBlank) return "z";
  return {};
}

}  // namespace

Status ColumnsNamed(const std::vector<std::string>& names, const std::string& where,
                    TripletColumns* columns) {
  *columns = TripletColumns{};
  if (names.size() != 3) return Status();
  int x = -1, z = -1, value = -1, coordinates = 0;
  VerticalName vertical = VerticalName::kNone;
  bool outOfPlace = false;
  for (int i = 0; i < 3; ++i) {
    std::string name = names[static_cast<std::size_t>(i)];
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
      name = name.substr(1, name.size() - 2);
    }
    const ColumnName kind = NameOf(name, &vertical);
    int& column = kind == ColumnName::kX ? x : kind == ColumnName::kVertical ? z : value;
    column = column < 0 ? i : 3;  // 3: named twice
    coordinates += kind != ColumnName::kOther;
    outOfPlace = outOfPlace || (kind == ColumnName::kX && i != 0) ||
                 (kind == ColumnName::kVertical && i != 1);
  }
  if (x >= 0 && x < 3 && z >= 0 && z < 3 && value >= 0 && value < 3) {
    *columns = {x, z, value, vertical, {}, true};
    if (x != 0 || z != 1) columns->reordered = names[0] + ", " + names[1] + ", " + names[2];
    return Status();
  }
  // Not all three named: in the order x, z, value, where the names say no other ("x y z" as maps
  // write it, the value called z).
  const bool mapOrder =
      AsciiLower(names[0]) == "x" && AsciiLower(names[1]) == "y" && AsciiLower(names[2]) == "z";
  if (coordinates == 0 || mapOrder || !outOfPlace) {
    columns->vertical = mapOrder ? VerticalName::kNone : vertical;
    columns->named = coordinates > 0;
    return Status();
  }
  return Status::Error(where + ": its column names \"" +
                       ShownToken(names[0] + " " + names[1] + " " + names[2]) +
                       "\" do not say which column is x and which z: name them x, z (or y, depth, "
                       "elevation) and the value's name, in any order");
}

bool LooksLikeTriplets(const std::vector<NumberedLine>& lines, bool decimalCommas,
                       bool namedColumns, const TripletColumns& columns) {
  if (lines.size() < 4) return false;
  std::vector<std::pair<double, double>> nodes;
  for (const NumberedLine& line : lines) {
    std::string text(line.text);
    for (char& c : text) {
      if (c == ';' || c == '\t' || (c == ',' && !decimalCommas)) c = ' ';
      if (c == ',') c = '.';
    }
    double numbers[3];
    int count = 0;
    for (const std::string_view word : WordsOf(text, [](char c) { return c == ' '; })) {
      const DecimalReading reading = ReadDecimal(word);
      const bool hole = reading.status == DecimalStatus::kNaN;
      if ((reading.status != DecimalStatus::kNumber && !hole) || count == 3) return false;
      numbers[count++] = reading.value;
    }
    if (count != 3) return false;
    // A coordinate that is a hole is refused once the triplets are read.
    const double x = numbers[columns.x], z = numbers[columns.z];
    if (!std::isnan(x) && !std::isnan(z)) nodes.emplace_back(x, z);
  }
  // Nodes given twice are refused once the grid is made; most (x, z) pairs must differ, as they
  // do not in a grid three values wide.
  const std::size_t pairs = nodes.size();
  std::sort(nodes.begin(), nodes.end());
  const std::size_t distinct =
      static_cast<std::size_t>(std::unique(nodes.begin(), nodes.end()) - nodes.begin());
  if (pairs == 0 || distinct * 10 < pairs * 9) return false;
  nodes.resize(distinct);
  if (namedColumns) return true;
  // Sorted by x: an x that comes again is next to itself; sorted by z alike.
  const auto sameX = [](const auto& a, const auto& b) { return a.first == b.first; };
  if (std::adjacent_find(nodes.begin(), nodes.end(), sameX) != nodes.end()) return true;
  std::vector<double> zs;
  for (const auto& node : nodes) zs.push_back(node.second);
  std::sort(zs.begin(), zs.end());
  return std::adjacent_find(zs.begin(), zs.end()) != zs.end();
}

Status PlaceTriplets(float* values, std::uint64_t count, const std::string& name,
                     const TripletColumns& columns, bool turned, TextGridForm& form) {
  const std::uint64_t nodes = count / 3;
  for (std::uint64_t i = 0; i < nodes; ++i) {
    const std::string hole = HoleCoordinate(values + 3 * i, columns);
    if (!hole.empty()) {
      return Status::Error(name + ": triplet " + FormatInteger(static_cast<std::int64_t>(i + 1)) +
                           " has no " + hole + " (NaN): a node needs both of its coordinates");
    }
  }
  Axis x, z;
  for (int which = 0; which < 2; ++which) {
    if (!FindAxis(values, nodes, which == 0 ? columns.x : columns.z, which == 0 ? x : z)) {
      const char* axis = which == 0 ? "x" : "z";
      return Status::Error(name + ": its triplets hold one " + axis + ", " +
                           Coordinate((which == 0 ? x : z).first) + ": a grid needs two or more");
    }
  }
  const float low = static_cast<float>(z.first), high = static_cast<float>(z.At(z.nodes - 1));
  const bool depthAbove = columns.vertical == VerticalName::kDepth && high <= 0;
  if (depthAbove || (columns.vertical == VerticalName::kElevation && low >= 0)) {
    return Status::Error(
        name + ": its header names column " + std::to_string(columns.z + 1) +
        (depthAbove ? " depth" : " elevation") + ", but it runs from " + Coordinate(low) + " to " +
        Coordinate(high) +
        (depthAbove ? ", at or below 0 as elevations do" : ", at or above 0 as depths do") +
        ": is the header right?");
  }
  // An elevation's rows go from the greatest z down.
  const bool elevation = ReadsAsElevation(low, high, columns.vertical);
  const auto rowOf = [&z, elevation](std::uint64_t iz) {
    return elevation ? z.nodes - 1 - iz : iz;
  };
  const bool huge = x.nodes > (std::uint64_t{1} << 31) || z.nodes > (std::uint64_t{1} << 31);
  if (huge) {
    return Status::Error(name + ": its " + FormatInteger(static_cast<std::int64_t>(nodes)) +
                         " triplets leave most nodes of their grid missing (" + GridText(x, z) +
                         ")");
  }
  // Each triplet becomes its node: index and value, in the triplet's own memory.
  Node* const grid = reinterpret_cast<Node*>(values);
  for (std::uint64_t i = 0; i < nodes; ++i) {
    float triplet[3];
    std::memcpy(triplet, values + 3 * i, sizeof triplet);
    const float xi = triplet[columns.x], zi = triplet[columns.z];
    std::uint64_t ix = 0, iz = 0;
    if (!IndexOn(x, xi, &ix) || !IndexOn(z, zi, &iz)) {
      return Status::Error(name + ": " + NodeText(xi, zi) +
                           " lies between the nodes of the grid (" + GridText(x, z) + ")");
    }
    const std::uint64_t index = rowOf(iz) * x.nodes + ix;
    const Node node{static_cast<std::uint32_t>(index), static_cast<std::uint32_t>(index >> 32),
                    triplet[columns.value]};
    std::memcpy(grid + i, &node, sizeof node);
  }
  const auto named = [&x, &z, &rowOf](std::uint64_t index) {
    return NodeText(x.At(index % x.nodes), z.At(rowOf(index / x.nodes)));
  };
  if (x.nodes * z.nodes == nodes) {
    // Every node once: each swap puts one node in its place.
    for (std::uint64_t i = 0; i < nodes; ++i) {
      while (grid[i].Index() != i) {
        const std::uint64_t j = grid[i].Index();
        if (grid[j].Index() == j) return Status::Error(name + ": " + named(j) + " is given twice");
        std::swap(grid[i], grid[j]);
      }
    }
  } else {
    // Nodes missing or given twice: the first of them in the grid's order.
    std::sort(grid, grid + nodes,
              [](const Node& a, const Node& b) { return a.Index() < b.Index(); });
    const std::string missing = " is missing from the grid (" + GridText(x, z) + ")";
    std::uint64_t expected = 0;
    for (std::uint64_t i = 0; i < nodes; ++i, ++expected) {
      const std::uint64_t index = grid[i].Index();
      if (i > 0 && index == grid[i - 1].Index()) {
        return Status::Error(name + ": " + named(index) + " is given twice");
      }
      if (index != expected) return Status::Error(name + ": " + named(expected) + missing);
    }
    return Status::Error(name + ": " + named(expected) + missing);
  }
  for (std::uint64_t i = 0; i < nodes; ++i) {
    const float value = grid[i].value;
    std::memcpy(values + i, &value, sizeof value);
  }
  form.kind = TextForm::kTriplets;
  form.name = "x z value triplets";
  form.source = "the triplets' coordinates";
  form.statesSizes = form.statesSteps = true;
  form.nx = static_cast<std::int32_t>(x.nodes);
  form.nz = static_cast<std::int32_t>(z.nodes);
  form.dx = static_cast<float>(x.step);
  form.dz = static_cast<float>(z.step);
  form.facts.vertical = TakeVertical("z", low, high, columns.vertical, turned);
  form.taken = (columns.reordered.empty() ? "" : "columns " + columns.reordered + " by name, ") +
               GridText(x, z) + ", " + DescribeVertical(form.facts.vertical);
  return Status();
}
