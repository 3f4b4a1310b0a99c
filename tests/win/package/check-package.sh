#!/usr/bin/env bash
# Makes the release with scripts/package.sh from build trees that are already
# built and checks what a Windows user gets: each zip holds exactly
# quillmere.exe and README.txt; README.txt has CR LF line breaks and says
# where the settings live; each exe is of its kind (PE32 for Intel 80386,
# PE32+ for x86-64) and imports only DLLs that Windows ships. The zips are
# left unpacked in OUT/win32 and OUT/win64.
# Usage: check-package.sh SOURCE_DIR WIN32_TREE WIN64_TREE OUT
set -euo pipefail
src=$1 win32_tree=$2 win64_tree=$3 out=$4
rm -rf "$out"
mkdir -p "$out"
"$src/scripts/package.sh" --out "$out" --win32-tree "$win32_tree" --win64-tree "$win64_tree" >"$out/package.log" 2>&1 ||
  { cat "$out/package.log"; echo "FAIL: package.sh"; exit 1; }

version=$(sed -n 's/^project([A-Za-z0-9_]* VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

windows_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winspool.drv "

for arch in win32 win64; do
  zipfile=$out/quillmere-$version-$arch.zip
  [ -f "$zipfile" ] || { fail "no $zipfile"; continue; }
  names=$(unzip -Z1 "$zipfile" | sort | tr '\n' ' ')
  [ "$names" = "README.txt quillmere.exe " ] || fail "$arch zip holds: $names"
  unzip -q -o "$zipfile" -d "$out/$arch"

  readme=$out/$arch/README.txt
  if LC_ALL=C grep -q $'[^\r]$' "$readme" || LC_ALL=C grep -q $'^$' "$readme"; then
    fail "$arch README.txt has a line break that is not CR LF"
  fi
  for phrase in quillmere.ini temp.htm '"Start in"'; do
    grep -qF "$phrase" "$readme" || fail "$arch README.txt does not mention $phrase"
  done

  case $arch in
    win32) objdump=i686-w64-mingw32-objdump magic='(PE32)' machine='architecture: i386,' ;;
    win64) objdump=x86_64-w64-mingw32-objdump magic='(PE32+)' machine='architecture: i386:x86-64,' ;;
  esac
  exe=$out/$arch/quillmere.exe
  headers=$("$objdump" -p "$exe")
  grep -qF "$magic" <<<"$headers" || fail "$arch quillmere.exe is not $magic"
  grep -qF "$machine" <<<"$("$objdump" -f "$exe")" || fail "$arch quillmere.exe: not $machine"
  dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
  [ -n "$dlls" ] || fail "$arch quillmere.exe imports nothing (objdump read no imports)"
  for dll in $dlls; do
    case $windows_dlls in
      *" ${dll,,} "*) ;;
      *) fail "$arch quillmere.exe needs $dll, which Windows does not ship" ;;
    esac
  done
done

[ "$failures" -eq 0 ] || exit 1
echo "release zips of $version: contents, README.txt and imports as they should be"
