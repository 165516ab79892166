#pragma once
// The large text grid of the benchmark: 20 million values, 2,000 a line, values like "1523.25",
// "4500.1" and "2710", 146,000,000 bytes. Made once and kept in the temporary folder.

#include <cstdint>
#include <string>

inline constexpr std::int32_t kBenchColumns = 2000;
inline constexpr std::int32_t kBenchRows = 10000;
inline constexpr std::uint64_t kBenchValues = std::uint64_t{kBenchColumns} * kBenchRows;
inline constexpr std::uint64_t kBenchGridBytes = 146000000;

// The path of the grid, made when missing or of another size; "" when it cannot be written.
std::string EnsureBenchGrid(const std::string& folder);
