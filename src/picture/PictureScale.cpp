#include "picture/PictureScale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numeric>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// v as a whole number of at least 1, within the precision of the float steps it comes from
// (0.3f / 0.1f is 3).
bool IsWhole(double v, std::int64_t* whole) {
  const double nearest = std::round(v);
  if (!(nearest >= 1) || nearest > 1e12 || std::fabs(v - nearest) > 1e-6 * nearest) return false;
  *whole = static_cast<std::int64_t>(nearest);
  return true;
}

// The axis of n nodes `step` apart at `metres` a pixel (or nodes, without steps), when that is a
// whole block or enlargement that keeps the axis within maximum pixels.
bool WholeAxis(std::int32_t n, double step, double metres, std::int32_t maximum, AxisScale* axis) {
  std::int64_t k = 0;
  std::int64_t size = 0;
  if (IsWhole(metres / step, &k)) {
    *axis = {k, 1, 0};
    size = (n - 1) / k + 1;
  } else if (IsWhole(step / metres, &k)) {
    *axis = {1, k, 0};
    size = n * k;
  } else {
    return false;
  }
  axis->size = static_cast<std::int32_t>(std::min<std::int64_t>(size, maximum + std::int64_t{1}));
  return size <= maximum;
}

AxisScale Resampled(std::int32_t n, std::int32_t size) {
  const std::int64_t common = std::gcd(std::int64_t{n}, std::int64_t{size});
  return {n / common, size / common, size};
}

}  // namespace

PictureScale ChoosePictureScale(std::int32_t nx, std::int32_t nz, double dx, double dz,
                                const PictureRoom& room) {
  const double width = nx * dx, height = nz * dz;  // in m, or in nodes without steps
  // Metres a pixel: the least that fits the room, and the goal: a pixel a node along the finer
  // step, or less where that reaches the minimum width, as far as the room allows.
  const double least = std::max(width / room.maximumWidth, height / room.maximumHeight);
  const double goal = std::max(least, std::min(width / room.minimumWidth, std::min(dx, dz)));
  const double limit = goal * room.slack;
  // Every whole block or enlargement along X that is one along Z too: the largest picture
  // within the goal, else the smallest beyond it within the slack.
  PictureScale best, candidate;
  double bestMetres = 0;
  bool found = false, within = false;
  const auto consider = [&](double metres) {
    if (metres < least * (1 - 1e-9) || metres > limit * (1 + 1e-9)) return;
    if (!WholeAxis(nx, dx, metres, room.maximumWidth, &candidate.x) ||
        !WholeAxis(nz, dz, metres, room.maximumHeight, &candidate.z)) {
      return;
    }
    const bool inGoal = metres <= goal * (1 + 1e-9);
    const bool better = !found || (inGoal && (!within || metres > bestMetres)) ||
                        (!inGoal && !within && metres < bestMetres);
    if (!better) return;
    best = candidate;
    bestMetres = metres;
    found = true;
    within = inGoal;
  };
  // Blocks from the least that fits, as far as the slack or a bound on the search reaches (steps
  // of very different sizes find none soon); enlargements up to the room, at most its width.
  const double firstBlock = std::max(1.0, std::ceil(least / dx * (1 - 1e-9)));
  if (firstBlock < 1e12) {
    for (std::int64_t block = static_cast<std::int64_t>(firstBlock), end = block + 100000;
         block < end && static_cast<double>(block) * dx <= limit * (1 + 1e-9); ++block) {
      consider(static_cast<double>(block) * dx);
    }
  }
  const double lastEnlargement = std::min(std::floor(dx / least * (1 + 1e-9)), 1e6);
  for (std::int64_t enlarge = 2; enlarge <= lastEnlargement; ++enlarge) {
    consider(dx / static_cast<double>(enlarge));
  }
  if (found) return best;

  const auto pixels = [](double length, std::int32_t maximum) {
    return static_cast<std::int32_t>(std::clamp<double>(std::round(length), 1, maximum));
  };
  return {Resampled(nx, pixels(width / goal, room.maximumWidth)),
          Resampled(nz, pixels(height / goal, room.maximumHeight))};
}

namespace {

// The nodes a pixel takes along one axis: first to last, the ends weighted by the part of them
// the pixel covers and the nodes between by `whole`, in units of 1 / AxisScale::pixels of a node.
struct NodeSpan {
  std::int32_t first = 0, last = 0;
  float firstWeight = 1, lastWeight = 1;
};

bool operator==(const NodeSpan& a, const NodeSpan& b) {
  return a.first == b.first && a.last == b.last && a.firstWeight == b.firstWeight &&
         a.lastWeight == b.lastWeight;
}

std::vector<NodeSpan> NodeSpans(const AxisScale& axis, std::int32_t n) {
  std::vector<NodeSpan> spans(static_cast<std::size_t>(axis.size));
  const std::int64_t end = std::int64_t{n} * axis.pixels;
  for (std::int32_t c = 0; c < axis.size; ++c) {
    NodeSpan& span = spans[static_cast<std::size_t>(c)];
    if (axis.nodes < axis.pixels) {  // smaller than a node: the node under its centre
      const std::int64_t node = (2 * std::int64_t{c} + 1) * axis.nodes / (2 * axis.pixels);
      span.first = span.last = static_cast<std::int32_t>(std::min<std::int64_t>(node, n - 1));
      continue;
    }
    const std::int64_t from = c * axis.nodes, to = std::min(end, (c + 1) * axis.nodes);
    span.first = static_cast<std::int32_t>(from / axis.pixels);
    span.last = static_cast<std::int32_t>((to - 1) / axis.pixels);
    span.firstWeight = static_cast<float>(std::min(to, (span.first + 1) * axis.pixels) - from);
    span.lastWeight = static_cast<float>(to - span.last * axis.pixels);
  }
  return spans;
}

// Nodes of a row summed down a pixel row a strip at a time: the scratch stays this small however
// wide the grid.
constexpr std::int32_t kStripNodes = 1 << 14;

// Scratch of one thread: sums and counts down a strip, and across each pixel's columns.
struct RowScratch {
  std::vector<float> sums, counts, means;
  std::vector<double> pixelSums, pixelCounts;
};

struct Resampling {
  const GridView& grid;
  std::vector<NodeSpan> columns, rows;
  float columnWhole, rowWhole;  // the weight of a node a pixel covers whole
  const PixelRowSink& sink;

