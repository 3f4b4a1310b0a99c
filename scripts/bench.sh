#!/usr/bin/env bash
# Builds the benchmarks in build/win64 and runs them under Wine in a virtual
# display (a few minutes each: loading 10 MB into the edit control alone
# takes seconds):
#   - the editor benchmark; its last lines are the ratios between the 10 MB
#     and the 10 KB document;
#   - the print benchmark, on a cups-pdf printer that this script starts
#     (scripts/print-server.sh) and takes away again afterwards.
# Usage: scripts/bench.sh [editor|print]   (default: both)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-all}
if [ ! -f "$root/build/win64/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build/win64" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
fi
if [ "$which" = all ] || [ "$which" = editor ]; then
  cmake --build "$root/build/win64" --target qm_colormemo_bench -j2
  xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/bench/qm_colormemo_bench.exe"
fi
if [ "$which" = all ] || [ "$which" = print ]; then
  cmake --build "$root/build/win64" --target qm_print_bench -j2
  state="$root/build/win64/print-bench"
  trap '"$root/scripts/print-server.sh" stop "$state"' EXIT
  "$root/scripts/print-server.sh" start "$state"
  "$root/scripts/print-server.sh" add "$state" PDF default
  xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/bench/qm_print_bench.exe"
fi
