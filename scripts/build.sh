#!/usr/bin/env bash
# Configures and builds every build tree under build/:
#   build/win64   the 64-bit program and the Windows test programs (run under Wine)
#   build/win32   the 32-bit program that ships (built, not run here)
#   build/native  the window-free core with AddressSanitizer, UBSan and libFuzzer
# Usage: scripts/build.sh [win64|win32|native ...]   (default: all three)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
trees=("$@")
[ ${#trees[@]} -eq 0 ] && trees=(win64 win32 native)

configure() {
  local dir=$1; shift
  if [ ! -f "$root/build/$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/build/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
}

for tree in "${trees[@]}"; do
  case $tree in
    win64)
      configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
      cmake --build "$root/build/win64" -j"$jobs"
      ;;
    win32)
      configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" -DQM_BENCH=OFF
      cmake --build "$root/build/win32" -j"$jobs" --target quillmere
      ;;
    native)
      configure native -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQM_FUZZ=ON
      cmake --build "$root/build/native" -j"$jobs"
      ;;
    *) echo "unknown build tree: $tree" >&2; exit 2 ;;
  esac
done

# One ctest run over the trees that run tests here.
cat > "$root/build/CTestTestfile.cmake" <<'TXT'
# Made by scripts/build.sh: one ctest run over every tree that has tests here.
subdirs("native")
subdirs("win64")
TXT
