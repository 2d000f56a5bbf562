#!/usr/bin/env bash
# The benchmark (make bench [SIZE=1.5e9] [SMALL=100000]): builds two trees,
# kept for the next run of the same size: the mixed tree of
# ../shared/perf/make_corpus.py (SIZE bytes) in build/corpus, and SMALL files
# of 1-64 bytes (bench/make_small_tree.py) in build/corpus-small. On each it
# measures, with a warm cache and in one run, Vellaro's whole search under
# Wine and the Wine floor, the native run of the core and jdupes, fdupes,
# rdfind and rmlint, checks that all find the same groups, and prints the
# table (also in build/bench/out/*/table.md); as root it measures Vellaro and
# the floor on the mixed tree with a cold cache too. Then it measures the deletion
# of ticked lines, for good and into the Recycle Bin, against a bare Wine
# loop making the same file-system calls, and the replacement of the same
# files by hard links against their deletion for good, for each
# LINES:TICKED of $DELETE (default "10000:6000 100000:30000"; empty leaves
# it out). Then it times
# the triage of 100,000 lines: each rule with the ticked total, a tick, and
# saving the list. Last, after a search of $RESPONSIVE small files (default
# 1,000,000; empty leaves it out), the longest time the main window leaves
# another program's question unanswered from the close of the time message
# until the result is shown; that tree is deleted afterwards.
#   scripts/bench.sh [SIZE [SMALL]]   SIZE as make_corpus.py takes it: 1.5e9,
#                                     50M, ...; SMALL 0 leaves that tree out
# BENCH_REPS=N sets the repetitions of each measure (the median counts; 5).
# LOAD=1 keeps one core busy with a spinning process while everything is
# measured, as another program would; it is stopped by its pid at the end.
# Runs the Windows build chosen for this machine (scripts/wine-build.sh),
# which make bench builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
size=${1:-1500000000}
small=${2:-100000}

source scripts/wine-build.sh
for exe in vellaro drive_vellaro wine_floor wine_delete_floor answer_probe; do
  [ -x "build/$VELLARO_WINE/$exe.exe" ] || { echo "build/$VELLARO_WINE/$exe.exe is missing: make $VELLARO_WINE" >&2; exit 1; }
done

# The native core without sanitizers, optimised, for timing.
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVELLARO_SANITIZE=OFF >/dev/null
cmake --build build/bench --target vellaro_native_bench -j2 >/dev/null

trees=("")
python3 scripts/bench_run.py corpus "$size"
if [ "${LOAD:-0}" != 0 ]; then
  bash -c 'while :; do :; done' &
  spinner=$!
  trap 'kill "$spinner" 2>/dev/null' EXIT
  echo "a spinning process (pid $spinner) keeps one core busy while measuring"
fi
if [ "$small" != 0 ]; then
  python3 scripts/bench_run.py corpus --small "$small"
  trees+=(--small)
fi

# A Wine prefix of the benchmark's own, so that nothing else running Wine
# here shares its server (or stops it).
export WINEPREFIX=$root/build/bench-wine/prefix-$VELLARO_WINE
export VELLARO_HOME=$root/build/bench-wine/home
for tree in "${trees[@]}"; do
  echo "measuring ${tree:+the small files }(each program ${BENCH_REPS:-5} times) ..."
  scripts/with-wine.sh python3 scripts/bench_run.py measure $tree --reps "${BENCH_REPS:-5}"
done
# Cold, as a user meets a disk not read for a while: the page cache dropped
# before every run, which needs root.
if [ "$(id -u)" -eq 0 ]; then
  echo "measuring with a cold cache (Vellaro and the floor, each ${BENCH_REPS:-5} times) ..."
  scripts/with-wine.sh python3 scripts/bench_run.py measure --cold --only vellaro,floor --reps "${BENCH_REPS:-5}"
else
  echo "not measuring with a cold cache: dropping the page cache needs root"
fi
for out in corpus corpus-cold corpus-small; do
  [ -f "build/bench/out/$out/results.json" ] || continue
  echo
  python3 scripts/bench_table.py "build/bench/out/$out/results.json"
done
for size in ${DELETE-10000:6000 100000:30000}; do
  echo
  echo "measuring the deletion of ${size#*:} of ${size%:*} lines (${BENCH_DELETE_REPS:-3} times) ..."
  scripts/with-wine.sh python3 scripts/bench_run.py delete "${size%:*}" "${size#*:}" --reps "${BENCH_DELETE_REPS:-3}"
done
echo
echo "measuring the triage of 100,000 lines ..."
scripts/with-wine.sh bash -c '"$WINE" "build/$VELLARO_WINE/triage_bench.exe"'
responsive=${RESPONSIVE-1000000}
if [ -n "$responsive" ] && [ "$responsive" != 0 ]; then
  echo
  echo "measuring the main window's answers after a search of $responsive files ..."
  scripts/with-wine.sh python3 scripts/bench_run.py responsive "$responsive"
fi
