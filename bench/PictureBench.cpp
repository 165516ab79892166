// The drawing of a grid's picture in process, as a window would redraw it (into pixels of a given
// size) and as mvgtool picture draws it (at its sizes, into a PNG), on grids of 1 and 20 million
// values. Timed with the steady clock alone, so that the same program runs natively and, built
// with MinGW-w64, under Wine: a 20-million-value grid must be redrawn in at most 0.3 s there.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "picture/GridPicture.h"

namespace {

// Layers that dip and fold, with fine noise, so that neither averaging nor PNG compression
// meets an easy grid.
std::vector<float> LayeredGrid(std::int32_t nx, std::int32_t nz) {
  std::vector<float> values(static_cast<std::size_t>(nx) * nz);
  std::uint32_t noise = 12345;
  for (std::int32_t z = 0; z < nz; ++z) {
    for (std::int32_t x = 0; x < nx; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const double depth = z + 0.1 * nz * std::sin(6.0 * x / nx);
      values[static_cast<std::size_t>(z) * nx + x] = static_cast<float>(
          1500 + 3000 * depth / nz + 50 * std::floor(depth * 40 / nz) + (noise >> 24) / 8.0);
    }
  }
  return values;
}

// Milliseconds of each run after one to warm up: median, least and most.
void Time(const std::string& label, int runs, const std::function<bool()>& draw) {
  if (!draw()) {
    std::printf("  %-48s FAILED\n", label.c_str());
    return;
  }
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    draw();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  std::printf("  %-48s median %7.1f ms (%.1f to %.1f, %d runs)\n", label.c_str(),
              times[times.size() / 2], times.front(), times.back(), runs);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::int32_t sizes[][2] = {{1000, 1000}, {2000, 10000}};
  for (const auto& size : sizes) {
    const std::int32_t nx = size[0], nz = size[1];
    const std::vector<float> values = LayeredGrid(nx, nz);
    std::printf("%d x %d grid (%.0f million values)\n", nx, nz, nx * static_cast<double>(nz) / 1e6);
    GridPictureRequest request;
    request.values = values.data();
    request.nx = nx;
    request.nz = nz;
    request.title = "bench";
    request.unit = "m/s";
    GridPictureRequest window = request;
    window.width = 800;
    window.height = 500;
    Time("pixels of 800 x 500, no steps", runs, [&] { return DrawGridCanvas(window).ok(); });
    window.dx = 12.5f;
    window.dz = 5;
    Time("pixels of 800 x 500, dx 12.5 m, dz 5 m", runs,
         [&] { return DrawGridCanvas(window).ok(); });
    window.colours.kind = ColourChoice::Kind::kClip;
    window.colours.percent = 2;
    Time("pixels of 800 x 500, dx 12.5 m, dz 5 m, clip 2", runs,
         [&] { return DrawGridCanvas(window).ok(); });
    Time("PNG at mvgtool's size, no steps", runs, [&] { return DrawGridPicture(request).ok(); });
  }
  return 0;
}
