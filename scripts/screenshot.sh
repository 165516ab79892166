#!/usr/bin/env bash
# Makes a PNG screenshot of the conversion dialog with the Marmousi-II model loaded (default
# docs/MorvTxtMvg.png): builds MorvTxtMvg.exe and its end-to-end tests, and runs under Wine in
# Xvfb the test that loads Marmousi-II as a person would and checks the dialog's picture, at new
# steps with a border; asked to, that test saves the dialog's window as the screen shows it then.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/ensure-packages.sh
source scripts/wine-prefix.sh
ensure_packages "${WINDOWS_PACKAGES[@]}"
output=$(realpath -m "${1:-docs/MorvTxtMvg.png}")
mkdir -p "$(dirname "$output")"

cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows --target MorvTxtMvg app_tests -j"$(nproc)"

# A prefix of its own, with Wine's fonts; Xvfb has no window manager, so Wine draws the frames.
prepare_wine_prefix "${MVG_WINE_PREFIX:-/tmp/morvtxtmvg-wine-screenshot-$(id -u)}" --unmanaged
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wineserver -p && wine cmd /c exit >/dev/null 2>&1 </dev/null
  cd "$1/build/windows/tests/app"
  MVG_SOURCE_DIR="$1" MVG_SCREENSHOT="$(winepath -w "$2")" wine ./app_tests.exe \
    --gtest_filter=MorvTxtMvgTest.ThePictureAndSizesShowTheModelOkWritesAndEnlargeOnAClick \
    </dev/null
  status=$?
  wineserver -k
  exit $status
' _ "$root" "$output"
echo "Screenshot: $output"
