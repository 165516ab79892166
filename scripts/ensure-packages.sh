#!/usr/bin/env bash
# ensure_packages PKG...: installs the Debian packages that are missing (needs root).
ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Packages of each build. The native tests and the benchmarks make binary grids with Debian's
# Python (/usr/bin/python3), segyio and numpy: independent writers of SEG-Y and .npy files.
NATIVE_PACKAGES=(cmake ninja-build g++ libgtest-dev libbenchmark-dev clang-format libstb-dev zlib1g-dev
  python3 python3-numpy python3-segyio)
BENCH_PACKAGES=(hyperfine time python3-pandas python3-numpy python3-segyio)
# The Python module: built with pybind11 against Debian's Python 3, installed with its pip into a
# virtual environment of that Python, tested with its pytest.
PYTHON_PACKAGES=(pybind11-dev python3-dev python3-numpy python3-pytest python3-venv python3-pip
  python3-setuptools python3-wheel)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libstb-dev libz-mingw-w64-dev wine wine64 fonts-wine xvfb xauth)
