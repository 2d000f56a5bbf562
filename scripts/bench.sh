#!/usr/bin/env bash
# The benchmark (make bench [SIZE=1.5e9]): builds the benchmark tree with
# ../shared/perf/make_corpus.py into build/corpus (kept for the next run of
# the same size), then measures, with a warm cache and in one run, Vellaro's
# whole search under Wine and the Wine floor, the native run of the core and
# jdupes, fdupes, rdfind and rmlint, checks that all find the same groups,
# and prints the table (also in build/bench/out/table.md).
#   scripts/bench.sh [SIZE]    SIZE as make_corpus.py takes it: 1.5e9, 50M, ...
# BENCH_REPS=N sets the repetitions of each measure (the best counts; 3).
# Runs the Windows build chosen for this machine (scripts/wine-build.sh),
# which make bench builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
size=${1:-1500000000}

source scripts/wine-build.sh
for exe in vellaro drive_vellaro wine_floor; do
  [ -x "build/$VELLARO_WINE/$exe.exe" ] || { echo "build/$VELLARO_WINE/$exe.exe is missing: make $VELLARO_WINE" >&2; exit 1; }
done

# The native core without sanitizers, optimised, for timing.
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVELLARO_SANITIZE=OFF >/dev/null
cmake --build build/bench --target vellaro_native_bench -j2 >/dev/null

python3 scripts/bench_run.py corpus "$size"

# A Wine prefix of the benchmark's own, so that nothing else running Wine
# here shares its server (or stops it).
export WINEPREFIX=$root/build/bench-wine/prefix-$VELLARO_WINE
export VELLARO_HOME=$root/build/bench-wine/home
echo "measuring (each program ${BENCH_REPS:-3} times) ..."
scripts/with-wine.sh python3 scripts/bench_run.py measure --reps "${BENCH_REPS:-3}"
echo
python3 scripts/bench_table.py
