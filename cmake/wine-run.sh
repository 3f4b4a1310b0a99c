#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's prefix settings:
# a prefix of its own (QM_WINEPREFIX, else inside the build tree next to the
# program), no debug chatter, no Mono or Gecko prompts, and window frames drawn
# by Wine itself so that a program's own caption painting shows. Windows are
# not handed to an X window manager (Managed=N): without one, as under Xvfb,
# Wine would wait two seconds for every window it hides.
set -euo pipefail
prog=$1
shift
if [ -z "${QM_WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$prog")" && pwd)
  while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ "$dir" = "/" ] && dir=$(cd "$(dirname "$prog")" && pwd)
  QM_WINEPREFIX="$dir/wineprefix"
fi
export WINEPREFIX=$QM_WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

if [ ! -f "$WINEPREFIX/.qm-ready-2" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.qm-ready-2" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null 2>&1
      wineserver -w || true
      touch "$WINEPREFIX/.qm-ready-2"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$prog" "$@"
