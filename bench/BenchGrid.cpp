#include "BenchGrid.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// Three shapes in fixed places of each line, so the file's size is known in advance:
// 12 of 20 values "dddd.dd", 5 "dddd.d", 3 "dddd".
std::string Line(std::uint64_t* state) {
  std::string line;
  line.reserve(16000);
  char value[16];
  for (std::int32_t x = 0; x < kBenchColumns; ++x) {
    *state = *state * 6364136223846793005ULL + 1442695040888963407ULL;
    const unsigned bits = static_cast<unsigned>(*state >> 33);
    const unsigned whole = 1000 + bits % 4000;
    const unsigned fraction = (bits / 4000) % 100;
    const int shape = x % 20;
    if (shape < 12) {
      std::snprintf(value, sizeof value, "%u.%02u", whole, fraction);
    } else if (shape < 17) {
      std::snprintf(value, sizeof value, "%u.%u", whole, fraction % 10);
    } else {
      std::snprintf(value, sizeof value, "%u", whole);
    }
    if (x > 0) line += ' ';
    line += value;
  }
  line += '\n';
  return line;
}

}  // namespace

std::string EnsureBenchGrid(const std::string& folder, std::int32_t rows) {
  namespace fs = std::filesystem;
  const std::uint64_t values = std::uint64_t{kBenchColumns} * static_cast<std::uint64_t>(rows);
  const std::string name =
      values % 1000000 == 0 ? std::to_string(values / 1000000) + "M" : std::to_string(values);
  const std::string path = (fs::path(folder) / ("mvg-bench-grid-" + name + ".txt")).string();
  const std::uint64_t bytes = kBenchLineBytes * static_cast<std::uint64_t>(rows);
  std::error_code error;
  if (fs::file_size(path, error) == bytes && !error) return path;

  const std::string partial = path + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return "";
  std::uint64_t state = 20240611;
  bool ok = true;
  for (std::int32_t z = 0; z < rows && ok; ++z) {
    const std::string line = Line(&state);
    ok = std::fwrite(line.data(), 1, line.size(), file) == line.size();
  }
  ok = std::fclose(file) == 0 && ok;
  if (!ok || fs::file_size(partial, error) != bytes) return "";
  fs::rename(partial, path, error);
  return error ? "" : path;
}
