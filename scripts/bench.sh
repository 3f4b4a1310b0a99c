#!/usr/bin/env bash
# Builds the benchmarks in build/win64 and runs them under Wine in a virtual
# display (a few minutes: loading 10 MB into the edit control alone takes
# seconds):
#   - the search and word-wrap benchmark, then the editor benchmark, whose
#     last lines are what colouring adds per document size, the minified
#     page's long line against its short one, and opening 10 MB against the
#     bare control; then typing into 10 MB with the recovery journal;
#   - the print benchmark, on a cups-pdf printer that this script starts
#     (scripts/print-server.sh) and takes away again afterwards.
# Usage: scripts/bench.sh [editor|print]   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-all}
if [ ! -f "$root/build/win64/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build/win64" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
fi
if [ "$which" = all ] || [ "$which" = editor ]; then
  cmake --build "$root/build/win64" --target qm_colormemo_bench qm_find_bench qm_journal_bench -j2
  # The search and word-wrap benchmark first (under a minute), then the editor's.
  xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/bench/qm_find_bench.exe"
  xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/bench/qm_colormemo_bench.exe"
  # Typing into 10 MB with the recovery journal on and off (about a minute).
  xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/bench/qm_journal_bench.exe"
fi
if [ "$which" = all ] || [ "$which" = print ]; then
  cmake --build "$root/build/win64" --target qm_print_bench -j2
  state="$root/build/win64/print-bench"
  trap '"$root/scripts/print-server.sh" stop "$state"' EXIT
  "$root/scripts/print-server.sh" start "$state"
  "$root/scripts/print-server.sh" add "$state" PDF default
  xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/bench/qm_print_bench.exe"
fi
