#!/usr/bin/env bash
# Draws the pictures shown in the READMEs with mvgtool itself: each property of the layered
# sample model (samples/) and of the Marmousi-II model (samples/marmousi2/), converted to grid
# files first so that each picture names its property and unit and has axes in m; and the
# Marmousi-II Vs once more with the colours from 800 to 2800 m/s, so that the water's 0 does not
# squeeze the sediments' colours. Writes docs/pictures/*.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/ensure-packages.sh
ensure_packages "${NATIVE_PACKAGES[@]}"

cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native --target mvgtool -j"$(nproc)"
mvgtool="build/native/src/cli/mvgtool"
mkdir -p build/pictures docs/pictures

"$mvgtool" convert --vp samples/vp.txt --density samples/density.txt --vs samples/vs.txt \
  --nx 120 --dx 25 --dz 25 -o build/pictures/sample.mvg
"$mvgtool" convert --vp samples/marmousi2/vp.txt --density samples/marmousi2/density.txt \
  --vs samples/marmousi2/vs.txt --nx 500 --dx 20 --dz 20 -o build/pictures/marmousi2.mvg
for model in sample marmousi2; do
  for property in P Q R; do
    "$mvgtool" picture "build/pictures/$model.mvg" --property "$property" \
      -o "docs/pictures/$model-$property.png"
  done
done
"$mvgtool" picture build/pictures/marmousi2.mvg --property R --range 800 2800 \
  -o docs/pictures/marmousi2-R-range.png
