#pragma once
// The straightforward reading and writing that the benchmark compares against: lines read with
// fgets into 8192 bytes, split with strtok on spaces, each token read with atof, the file read
// twice; the export writes the header and then the gathered values in one write each.

#include <cstdint>
#include <memory>
#include <string>

struct LiteralGrid {
  std::unique_ptr<float[]> values;
  std::int32_t count = 0;
  float minimum = 1e30f;
  float maximum = -1e30f;
};

// False when the file cannot be opened.
bool LiteralLoad(const std::string& path, LiteralGrid* grid);
// Writes a 296-byte header and the first nxWrite values of the first nzWrite rows.
bool LiteralExport(const LiteralGrid& grid, std::int32_t nxInput, std::int32_t nxWrite,
                   std::int32_t nzWrite, float unitFactor, const std::string& outputPath);
