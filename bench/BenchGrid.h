#pragma once
// The large text grids of the benchmarks: 2,000 values a line, values like "1523.25", "4500.1"
// and "2710", 14,600 bytes a line (20 million values: 146,000,000 bytes). Made once and kept.

#include <cstdint>
#include <string>

inline constexpr std::int32_t kBenchColumns = 2000;
inline constexpr std::uint64_t kBenchLineBytes = 14600;
inline constexpr std::int32_t kBenchRows = 10000;  // the in-process benchmark's grid
inline constexpr std::uint64_t kBenchValues = std::uint64_t{kBenchColumns} * kBenchRows;
inline constexpr std::uint64_t kBenchGridBytes = kBenchLineBytes * kBenchRows;

// The path of the grid of `rows` lines in `folder` ("mvg-bench-grid-20M.txt" for 10,000 rows),
// made when missing or of another size; "" when it cannot be written.
std::string EnsureBenchGrid(const std::string& folder, std::int32_t rows = kBenchRows);
