#include "picture/PictureScale.h"

#include <algorithm>
#include <limits>
#include <new>
#include <system_error>
#include <thread>

namespace {

std::int32_t CeilDiv(std::int32_t a, std::int32_t b) { return (a - 1) / b + 1; }

}  // namespace

PictureScale ChoosePictureScale(std::int32_t nx, std::int32_t nz) {
  PictureScale scale;
  const std::int32_t longer = std::max(nx, nz);
  if (longer > kPictureMaximumSide) {
    scale.block = CeilDiv(longer, kPictureMaximumSide);
  } else {
    scale.enlarge =
        std::max(1, std::min(CeilDiv(kPictureMinimumWidth, nx), kPictureMaximumSide / longer));
  }
  scale.width = scale.block > 1 ? CeilDiv(nx, scale.block) : nx * scale.enlarge;
  scale.height = scale.block > 1 ? CeilDiv(nz, scale.block) : nz * scale.enlarge;
  return scale;
}

namespace {

// Nodes of a row summed down a band at a time: the scratch of a band stays this small however
// wide the grid.
constexpr std::int32_t kStripNodes = 1 << 14;

// Scratch of one thread: sums and counts down a strip of a band, and across each pixel's columns.
struct BandScratch {
  std::vector<float> sums, counts;
  std::vector<double> pixelSums, pixelCounts;
};

// The squares of the bands [firstRow, endRow) into means (width a band).
void AverageBands(const float* values, std::int32_t nx, std::int32_t nz, std::int32_t block,
                  std::int32_t firstRow, std::int32_t endRow, BandScratch* scratch, float* means) {
  const std::int32_t width = CeilDiv(nx, block);
  float* const sums = scratch->sums.data();
  float* const counts = scratch->counts.data();
  for (std::int32_t row = firstRow; row < endRow; ++row) {
    std::fill(scratch->pixelSums.begin(), scratch->pixelSums.end(), 0.0);
    std::fill(scratch->pixelCounts.begin(), scratch->pixelCounts.end(), 0.0);
    const std::int32_t zEnd = std::min(nz, (row + 1) * block);
    for (std::int32_t first = 0; first < nx; first += kStripNodes) {
      const std::int32_t strip = std::min(kStripNodes, nx - first);
      // Down each column of the strip first: long runs the compiler turns into vector code.
      std::fill(sums, sums + strip, 0.0f);
      std::fill(counts, counts + strip, 0.0f);
      for (std::int32_t z = row * block; z < zEnd; ++z) {
        const float* line = values + static_cast<std::size_t>(z) * nx + first;
        for (std::int32_t x = 0; x < strip; ++x) {
          const bool number = line[x] == line[x];  // false for NaN alone
          sums[x] += number ? line[x] : 0.0f;
          counts[x] += number ? 1.0f : 0.0f;
        }
      }
      // Then across the columns of each pixel, in order.
      for (std::int32_t x = 0; x < strip; ++x) {
        const std::size_t pixel = static_cast<std::size_t>((first + x) / block);
        scratch->pixelSums[pixel] += sums[x];
        scratch->pixelCounts[pixel] += counts[x];
      }
    }
    float* out = means + static_cast<std::size_t>(row) * width;
    for (std::int32_t column = 0; column < width; ++column) {
      const double count = scratch->pixelCounts[static_cast<std::size_t>(column)];
      out[column] =
          count == 0
              ? std::numeric_limits<float>::quiet_NaN()
              : static_cast<float>(scratch->pixelSums[static_cast<std::size_t>(column)] / count);
    }
  }
}

}  // namespace

std::vector<float> AverageBlocks(const float* values, std::int32_t nx, std::int32_t nz,
                                 std::int32_t block) {
  const std::int32_t width = CeilDiv(nx, block), height = CeilDiv(nz, block);
  std::vector<float> means;
  BandScratch upper, lower;
  try {
    means.resize(static_cast<std::size_t>(width) * height);
    for (BandScratch* scratch : {&upper, &lower}) {
      scratch->sums.resize(static_cast<std::size_t>(std::min(nx, kStripNodes)));
      scratch->counts.resize(scratch->sums.size());
      scratch->pixelSums.resize(static_cast<std::size_t>(width));
      scratch->pixelCounts.resize(static_cast<std::size_t>(width));
    }
  } catch (const std::bad_alloc&) {
    return {};
  }
  // The lower half of the bands on a second core, when one can be had.
  const std::int32_t half = height / 2;
  std::thread second;
  try {
    second = std::thread(AverageBands, values, nx, nz, block, half, height, &lower, means.data());
  } catch (const std::system_error&) {
    AverageBands(values, nx, nz, block, half, height, &lower, means.data());
  }
  AverageBands(values, nx, nz, block, 0, half, &upper, means.data());
  if (second.joinable()) second.join();
  return means;
}
