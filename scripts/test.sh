#!/usr/bin/env bash
# Builds everything and runs every test: native, the Python module, sanitizers, Windows under
# Wine, fuzzers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/ensure-packages.sh
ensure_packages "${NATIVE_PACKAGES[@]}" "${PYTHON_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" \
  "${WINDOWS_PACKAGES[@]}"

jobs=$(nproc)
fuzz_seconds=${MVG_FUZZ_SECONDS:-60}
failed=()
step() { echo; echo "=== $* (at ${SECONDS} s)"; }

step "Format check"
if ! git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror; then
  failed+=(format)
fi

step "Native build and tests"
# With the Python module, for Debian's Python (the one its packages serve), not another first on
# the PATH.
python=$(realpath /usr/bin/python3)
cmake -S . -B build/native -G Ninja -DMVG_BENCH=ON -DMVG_PYTHON=ON -DPython_EXECUTABLE="$python" \
  >/dev/null
cmake --build build/native -j"$jobs"
ctest --test-dir build/native --output-on-failure -j"$jobs" || failed+=(native)

step "Python module: pip install . into a fresh virtual environment, and its tests"
venv=build/python-venv
rm -rf "$venv"
"$python" -m venv --system-site-packages --without-pip "$venv"
# Built in the native tree, where only the module is left to link; tested from outside the
# repository, so that the module imported is the one installed.
if MVG_BUILD_DIR=build/native "$venv/bin/python" -m pip install --no-build-isolation --no-index \
  --quiet .; then
  (cd build && MVG_TOOL="$root/build/native/src/cli/mvgtool" "$root/$venv/bin/python" -m pytest \
    -q -p no:cacheprovider "$root/tests/python") || failed+=(python)
else
  failed+=(python)
fi

step "Sanitizer build and tests (AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake -S . -B build/sanitize -G Ninja -DMVG_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$jobs" || failed+=(sanitize)

step "Windows build (MinGW-w64) and tests under Wine"
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$jobs"
source scripts/wine-prefix.sh
prepare_wine_prefix "${MVG_WINE_PREFIX:-/tmp/morvtxtmvg-wine-test-$(id -u)}" --unmanaged
# One persistent wineserver for the whole run, with Wine's own background programs
# (services, the desktop) started first and apart from CTest: a test program that starts
# them would leave them holding CTest's output pipe until the wineserver exits.
xvfb-run -a bash -c 'wineserver -p && wine cmd /c exit >/dev/null 2>&1 </dev/null
  ctest --test-dir build/windows --output-on-failure; status=$?; wineserver -k; exit $status' \
  || failed+=(windows)
wineserver -k >/dev/null 2>&1 || true
unset WINEPREFIX

step "Fuzzing (${fuzz_seconds} s per target)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DMVG_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j"$jobs" --target fuzz_targets
# The fuzzers run side by side; each fails on its first finding.
pids=()
names=()
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name#fuzz_}"
  [ -d "$seeds" ] || seeds=""
  echo "--- $name"
  "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus" $seeds \
    >"build/fuzz/$name.log" 2>&1 &
  pids+=($!)
  names+=("$name")
done
for i in "${!pids[@]}"; do
  if ! wait "${pids[$i]}"; then
    tail -n 40 "build/fuzz/${names[$i]}.log"
    failed+=("${names[$i]}")
  fi
done

echo
if [ ${#failed[@]} -eq 0 ]; then
  echo "All builds and tests passed in ${SECONDS} s."
else
  echo "FAILED: ${failed[*]}"
  exit 1
fi
