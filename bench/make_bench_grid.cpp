// Makes a benchmark grid when it is missing and prints its path:
//   make_bench_grid FOLDER MILLIONS_OF_VALUES

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchGrid.h"

int main(int argc, char** argv) {
  const long millions = argc == 3 ? std::atol(argv[2]) : 0;
  if (millions <= 0 || millions > 1000) {
    std::fprintf(stderr, "usage: make_bench_grid FOLDER MILLIONS_OF_VALUES (1 to 1000)\n");
    return 2;
  }
  const std::string path =
      EnsureBenchGrid(argv[1], static_cast<std::int32_t>(millions * 1000000 / kBenchColumns));
  if (path.empty()) {
    std::fprintf(stderr, "make_bench_grid: cannot write the grid in %s\n", argv[1]);
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
