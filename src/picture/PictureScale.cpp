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

// The squares of the bands [firstRow, endRow) into means (width a band); sums and counts hold nx
// floats each, for this call alone.
void AverageBands(const float* values, std::int32_t nx, std::int32_t nz, std::int32_t block,
                  std::int32_t firstRow, std::int32_t endRow, float* sums, float* counts,
                  float* means) {
  const std::int32_t width = CeilDiv(nx, block);
  for (std::int32_t row = firstRow; row < endRow; ++row) {
    // Down each column of the band first: long runs the compiler turns into vector code.
    std::fill(sums, sums + nx, 0.0f);
    std::fill(counts, counts + nx, 0.0f);
    const std::int32_t zEnd = std::min(nz, (row + 1) * block);
    for (std::int32_t z = row * block; z < zEnd; ++z) {
      const float* line = values + static_cast<std::size_t>(z) * nx;
      for (std::int32_t x = 0; x < nx; ++x) {
        const bool number = line[x] == line[x];  // false for NaN alone
        sums[x] += number ? line[x] : 0.0f;
        counts[x] += number ? 1.0f : 0.0f;
      }
    }
    // Then across each block of the band's columns.
    float* out = means + static_cast<std::size_t>(row) * width;
    for (std::int32_t column = 0, x = 0; column < width; ++column) {
      double sum = 0, count = 0;
      for (const std::int32_t xEnd = std::min(nx, x + block); x < xEnd; ++x) {
        sum += sums[x];
        count += counts[x];
      }
      out[column] =
          count == 0 ? std::numeric_limits<float>::quiet_NaN() : static_cast<float>(sum / count);
    }
  }
}

}  // namespace

std::vector<float> AverageBlocks(const float* values, std::int32_t nx, std::int32_t nz,
                                 std::int32_t block) {
  const std::int32_t width = CeilDiv(nx, block), height = CeilDiv(nz, block);
  std::vector<float> means, scratch;
  try {
    means.resize(static_cast<std::size_t>(width) * height);
    scratch.resize(4 * static_cast<std::size_t>(nx));
  } catch (const std::bad_alloc&) {
    return {};
  }
  float* const upperSums = scratch.data();
  float* const lowerSums = upperSums + 2 * static_cast<std::size_t>(nx);
  // The lower half of the bands on a second core, when one can be had.
  const std::int32_t half = height / 2;
  std::thread lower;
  try {
    lower = std::thread(AverageBands, values, nx, nz, block, half, height, lowerSums,
                        lowerSums + nx, means.data());
  } catch (const std::system_error&) {
    AverageBands(values, nx, nz, block, half, height, lowerSums, lowerSums + nx, means.data());
  }
  AverageBands(values, nx, nz, block, 0, half, upperSums, upperSums + nx, means.data());
  if (lower.joinable()) lower.join();
  return means;
}
