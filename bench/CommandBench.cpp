// mvgtool picture and totext on the 20-million-value grid, beside the conversion of the same
// grid through the same command layer: a picture must take no longer than the conversion and
// hold no more than the grid and the picture. Each peak is the command's own, measured in a
// child process and taken above the same child doing nothing.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BenchGrid.h"
#include "PeakMemory.h"
#include "cli/Mvgtool.h"

namespace {

namespace fs = std::filesystem;

class PictureBenchFiles {
 public:
  PictureBenchFiles() {
    const char* tmp = std::getenv("TMPDIR");
    const fs::path base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    grid = EnsureBenchGrid(base.string());
    folder = base / ("mvg-picture-bench-" + std::to_string(std::rand()));
    fs::create_directories(folder);
    gridFile = Path("grid.mvg");
    if (grid.empty() ||
        !Run({"convert", "--vp", grid, "--nx", "2000", "--dx", "1", "--dz", "1", "-o", gridFile})) {
      gridFile.clear();
    }
  }
  ~PictureBenchFiles() {
    std::error_code error;
    fs::remove_all(folder, error);
  }
  std::string Path(const std::string& name) const { return (folder / name).string(); }
  static bool Run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    return RunMvgtool(args, out, err) == kExitSuccess;
  }

  std::string grid, gridFile;

 private:
  fs::path folder;
};

const PictureBenchFiles& Files() {
  static const PictureBenchFiles files;
  return files;
}

void RunCommand(benchmark::State& state, const std::vector<std::string>& args) {
  if (Files().gridFile.empty()) {
    state.SkipWithError("cannot make the 20-million-value grid and its grid file");
    return;
  }
  const long idle = PeakResidentKiB([] { return true; });
  const long peak = PeakResidentKiB([&args] { return PictureBenchFiles::Run(args); });
  for (auto _ : state) {
    if (!PictureBenchFiles::Run(args)) state.SkipWithError("the command failed");
  }
  state.counters["peak_MiB"] = (peak - idle) / 1024.0;
}

void ConvertTextGrid(benchmark::State& state) {
  RunCommand(state, {"convert", "--vp", Files().grid, "--nx", "2000", "--dx", "1", "--dz", "1",
                     "-o", Files().Path("c.mvg")});
}

void PictureOfTextGrid(benchmark::State& state) {
  RunCommand(state, {"picture", Files().grid, "--nx", "2000", "-o", Files().Path("t.png")});
}

void PictureOfGridFile(benchmark::State& state) {
  RunCommand(state, {"picture", Files().gridFile, "-o", Files().Path("g.png")});
}

void TotextOfGridFile(benchmark::State& state) {
  RunCommand(state, {"totext", Files().gridFile, "-o", Files().Path("g.txt")});
}

}  // namespace

BENCHMARK(ConvertTextGrid)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(PictureOfTextGrid)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(PictureOfGridFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(TotextOfGridFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
