// Arbitrary bytes as a grid file: the header checks and the whole in-memory read (length check and
// ranges) must never read outside the bytes given, whatever they hold.
#include <cstddef>
#include <cstdint>

#include "grid/GridFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const GridFileInfo header = ParseGridFileHeader(data, size);
  const GridFileInfo whole = ReadGridFileFromBytes(data, size, "fuzz.mvg");
  // A file accepted whole has an accepted header, and as many ranges as codes when it holds values.
  if (whole.ok() && !header.ok()) __builtin_trap();
  if (whole.ok() && !whole.ranges.empty() &&
      whole.ranges.size() != whole.header.propertyCodes.size()) {
    __builtin_trap();
  }
  if (header.ok()) {
    // What was read back is written again to the same fields.
    const GridFileHeader& read = header.header;
    const auto bytes = read.ToBytes();
    const GridFileHeader again = ParseGridFileHeader(bytes.data(), bytes.size()).header;
    if (again.nx != read.nx || again.nz != read.nz || again.propertyCodes != read.propertyCodes ||
        FloatBits(again.dx) != FloatBits(read.dx) || FloatBits(again.dz) != FloatBits(read.dz) ||
        FloatBits(again.xExtent) != FloatBits(read.xExtent) ||
        FloatBits(again.zExtent) != FloatBits(read.zExtent)) {
      __builtin_trap();
    }
  }
  return 0;
}
