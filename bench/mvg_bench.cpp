// Text grid load and grid file export, side by side with the straightforward algorithm, on a
// 20-million-value grid; the Marmousi2 Vp grid as a small case; peak memory while loading.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "BenchGrid.h"
#include "LiteralTextGrid.h"
#include "PeakMemory.h"
#include "gridfile/GridExport.h"
#include "gridfile/GridFileDraft.h"
#include "textgrid/TextGridReader.h"

namespace {

namespace fs = std::filesystem;

struct BenchFiles {
  std::string grid;           // the 20-million-value text grid
  std::string output;         // where our exports go
  std::string literalOutput;  // where the literal algorithm's exports go
  std::string marmousi;       // the Marmousi2 Vp grid
};
BenchFiles files;

void FlushToDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool OurLoad(const std::string& path, TextGridRead* loaded, GridFileDraft* draft = nullptr) {
  FinalValues final;
  if (draft != nullptr) {
    final = [draft](const float* values, std::uint64_t first, std::uint64_t count) {
      draft->Take(values, first, count);
    };
  }
  *loaded = ReadTextGrid(path, path, {}, {}, final);
  return loaded->ok();
}

bool OurExport(const TextGridRead& loaded, GridFileDraft* draft = nullptr) {
  ExportSource source;
  source.properties[PropertyKind::kVp].values = loaded.values.data();
  source.window.elementCount = loaded.summary.count;
  source.window.nxInput = source.window.nxWrite = kBenchColumns;
  source.window.nzWrite = static_cast<std::int32_t>(loaded.summary.count / kBenchColumns);
  GridOutput output(files.output);
  output.draft = draft;
  return ExportGridFile(source, output).ok();
}

// As mvgtool convert writes one property: its data block goes to the output's temporary while
// the text is read.
bool OurLoadAndExportOnce() {
  GridFileDraft draft;
  const bool drafting = draft.Begin(files.output);
  TextGridRead loaded;
  return OurLoad(files.grid, &loaded, drafting ? &draft : nullptr) &&
         OurExport(loaded, drafting ? &draft : nullptr);
}

void LiteralLoadAndExport(benchmark::State& state) {
  for (auto _ : state) {
    LiteralGrid grid;
    if (!LiteralLoad(files.grid, &grid) ||
        !LiteralExport(grid, kBenchColumns, kBenchColumns, grid.count / kBenchColumns, 1.0f,
                       files.literalOutput)) {
      state.SkipWithError("literal load or export failed");
      return;
    }
  }
  // Untimed: the literal export leaves 80 MB to be written back, which would otherwise go to disk
  // while the next benchmarks run.
  FlushToDisk(files.literalOutput);
}

void OurLoadAndExport(benchmark::State& state) {
  // Both sides in their steady state: the literal side's one long run hardly feels a first touch
  // of memory; ours gets an untimed run first.
  if (!OurLoadAndExportOnce()) {
    state.SkipWithError("load or export failed");
    return;
  }
  for (auto _ : state) {
    // A new file each time, as the literal side and the whole-process runs write: replacing the
    // last run's would add the freeing of its 80 MB.
    state.PauseTiming();
    std::remove(files.output.c_str());
    state.ResumeTiming();
    if (!OurLoadAndExportOnce()) {
      state.SkipWithError("load or export failed");
      return;
    }
  }
}

void OurScan(benchmark::State& state) {
  for (auto _ : state) {
    if (!ScanTextGrid(files.grid, files.grid).ok()) state.SkipWithError("scan failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBenchGridBytes));
}

void OurLoadOnly(benchmark::State& state) {
  for (auto _ : state) {
    if (!ReadTextGrid(files.grid, files.grid).ok()) state.SkipWithError("load failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBenchGridBytes));
}

void OurExportOnly(benchmark::State& state) {
  TextGridRead loaded;
  if (!OurLoad(files.grid, &loaded)) {
    state.SkipWithError("load failed");
    return;
  }
  for (auto _ : state) {
    if (!OurExport(loaded)) state.SkipWithError("export failed");
  }
}

// The floor: the file's bytes read in large blocks and nothing else.
void ReadBytesOnly(benchmark::State& state) {
  const std::size_t kBlock = std::size_t{8} << 20;
  std::unique_ptr<char[]> block(new char[kBlock]);
  for (auto _ : state) {
    std::FILE* file = std::fopen(files.grid.c_str(), "rb");
    if (file == nullptr) {
      state.SkipWithError("cannot open");
      return;
    }
    std::size_t total = 0;
    for (std::size_t n; (n = std::fread(block.get(), 1, kBlock, file)) > 0;) total += n;
    std::fclose(file);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBenchGridBytes));
}

void MarmousiVpLoad(benchmark::State& state) {
  for (auto _ : state) {
    TextGridRead loaded;
    if (!OurLoad(files.marmousi, &loaded)) state.SkipWithError("cannot load marmousi2 vp.txt");
  }
}

void MarmousiVpLiteralLoad(benchmark::State& state) {
  for (auto _ : state) {
    LiteralGrid grid;
    if (!LiteralLoad(files.marmousi, &grid)) state.SkipWithError("cannot load marmousi2 vp.txt");
  }
}

// Keeps the real time of every run to work out the speed-up at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) {
        seconds[run.run_name.function_name] =
            run.real_accumulated_time / static_cast<double>(run.iterations);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

void ReportPeakMemory() {
  const double mib = 1024.0;
  const long idle = PeakResidentKiB([] { return true; });
  const long loading = PeakResidentKiB([] {
    TextGridRead loaded;
    return OurLoad(files.grid, &loaded);
  });
  const long exporting = PeakResidentKiB([] { return OurLoadAndExportOnce(); });
  const double limit = (4.0 * kBenchValues) / (1024 * 1024) + 16;
  std::printf("Peak resident memory (20,000,000 values; the process alone: %.1f MiB)\n",
              idle / mib);
  std::printf("  load:          %7.1f MiB (limit 4 bytes a value + 16 MiB = %.1f MiB)\n",
              loading / mib, limit);
  std::printf(
      "  load + export: %7.1f MiB (array %.1f MiB; one unscaled property is written "
      "straight from it while it is read, others through blocks of at most 3 MiB)\n",
      exporting / mib, 4.0 * kBenchValues / (1024 * 1024));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const char* tmp = std::getenv("TMPDIR");
  const fs::path folder = fs::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp");
  std::printf("Preparing the 20-million-value grid in %s ...\n", folder.string().c_str());
  std::fflush(stdout);
  files.grid = EnsureBenchGrid(folder.string());
  if (files.grid.empty()) {
    std::fprintf(stderr, "cannot write the benchmark grid in %s\n", folder.string().c_str());
    return 1;
  }
  const fs::path work = folder / ("mvg-bench-" + std::to_string(std::rand()) + "-out");
  fs::create_directories(work);
  files.output = (work / "bench.mvg").string();
  files.literalOutput = (work / "literal.mvg").string();
  files.marmousi = std::string(MVG_SOURCE_DIR) + "/samples/marmousi2/vp.txt";

  ReportPeakMemory();  // first, while this process is still small
  {
    // Both sides read the grid from the page cache.
    LiteralGrid warmUp;
    LiteralLoad(files.grid, &warmUp);
  }

  benchmark::RegisterBenchmark("LiteralLoadAndExport", LiteralLoadAndExport)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(1);
  benchmark::RegisterBenchmark("OurLoadAndExport", OurLoadAndExport)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(5);
  benchmark::RegisterBenchmark("OurScan", OurScan)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("OurLoadOnly", OurLoadOnly)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("OurExportOnly", OurExportOnly)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("ReadBytesOnly", ReadBytesOnly)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("MarmousiVpLoad", MarmousiVpLoad)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("MarmousiVpLiteralLoad", MarmousiVpLiteralLoad)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const auto literal = reporter.seconds.find("LiteralLoadAndExport");
  const auto ours = reporter.seconds.find("OurLoadAndExport");
  if (literal != reporter.seconds.end() && ours != reporter.seconds.end() && ours->second > 0) {
    std::printf(
        "\nLoad + export of 20,000,000 values: literal %.2f s, ours %.3f s, %.1fx faster (goal: >= "
        "18x)\n",
        literal->second, ours->second, literal->second / ours->second);
    auto ms = [&](const char* name) { return 1000 * reporter.seconds[name]; };
    std::printf(
        "Ours in parts: load %.0f ms (a scan without the values %.0f ms), export %.0f ms; "
        "reading the bytes alone %.0f ms\n",
        ms("OurLoadOnly"), ms("OurScan"), ms("OurExportOnly"), ms("ReadBytesOnly"));
  }
  std::error_code error;
  fs::remove_all(work, error);
  return 0;
}
