#include "textgrid/TripletGrid.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "grid/DecimalNumber.h"
#include "grid/NumberText.h"
#include "textgrid/LineWords.h"

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

// The axis of one coordinate (0: x, 1: z): from its least value at the least step between values.
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

}  // namespace

bool LooksLikeTriplets(const std::vector<NumberedLine>& lines, bool decimalCommas,
                       bool namedColumns) {
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
      if (reading.status != DecimalStatus::kNumber || count == 3) return false;
      numbers[count++] = reading.value;
    }
    if (count != 3) return false;
    nodes.emplace_back(numbers[0], numbers[1]);
  }
  // Nodes given twice are refused once the grid is made; most (x, z) pairs must differ, as they
  // do not in a grid three values wide.
  std::sort(nodes.begin(), nodes.end());
  const std::size_t distinct =
      static_cast<std::size_t>(std::unique(nodes.begin(), nodes.end()) - nodes.begin());
  if (distinct * 10 < lines.size() * 9) return false;
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
                     TextGridForm& form) {
  const std::uint64_t nodes = count / 3;
  Axis x, z;
  for (int which = 0; which < 2; ++which) {
    if (!FindAxis(values, nodes, which, which == 0 ? x : z)) {
      const char* axis = which == 0 ? "x" : "z";
      return Status::Error(name + ": its triplets hold one " + axis + ", " +
                           Coordinate((which == 0 ? x : z).first) + ": a grid needs two or more");
    }
  }
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
    std::uint64_t ix = 0, iz = 0;
    if (!IndexOn(x, triplet[0], &ix) || !IndexOn(z, triplet[1], &iz)) {
      return Status::Error(name + ": " + NodeText(triplet[0], triplet[1]) +
                           " lies between the nodes of the grid (" + GridText(x, z) + ")");
    }
    const std::uint64_t index = iz * x.nodes + ix;
    const Node node{static_cast<std::uint32_t>(index), static_cast<std::uint32_t>(index >> 32),
                    triplet[2]};
    std::memcpy(grid + i, &node, sizeof node);
  }
  const auto named = [&x, &z](std::uint64_t index) {
    return NodeText(x.At(index % x.nodes), z.At(index / x.nodes));
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
  form.taken = GridText(x, z);
  return Status();
}
