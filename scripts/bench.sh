#!/usr/bin/env bash
# Builds the benchmarks natively (Release) and runs them: text grid load and export against the
# straightforward algorithm on 20 million values, and peak memory while loading.
# Extra arguments go to the benchmark program (e.g. --benchmark_filter=Marmousi).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/ensure-packages.sh
ensure_packages "${NATIVE_PACKAGES[@]}"

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMVG_BENCH=ON >/dev/null
cmake --build build/bench --target mvg_bench
build/bench/bench/mvg_bench "$@"
