// Arbitrary bytes as a grid file: the header checks and the reading of the whole file (length
// check and ranges) must never read outside what the file holds, whatever it holds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "gridfile/GridFileReader.h"

namespace {

// One file for the whole run, written anew for each input and removed at the end; in memory where
// the system has a folder for that, since a file on disk rewritten each time is flushed each time.
struct ScratchFile {
  const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                           "/fuzz_grid_header-" + std::to_string(getpid()) + ".mvg";
  ~ScratchFile() { std::remove(path.c_str()); }
};

const std::string& FilePath() {
  static const ScratchFile file;
  return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(FilePath().c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return 0;

  const ParsedGridFileHeader header = ParseGridFileHeader(data, size);
  const GridFileInfo whole = ReadGridFile(FilePath());
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
