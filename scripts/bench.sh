#!/usr/bin/env bash
# Builds the benchmarks natively (Release) and runs them:
#  1. Whole process, as a user meets it: `mvgtool convert`, the literal algorithm as a program
#     of its own (bench/literal_convert.cpp: fgets into 8192 bytes, strtok, atof, two passes, one
#     write) and `wc -w` on the same file, run in turn, each timed by hyperfine with its peak
#     memory from /usr/bin/time, on a 20-million-value grid; then mvgtool and `wc -w` on a
#     100-million-value grid right after each literal run on the 20-million one; then the
#     20-million-value grid gzip-compressed against `zcat FILE > /dev/null`, and read from a pipe
#     (`cat FILE | mvgtool convert --vp - ...`) against the same file by name.
#     Then the same grid as an ESRI ASCII grid (a header form) against the plain file, and in the
#     binary forms (raw floats, .npy, SEG-Y of IBM floats) against cat FILE > /dev/null and the
#     text grid.
#     Then the peak memory of every command that holds a grid against its bound (4 bytes a value
#     it holds + 16 MiB): convert of three properties and totext, of 20 and 100 million values;
#     convert of 20 million as an ESRI grid, as SEG-Y and .npy, stored column by column and as x z
#     value triplets (three values a node); and the picture of a 10,000,000 x 1 grid.
#     Then, from Python (bench/python_bench.py, one process): mvg.read_grid of the 20-million-value
#     grid against numpy.loadtxt (once) and pandas.read_csv(engine="c"), and mvg.read of it as a
#     grid file against numpy.fromfile; the module as `pip install .` builds it (build/python,
#     Release), in a virtual environment of its own (build/bench-venv).
#  2. In process: Google Benchmark of load and export against the literal algorithm, and peak
#     memory while loading; and the drawing of pictures of 1 and 20 million values, into pixels
#     of a window's size and at mvgtool's sizes into a PNG (bench/PictureBench.cpp).
#     Under Wine (below), also the dialog's picture and sizes redrawn after a change of the X size,
#     new steps or a border, until painted (bench/DialogRedrawBench-win32.cpp), on text grids of 1
#     and 20 million values.
# Environment: MVG_BENCH_DIR holds the grids (default /dev/shm, a memory file system, so that
# disk speed does not count; else $TMPDIR or /tmp); MVG_BENCH_PAIRS runs in turn (default 7);
# MVG_BENCH_WINE=1 also times mvgtool.exe convert and picture under Wine, the drawing of
# pictures in process there and the dialog's redraw (in Xvfb), from a Release Windows build made
# in build/windows-bench (needs a display-less Wine prefix: MVG_WINE_PREFIX).
# Extra arguments go to the Google Benchmark program (e.g. --benchmark_filter=Marmousi).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/ensure-packages.sh
ensure_packages "${NATIVE_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" "${PYTHON_PACKAGES[@]}"

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMVG_BENCH=ON >/dev/null
cmake --build build/bench --target mvg_bench mvgtool literal_convert make_bench_grid picture_bench
bin=build/bench
pairs=${MVG_BENCH_PAIRS:-7}
folder=${MVG_BENCH_DIR:-}
if [ -z "$folder" ]; then
  folder=/dev/shm
  [ -d "$folder" ] && [ -w "$folder" ] || folder=${TMPDIR:-/tmp}
fi
work=$(mktemp -d "$folder/mvg-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

load() { cut -d' ' -f1-3 /proc/loadavg; }
echo
echo "== Machine"
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), \
$(free -g | awk '/^Mem:/ {print $2}') GiB, Linux $(uname -r)"
thp=/sys/kernel/mm/transparent_hugepage/enabled
[ -r "$thp" ] && echo "Transparent large pages: $(cat "$thp")"
echo "Load average (1, 5, 15 min) before: $(load)"
echo "Grids in $folder ($(df -h --output=fstype "$folder" | tail -1 | tr -d ' '))"

