#!/usr/bin/env bash
# Makes the release for Windows users: builds quillmere.exe for 32-bit and
# for 64-bit Windows and packs each, without its debug information, with
# README.txt into
#   dist/quillmere-<version>-win32.zip   (the program for every Windows)
#   dist/quillmere-<version>-win64.zip
# <version> is the VERSION of project() in CMakeLists.txt. README.txt is made
# from resources/README.txt with CR LF line breaks; its lines that start with
# "TODO:" (sections still to be written) are left out, and said so.
# An exe that needs a DLL which Windows does not ship is refused.
#
# Usage: scripts/package.sh [--out DIR] [--win32-tree DIR] [--win64-tree DIR]
#   --out DIR         where the zips go (default: dist/ of the checkout)
#   --win32-tree DIR  the build trees to build quillmere.exe in (made when
#   --win64-tree DIR  missing; default: build/win32 and build/win64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/dist
declare -A trees=([win32]=$root/build/win32 [win64]=$root/build/win64)
while [ $# -gt 0 ]; do
  case $1 in
    --out) out=$2; shift 2 ;;
    --win32-tree) trees[win32]=$2; shift 2 ;;
    --win64-tree) trees[win64]=$2; shift 2 ;;
    -h|--help) sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "package.sh: unknown argument: $1 (see --help)" >&2; exit 2 ;;
  esac
done

version=$(sed -n 's/^project([A-Za-z0-9_]* VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt" | head -n 1)
if [ -z "$version" ]; then
  echo "package.sh: no project(... VERSION ...) in $root/CMakeLists.txt" >&2
  exit 1
fi

for tool in zip i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump; do
  if ! command -v "$tool" >/dev/null; then
    echo "package.sh: $tool is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done

# The DLLs every Windows ships that the program may import (lower case).
windows_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winspool.drv "

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# README.txt for users: CR LF line breaks, sections still marked TODO left out.
readme=$stage/README.txt
todo=$(grep -c '^TODO:' "$root/resources/README.txt" || true)
grep -v '^TODO:' "$root/resources/README.txt" | sed 's/\r$//; s/$/\r/' > "$readme"
if [ "$todo" -gt 0 ]; then
  echo "package.sh: README.txt: $todo section(s) still marked TODO in resources/README.txt, left out" >&2
fi

mkdir -p "$out"
out=$(cd "$out" && pwd)
for arch in win32 win64; do
  case $arch in
    win32) triple=i686-w64-mingw32; extra=(-DQM_BENCH=OFF) ;;
    win64) triple=x86_64-w64-mingw32; extra=() ;;
  esac
  tree=${trees[$arch]}
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" "${extra[@]}"
  fi
  cmake --build "$tree" -j"$(nproc 2>/dev/null || echo 2)" --target quillmere

  mkdir -p "$stage/$arch"
  exe=$stage/$arch/quillmere.exe
  "$triple-strip" --strip-debug -o "$exe" "$tree/quillmere.exe"
  bad=()
  while read -r dll; do
    case $windows_dlls in
      *" ${dll,,} "*) ;;
      *) bad+=("$dll") ;;
    esac
  done < <("$triple-objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [ ${#bad[@]} -gt 0 ]; then
    echo "package.sh: $tree/quillmere.exe needs DLLs that Windows does not ship: ${bad[*]}" >&2
    exit 1
  fi
  cp "$readme" "$stage/$arch/README.txt"

  zipfile=$out/quillmere-$version-$arch.zip
  rm -f "$zipfile"
  (cd "$stage/$arch" && zip -q -X "$zipfile" quillmere.exe README.txt)
  echo "$zipfile"
done
