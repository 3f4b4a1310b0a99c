#!/usr/bin/env bash
# Builds the benchmarks in build/win64 and runs them under Wine in a
# virtual display (a few minutes: loading 10 MB into the edit control alone
# takes seconds). The editor benchmark's last lines are the ratios between
# the 10 MB and the 10 KB document.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$root/build/win64/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build/win64" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
fi
cmake --build "$root/build/win64" --target qm_colormemo_bench qm_find_bench -j2
# The search and word-wrap benchmark first (under a minute), then the editor's.
xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/bench/qm_find_bench.exe"
exec xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/bench/qm_colormemo_bench.exe" "$@"
