#include "LiteralTextGrid.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool LiteralLoad(const std::string& path, LiteralGrid* grid) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) return false;
  char line[8192];
  grid->count = 0;
  grid->minimum = 1e30f;
  grid->maximum = -1e30f;
  while (std::fgets(line, sizeof line, file) != nullptr) {
    for (char* token = std::strtok(line, " "); token != nullptr;
         token = std::strtok(nullptr, " ")) {
      const double value = std::atof(token);
      if (value < grid->minimum) grid->minimum = static_cast<float>(value);
      if (value > grid->maximum) grid->maximum = static_cast<float>(value);
      ++grid->count;
    }
  }
  grid->values.reset(new float[grid->count]);
  std::rewind(file);
  std::int32_t stored = 0;
  while (std::fgets(line, sizeof line, file) != nullptr) {
    for (char* token = std::strtok(line, " "); token != nullptr;
         token = std::strtok(nullptr, " ")) {
      if (stored < grid->count) grid->values[stored++] = static_cast<float>(std::atof(token));
    }
  }
  std::fclose(file);
  return true;
}

bool LiteralExport(const LiteralGrid& grid, std::int32_t nxInput, std::int32_t nxWrite,
                   std::int32_t nzWrite, float unitFactor, const std::string& outputPath) {
  std::FILE* file = std::fopen(outputPath.c_str(), "wb");
  if (file == nullptr) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);  // one system write per fwrite, as a low-level write
  unsigned char header[296] = {};
  std::memcpy(header, "Binary. FD-Grid_____", 20);
  bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;
  const std::size_t count = static_cast<std::size_t>(nxWrite) * static_cast<std::size_t>(nzWrite);
  std::unique_ptr<float[]> block(new float[count]);
  std::size_t n = 0;
  for (std::int32_t z = 0; z < nzWrite; ++z) {
    for (std::int32_t x = 0; x < nxWrite; ++x) {
      block[n++] = unitFactor * grid.values[static_cast<std::size_t>(z) * nxInput + x];
    }
  }
  ok = std::fwrite(block.get(), sizeof(float), count, file) == count && ok;
  return std::fclose(file) == 0 && ok;
}
