#!/usr/bin/env bash
# Makes a PNG screenshot of the conversion dialog as it opens (default docs/MorvTxtMvg.png):
# builds MorvTxtMvg.exe, starts it under Wine in Xvfb from its build folder and grabs its window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/ensure-packages.sh
source scripts/wine-prefix.sh
ensure_packages "${WINDOWS_PACKAGES[@]}" imagemagick x11-utils
output=$(realpath -m "${1:-docs/MorvTxtMvg.png}")
mkdir -p "$(dirname "$output")"

cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows --target MorvTxtMvg -j"$(nproc)"

# A prefix of its own: Xvfb has no window manager, so Wine draws the window frames itself.
prepare_wine_prefix "/tmp/morvtxtmvg-wine-screenshot-$(id -u)"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w

title="Conversion Text to Morvelan Mvg"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  cd "$1/build/windows/src/app"
  "$1/scripts/wine-run.sh" ./MorvTxtMvg.exe &
  for _ in $(seq 1 120); do
    xwininfo -name "$2" >/dev/null 2>&1 && break
    sleep 0.5
  done
  sleep 2  # let the dialog and its owner-drawn buttons paint
  status=0
  import -window "$2" "$3" || status=1
  wineserver -k
  exit $status
' _ "$root" "$title" "$output"
echo "Screenshot: $output"
