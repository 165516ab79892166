// The straightforward conversion as a whole program, for whole-process comparisons:
//   literal_convert INPUT NX OUTPUT
// reads INPUT with the literal algorithm and writes its values as NX-wide rows to OUTPUT (a
// 296-byte header, then the values). Prints the count, minimum and maximum it found.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "LiteralTextGrid.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: literal_convert INPUT NX OUTPUT\n");
    return 2;
  }
  const std::int32_t nx = std::atoi(argv[2]);
  LiteralGrid grid;
  if (nx <= 0 || !LiteralLoad(argv[1], &grid) || grid.count % nx != 0 ||
      !LiteralExport(grid, nx, nx, grid.count / nx, 1.0f, argv[3])) {
    std::fprintf(stderr, "literal_convert: cannot convert %s\n", argv[1]);
    return 1;
  }
  std::printf("%d values from %.9g to %.9g\n", grid.count, grid.minimum, grid.maximum);
  return 0;
}