  void Rows(std::int32_t firstRow, std::int32_t endRow, RowScratch* scratch) const;
};

void Resampling::Rows(std::int32_t firstRow, std::int32_t endRow, RowScratch* scratch) const {
  float* const sums = scratch->sums.data();
  float* const counts = scratch->counts.data();
  const std::int32_t width = static_cast<std::int32_t>(columns.size());
  const NodeSpan* previous = nullptr;
  for (std::int32_t y = firstRow; y < endRow; ++y) {
    const NodeSpan& down = rows[static_cast<std::size_t>(y)];
    if (previous != nullptr && *previous == down) {  // the same nodes as the row above
      sink(y, scratch->means.data());
      continue;
    }
    previous = &down;
    std::fill(scratch->pixelSums.begin(), scratch->pixelSums.end(), 0.0);
    std::fill(scratch->pixelCounts.begin(), scratch->pixelCounts.end(), 0.0);
    std::int32_t pixel = 0;  // the first pixel whose nodes reach the strip
    for (std::int32_t first = 0; first < grid.nx; first += kStripNodes) {
      const std::int32_t strip = std::min(kStripNodes, grid.nx - first);
      // Down each column of the strip first: long runs the compiler turns into vector code.
      std::fill(sums, sums + strip, 0.0f);
      std::fill(counts, counts + strip, 0.0f);
      for (std::int32_t z = down.first; z <= down.last; ++z) {
        const float w = z == down.first  ? down.firstWeight
                        : z == down.last ? down.lastWeight
                                         : rowWhole;
        const float* line = grid.Row(z) + first;
        for (std::int32_t x = 0; x < strip; ++x) {
          const bool number = line[x] == line[x];  // false for NaN alone
          sums[x] += number ? w * line[x] : 0.0f;
          counts[x] += number ? w : 0.0f;
        }
      }
      // Then across the columns of each pixel, in order.
      const std::int32_t end = first + strip;
      while (pixel < width && columns[static_cast<std::size_t>(pixel)].last < first) ++pixel;
      for (std::int32_t k = pixel; k < width; ++k) {
        const NodeSpan& across = columns[static_cast<std::size_t>(k)];
        if (across.first >= end) break;
        double sum = 0, count = 0;
        for (std::int32_t x = std::max(across.first, first); x <= std::min(across.last, end - 1);
             ++x) {
          const float w = x == across.first  ? across.firstWeight
                          : x == across.last ? across.lastWeight
                                             : columnWhole;
          sum += static_cast<double>(w) * sums[x - first];
          count += static_cast<double>(w) * counts[x - first];
        }
        scratch->pixelSums[static_cast<std::size_t>(k)] += sum;
        scratch->pixelCounts[static_cast<std::size_t>(k)] += count;
      }
    }
    for (std::size_t k = 0; k < scratch->means.size(); ++k) {
      const double count = scratch->pixelCounts[k];
      scratch->means[k] = count == 0 ? std::numeric_limits<float>::quiet_NaN()
                                     : static_cast<float>(scratch->pixelSums[k] / count);
    }
    sink(y, scratch->means.data());
  }
}

}  // namespace

bool ResampleGrid(const GridView& grid, const PictureScale& scale, const PixelRowSink& row) {
  RowScratch upper, lower;
  try {
    const Resampling resampling{grid,
                                NodeSpans(scale.x, grid.nx),
                                NodeSpans(scale.z, grid.nz),
                                static_cast<float>(scale.x.pixels),
                                static_cast<float>(scale.z.pixels),
                                row};
    for (RowScratch* scratch : {&upper, &lower}) {
      scratch->sums.resize(static_cast<std::size_t>(std::min(grid.nx, kStripNodes)));
      scratch->counts.resize(scratch->sums.size());
      scratch->means.resize(static_cast<std::size_t>(scale.x.size));
      scratch->pixelSums.resize(scratch->means.size());
      scratch->pixelCounts.resize(scratch->means.size());
    }
    // The lower half of the rows on a second core, when one can be had.
    const std::int32_t half = scale.z.size / 2;
    std::thread second;
    try {
      second = std::thread(&Resampling::Rows, &resampling, half, scale.z.size, &lower);
    } catch (const std::system_error&) {
      resampling.Rows(half, scale.z.size, &lower);
    }
    resampling.Rows(0, half, &upper);
    if (second.joinable()) second.join();
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
