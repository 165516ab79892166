#!/usr/bin/env bash
# Builds mvgtool natively (Release), converts the bundled sample grids into build/sample.mvg
# and shows what it wrote.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/ensure-packages.sh
ensure_packages "${NATIVE_PACKAGES[@]}"

build=build/native
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target mvgtool -j"$(nproc)"

mvgtool="$build/src/cli/mvgtool"
output="build/sample.mvg"
echo
echo "=== Converting samples/ (120 x 40 nodes, 25 m steps)"
"$mvgtool" convert --vp samples/vp.txt --density samples/density.txt --vs samples/vs.txt \
  --nx 120 --dx 25 --dz 25 -o "$output"
echo
echo "=== mvgtool info $output"
"$mvgtool" info "$output"