grid20=$($bin/bench/make_bench_grid "$folder" 20)
grid100=$($bin/bench/make_bench_grid "$folder" 100)

# timed OUT_VAR COMMAND...: runs COMMAND once; sets OUT_VAR to "seconds peak-KiB".
timed() {
  local var=$1
  shift
  rm -f "$work"/*.mvg
  hyperfine -N --runs 1 --style none --export-csv "$work/run.csv" \
    "/usr/bin/time -f %M -o $work/peak.txt $*" >/dev/null 2>"$work/hyperfine.err" ||
    { cat "$work/hyperfine.err" >&2; exit 1; }
  # The mean is the sixth field from the end: command may hold commas, the numbers do not.
  printf -v "$var" '%s %s' "$(awk -F, 'NR == 2 {print $(NF - 6)}' "$work/run.csv")" \
    "$(tail -1 "$work/peak.txt")"
}
# stats "list of numbers": median, minimum and maximum.
stats() {
  printf '%s\n' $1 | sort -g | awk '{v[NR] = $1} END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median %.3f, range %.3f to %.3f", m, v[1], v[NR]}'
}
mib() { awk -v k="$1" 'BEGIN {printf "%.1f MiB", k / 1024}'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

# in_turn NAME_A COMMAND_A NAME_B COMMAND_B AGAINST GOAL: runs A then B, pairs times, each a shell
# command line; prints each pair with B's peak memory, the medians, B's time against A's (AGAINST
# names A so) with its goal for the median, and whether B's grid file holds the literal program's
# values.
in_turn() {
  local a_name=$1 a_command=$2 b_name=$3 b_command=$4 against=$5 goal=$6
  local a_times="" b_times="" ratios="" a b a_s b_s b_k r
  for ((i = 1; i <= pairs; ++i)); do
    timed a bash -c "'$a_command'"
    timed b bash -c "'$b_command'"
    read -r a_s _ <<<"$a"
    read -r b_s b_k <<<"$b"
    r=$(ratio "$b_s" "$a_s")
    printf '  %d: %s %.3f s, %s %.3f s (%s): %sx; load %s\n' "$i" "$a_name" "$a_s" "$b_name" \
      "$b_s" "$(mib "$b_k")" "$r" "$(load)"
    a_times+=" $a_s" b_times+=" $b_s" ratios+=" $r"
  done
  echo "  $a_name: $(stats "$a_times") s"
  echo "  $b_name: $(stats "$b_times") s"
  echo "  time against $against: $(stats "$ratios")x (goal: median <= ${goal}x)"
  cmp -s "$work/literal.values" <(tail -c +297 "$work/ours.mvg") &&
    echo "  values: identical to the literal program's" || { echo "  values: DIFFERENT"; exit 1; }
}

literal=("$bin/bench/literal_convert")
ours=("$bin/src/cli/mvgtool" convert --dx 1 --dz 1)
echo
echo "== Whole process, in turn: literal_convert, mvgtool convert and wc -w, 20,000,000 values"
literal_times="" our_times="" wc_times="" ratios="" wc_ratios="" our_peak=0 literal_peak=0
for ((i = 1; i <= pairs; ++i)); do
  timed lit "${literal[@]}" "$grid20" 2000 "$work/literal.mvg"
  timed our "${ours[@]}" --vp "$grid20" --nx 2000 -o "$work/ours.mvg"
  timed words wc -w "$grid20"
  read -r lit_s lit_k <<<"$lit"
  read -r our_s our_k <<<"$our"
  read -r wc_s _ <<<"$words"
  r=$(ratio "$lit_s" "$our_s") w=$(ratio "$wc_s" "$our_s")
  printf '  %d: literal %.3f s (%s), mvgtool %.3f s (%s), wc -w %.3f s: %sx the literal, %sx wc; \
load %s\n' "$i" "$lit_s" "$(mib "$lit_k")" "$our_s" "$(mib "$our_k")" "$wc_s" "$r" "$w" "$(load)"
  literal_times+=" $lit_s" our_times+=" $our_s" wc_times+=" $wc_s" ratios+=" $r" wc_ratios+=" $w"
  ((our_k > our_peak)) && our_peak=$our_k
  ((lit_k > literal_peak)) && literal_peak=$lit_k
done
echo "  literal: $(stats "$literal_times") s"
echo "  mvgtool: $(stats "$our_times") s"
echo "  wc -w:   $(stats "$wc_times") s"
echo "  ratio to the literal program: $(stats "$ratios")x (goal: median >= 14x)"
echo "  faster than wc -w:            $(stats "$wc_ratios")x (goal: median >= 2.5x)"
echo "  peak memory: mvgtool $(mib $our_peak) (limit 4 bytes a value + 16 MiB = \
$(mib $((20000000 * 4 / 1024 + 16384)))), literal $(mib $literal_peak)"
# Same values, bit for bit, after the 296-byte headers (the literal program's is a stand-in).
"${literal[@]}" "$grid20" 2000 "$work/literal.mvg" >"$work/literal.txt"
"${ours[@]}" --vp "$grid20" --nx 2000 -o "$work/ours.mvg" >/dev/null
"$bin/src/cli/mvgtool" sizes "$grid20" >"$work/sizes.txt"
tail -c +297 "$work/literal.mvg" >"$work/literal.values"
if cmp -s "$work/literal.values" <(tail -c +297 "$work/ours.mvg"); then
  echo "  values: identical; literal: $(cat "$work/literal.txt")"
else
  echo "  values: DIFFERENT"
  exit 1
fi
grep -iE 'range|minimum|maximum' "$work/sizes.txt" | sed 's/^/  mvgtool sizes: /' || true

echo
echo "== Whole process: mvgtool convert and wc -w on 100,000,000 values, each mvgtool right after \
literal_convert on 20,000,000"
big_times="" big_wc_times="" big_ratios="" big_peak=0
for ((i = 1; i <= pairs; ++i)); do
  timed lit "${literal[@]}" "$grid20" 2000 "$work/literal.mvg"
  # 2,000 x 50,000 nodes: deep enough to be a finding, which --force writes over.
  timed big "${ours[@]}" --vp "$grid100" --nx 2000 --force -o "$work/ours.mvg"
  timed words wc -w "$grid100"
  read -r big_s big_k <<<"$big"
  read -r wc_s _ <<<"$words"
  w=$(ratio "$wc_s" "$big_s")
  printf '  %d: mvgtool %.3f s (%s), wc -w %.3f s: %sx wc; load %s\n' "$i" "$big_s" \
    "$(mib "$big_k")" "$wc_s" "$w" "$(load)"
  big_times+=" $big_s" big_wc_times+=" $wc_s" big_ratios+=" $w"
  ((big_k > big_peak)) && big_peak=$big_k
done
echo "  mvgtool: $(stats "$big_times") s"
echo "  wc -w:   $(stats "$big_wc_times") s"
echo "  faster than wc -w: $(stats "$big_ratios")x (goal: median >= 2.5x)"
echo "  peak memory: $(mib $big_peak) (limit $(mib $((100000000 * 4 / 1024 + 16384))))"

# The streams, each against its own reference, through the shell alike.
gzip20=$grid20.gz
if [ ! -s "$gzip20" ] || [ "$gzip20" -ot "$grid20" ]; then
  gzip -c "$grid20" >"$gzip20.partial" && mv "$gzip20.partial" "$gzip20"
fi
run_ours="${ours[*]} --nx 2000 -o $work/ours.mvg"
echo
echo "== Whole process, in turn: the 20,000,000-value grid gzip-compressed \
($(($(stat -c %s "$gzip20") / 1000000)) MB), mvgtool convert against zcat FILE > /dev/null"
in_turn zcat "zcat $gzip20 >/dev/null" mvgtool "$run_ours --vp $gzip20" zcat 1.2

echo
echo "== Whole process, in turn: the 20,000,000-value grid read from a pipe \
(cat FILE | mvgtool convert --vp - ...) against the same file by name"
in_turn "by name" "$run_ours --vp $grid20" "from a pipe" "cat $grid20 | $run_ours --vp -" \
  "the file by name" 1.3

esri20=$work/grid20.asc
{ printf 'ncols 2000\nnrows 10000\nxllcorner 0\nyllcorner 0\ncellsize 1\nnodata_value -9999\n'
  cat "$grid20"; } >"$esri20"
echo
echo "== Forms, whole process, in turn: the 20,000,000-value grid as an ESRI ASCII grid (its \
header read, checked against the values) against the plain file"
in_turn plain "$run_ours --vp $grid20" ESRI "$run_ours --vp $esri20" "the plain file" 1.1

# The binary forms of the 20,000,000-value grid: its values as raw floats (the data block of its
# conversion), and as an .npy array and a SEG-Y file of IBM floats written by numpy and segyio.
tool=$bin/src/cli/mvgtool
"$tool" convert --vp "$grid20" --nx 2000 --dx 1 --dz 1 -o "$work/text.mvg" >/dev/null
raw20=$work/grid.f32le
tail -c +297 "$work/text.mvg" >"$raw20"
/usr/bin/python3 bench/make_binary_grids.py "$raw20" 2000 "$work"
# binary_in_turn NAME FILE VALUES OPTION...: cat FILE > /dev/null, mvgtool convert FILE with the
# options and mvgtool convert of the text grid, in turn; prints each run, the medians, the
# binary conversion's time against cat's (goal: at most 2x) and the text's against it (goal: at
# least 10x), and whether its grid file holds VALUES.
binary_in_turn() {
  local name=$1 file=$2 values=$3
  shift 3
  local cat_times="" bin_times="" text_times="" cat_ratios="" text_ratios="" c b t c_s b_s b_k t_s
  for ((i = 1; i <= pairs; ++i)); do
    timed c cat "$file"
    timed b "$tool" convert --vp "$file" "$@" --dx 1 --dz 1 -o "$work/ours.mvg"
    timed t "$tool" convert --vp "$grid20" --nx 2000 --dx 1 --dz 1 -o "$work/ours.mvg"
    read -r c_s _ <<<"$c"
    read -r b_s b_k <<<"$b"
    read -r t_s _ <<<"$t"
    printf '  %d: cat %.3f s, %s %.3f s (%s), text %.3f s: %sx cat, text %sx; load %s\n' "$i" \
      "$c_s" "$name" "$b_s" "$(mib "$b_k")" "$t_s" "$(ratio "$b_s" "$c_s")" \
      "$(ratio "$t_s" "$b_s")" "$(load)"
    cat_times+=" $c_s" bin_times+=" $b_s" text_times+=" $t_s"
    cat_ratios+=" $(ratio "$b_s" "$c_s")" text_ratios+=" $(ratio "$t_s" "$b_s")"
  done
  echo "  cat:  $(stats "$cat_times") s"
  echo "  $name: $(stats "$bin_times") s"
  echo "  text: $(stats "$text_times") s"
  echo "  time against cat: $(stats "$cat_ratios")x (goal: median <= 2x)"
  echo "  text's time against it: $(stats "$text_ratios")x (goal: median >= 10x)"
  "$tool" convert --vp "$file" "$@" --dx 1 --dz 1 -o "$work/ours.mvg" >/dev/null
  cmp -s "$values" <(tail -c +297 "$work/ours.mvg") && echo "  values: $(basename "$values")'s" ||
    { echo "  values: DIFFERENT"; exit 1; }
}
for form in raw npy segy; do
  echo
  case $form in
    raw)
      echo "== Binary forms, whole process, in turn: the 20,000,000-value grid as raw 32-bit floats \
against cat FILE > /dev/null and the text grid"
      binary_in_turn raw "$raw20" "$raw20" --raw f32le --nx 2000 ;;
    npy)
      echo "== ... as a numpy .npy array"
      binary_in_turn .npy "$work/grid.npy" "$raw20" ;;
    segy)
      echo "== ... as SEG-Y, IBM floats (the values as segyio reads them)"
      binary_in_turn SEG-Y "$work/grid-ibm.sgy" "$work/grid-ibm.f32le" ;;
  esac
done

# peak LABEL VALUES_HELD COMMAND...: one run's peak memory against the bound of 4 bytes a value
# the command holds + 16 MiB.
peak() {
  local label=$1 held=$2
  shift 2
  /usr/bin/time -f %M -o "$work/peak.txt" "$@" >/dev/null || { echo "  $label: FAILED" >&2; exit 1; }
  local kib limit
  kib=$(tail -1 "$work/peak.txt")
  limit=$((held * 4 / 1024 + 16384))
  printf '  %s: %s (limit %s)%s\n' "$label" "$(mib "$kib")" "$(mib "$limit")" \
    "$( ((kib <= limit)) || echo ', OVER')"
}
echo
echo "== Peak memory of each command: 4 bytes a value it holds + 16 MiB at most"
for n in 20 100; do
  grid=$grid20 values=20000000
  [ "$n" = 100 ] && grid=$grid100 values=100000000
  peak "convert, Vp, density and Vs of $n M values" $((3 * values)) \
    "$tool" convert --vp "$grid" --density "$grid" --vs "$grid" --nx 2000 --dx 1 --dz 1 --force \
    -o "$work/three.mvg"
  rm -f "$work/three.mvg"
  "$tool" convert --vp "$grid" --nx 2000 --dx 1 --dz 1 --force -o "$work/one.mvg" >/dev/null
  peak "totext of $n M values" "$values" "$tool" totext "$work/one.mvg" -o "$work/one.txt"
  rm -f "$work/one.mvg" "$work/one.txt"
done
peak "convert of the 20 M values as an ESRI ASCII grid" 20000000 "$tool" convert --vp "$esri20" \
  -o "$work/esri.mvg"
peak "convert of the 20 M values as SEG-Y (IBM floats)" 20000000 "$tool" convert \
  --vp "$work/grid-ibm.sgy" --dx 1 --dz 1 -o "$work/segy.mvg"
peak "convert of the 20 M values as an .npy array" 20000000 "$tool" convert \
  --vp "$work/grid.npy" --dx 1 --dz 1 -o "$work/npy.mvg"
rm -f "$work/segy.mvg" "$work/npy.mvg"
peak "convert of the 20 M values stored column by column" 20000000 "$tool" convert \
  --vp "$grid20" --order columns --dx 1 --dz 1 --force -o "$work/columns.mvg"
# x z value triplets hold three values a node.
awk '{ for (i = 1; i <= NF; ++i) print i - 1, NR - 1, $i }' "$grid20" >"$work/grid20.xyz"
rm -f "$esri20" "$work/columns.mvg"
peak "convert of the 20 M values as x z value triplets" 60000000 "$tool" convert \
  --vp "$work/grid20.xyz" -o "$work/triplets.mvg"
cmp -s "$work/esri.mvg" "$work/triplets.mvg" && echo "  triplets: the ESRI grid's bytes" ||
  { echo "  triplets: DIFFERENT"; exit 1; }
rm -f "$work/grid20.xyz" "$work/esri.mvg" "$work/triplets.mvg"
"$tool" convert --vp "$grid20" --nx 10000000 --nz-write 1 --dx 1 --dz 1 --force -o "$work/line.mvg" \
  >/dev/null
peak "picture of a 10,000,000 x 1 grid" 10000000 "$tool" picture "$work/line.mvg" -o "$work/line.png"
rm -f "$work/line.mvg" "$work/line.png"

echo
echo "== From Python, side by side in one process (bench/python_bench.py); load $(load)"
venv=build/bench-venv
rm -rf "$venv"
/usr/bin/python3 -m venv --system-site-packages --without-pip "$venv"
"$venv/bin/python" -m pip install --no-build-isolation --no-index --quiet .
"$tool" convert --vp "$grid20" --nx 2000 --dx 1 --dz 1 -o "$work/python.mvg" >/dev/null
(cd "$work" && "$root/$venv/bin/python" "$root/bench/python_bench.py" "$grid20" "$work/python.mvg" \
  "$pairs")
rm -f "$work/python.mvg"

if [ "${MVG_BENCH_WINE:-0}" = 1 ]; then
  ensure_packages "${WINDOWS_PACKAGES[@]}"
  cmake -S . -B build/windows-bench -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DMVG_BENCH=ON >/dev/null
  cmake --build build/windows-bench --target mvgtool picture_bench dialog_redraw_bench
  exe=build/windows-bench/src/cli/mvgtool.exe
  source scripts/wine-prefix.sh
  prepare_wine_prefix "${MVG_WINE_PREFIX:-}" >/dev/null
  # One persistent server, so that its start does not count; ended with the script.
  wineserver -p >/dev/null 2>&1
  trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
  echo
  echo "== Whole process under Wine: $exe convert, 20,000,000 values"
  wine_times=""
  wine "$exe" --help >/dev/null 2>&1 </dev/null || true
  for ((i = 1; i <= pairs; ++i)); do
    timed win wine "$exe" convert --vp "$grid20" --nx 2000 --dx 1 --dz 1 -o "$work/ours.mvg"
    read -r win_s _ <<<"$win"
    printf '  run %d: %.3f s; load %s\n' "$i" "$win_s" "$(load)"
    wine_times+=" $win_s"
  done
  echo "  mvgtool.exe: $(stats "$wine_times") s"

  echo
  echo "== Whole process under Wine: $exe picture of grid files of 1 and 20 million values"
  # Named .grid, which timed's clean-up of *.mvg leaves: mvgtool knows them by their signature.
  "$tool" convert --vp "$grid20" --nx 2000 --dx 1 --dz 1 -o "$work/p20.grid" >/dev/null
  "$tool" convert --vp "$grid20" --nx 2000 --nz-write 500 --dx 1 --dz 1 -o "$work/p1.grid" >/dev/null
  for n in 1 20; do
    wine_times=""
    for ((i = 1; i <= pairs; ++i)); do
      timed win wine "$exe" picture "$work/p$n.grid" -o "$work/p.png"
      read -r win_s _ <<<"$win"
      wine_times+=" $win_s"
    done
    echo "  $n M values: $(stats "$wine_times") s; load $(load)"
  done
  rm -f "$work/p1.grid" "$work/p20.grid" "$work/p.png"

  echo
  echo "== Pictures drawn in process under Wine (goal: a window's 20 M values in <= 300 ms)"
  wine build/windows-bench/bench/picture_bench.exe </dev/null

  echo
  echo "== The dialog's picture under Wine: from a change of the X size, new steps or a border to \
the painted picture (goal: 20 M values in <= 300 ms)"
  "$bin/bench/make_bench_grid" "$folder" 1 >/dev/null
  grids=$(winepath -w "$folder")
  # A display for the dialog, and a server of its own: one started without a display breaks
  # windows. The dialog remembers its folder in RUX/ below the folder it starts in.
  wineserver -k || true
  wineserver -w
  mkdir -p "$work/dialog/RUX"
  (cd "$work/dialog" && xvfb-run -a bash -c 'wine "$1" "$2" </dev/null; status=$?; wineserver -k
    exit $status' _ "$root/build/windows-bench/bench/dialog_redraw_bench.exe" "$grids")
fi

echo
echo "== Pictures drawn in process (bench/PictureBench.cpp); load $(load)"
"$bin/bench/picture_bench"

echo
echo "== In process (Google Benchmark); load $(load)"
TMPDIR=$folder "$bin/bench/mvg_bench" "$@"
echo "Load average after: $(load)"
