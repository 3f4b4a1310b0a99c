#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's prefix settings:
# a prefix of its own (QM_WINEPREFIX, else inside the build tree next to the
# program), no debug chatter, no Mono or Gecko prompts, and window frames drawn
# by Wine itself so that a program's own caption painting shows. Windows are
# not handed to an X window manager (Managed=N): without one, as under Xvfb,
# Wine would wait two seconds for every window it hides. Wine draws the frame
# buttons with its Marlett font, which a prefix does not find in Wine's own
# font folder (captions then show the letters "0 1 r"): the prefix gets a copy.
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

if [ ! -f "$WINEPREFIX/.qm-ready-3" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.qm-ready-3" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null 2>&1
      marlett=""
      for f in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf \
               $(dpkg -L fonts-wine 2>/dev/null | grep -i '/marlett\.ttf$' || true); do
        if [ -f "$f" ]; then marlett=$f; break; fi
      done
      if [ -z "$marlett" ]; then
        echo "wine-run.sh: marlett.ttf not found (install fonts-wine)" >&2
        exit 1
      fi
      mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
      cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
      wineserver -w || true
      touch "$WINEPREFIX/.qm-ready-3"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$prog" "$@"
