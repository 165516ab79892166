#!/usr/bin/env bash
# Builds mvgtool (native) and MorvTxtMvg.exe (Windows, MinGW-w64), then starts MorvTxtMvg.exe
# under Wine from its build folder, which holds RUX/. Without a display ($DISPLAY not set) it
# says so, converts the bundled samples (the layered model and Marmousi-II) with mvgtool instead,
# shows what it wrote, and draws a picture and writes a text grid of the Marmousi-II model.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/ensure-packages.sh
source scripts/wine-prefix.sh
ensure_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

jobs=$(nproc)
echo "=== Building mvgtool (native)"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native --target mvgtool -j"$jobs"
echo "=== Building MorvTxtMvg.exe and mvgtool.exe (Windows)"
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows --target MorvTxtMvg mvgtool -j"$jobs"

program_dir="$root/build/windows/src/app"
if [ -n "${DISPLAY:-}" ]; then
  prepare_wine_prefix
  echo
  echo "=== Starting MorvTxtMvg.exe under Wine in $program_dir (RUX/ is there)"
  cd "$program_dir"
  exec "$root/scripts/wine-run.sh" ./MorvTxtMvg.exe
fi

echo
echo "No display (DISPLAY is not set), so MorvTxtMvg.exe is not started."
echo "It is built in $program_dir: cd there and run $root/scripts/wine-run.sh ./MorvTxtMvg.exe"
mvgtool="build/native/src/cli/mvgtool"
output="build/sample.mvg"
echo
echo "=== Converting samples/ with mvgtool instead (120 x 40 nodes, 25 m steps)"
"$mvgtool" convert --vp samples/vp.txt --density samples/density.txt --vs samples/vs.txt \
  --nx 120 --dx 25 --dz 25 -o "$output"
echo
echo "=== mvgtool info $output"
"$mvgtool" info "$output"
marmousi="build/marmousi2.mvg"
echo
echo "=== Converting the Marmousi-II model, samples/marmousi2/ (500 x 174 nodes, 20 m steps)"
"$mvgtool" convert --vp samples/marmousi2/vp.txt --density samples/marmousi2/density.txt \
  --vs samples/marmousi2/vs.txt --nx 500 --dx 20 --dz 20 -o "$marmousi"
echo
echo "=== mvgtool info $marmousi"
"$mvgtool" info "$marmousi"
echo
echo "=== A text grid pictured with its X size, and a property of the grid file back as text"
"$mvgtool" picture samples/marmousi2/vp.txt --nx 500 -o build/marmousi2-vp.png
"$mvgtool" totext "$marmousi" --property P -o build/marmousi2-P.txt
