#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit program and starts it under Wine,
# with the same prefix settings as the tests. An optional argument is a file to
# open; it is handed on as a Windows path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win64
args=()
if [ $# -gt 0 ]; then
  if [ -e "$1" ]; then
    # Wine shows the Linux root as drive Z:.
    full=$(realpath "$1")
    args=("Z:${full//\//\\}")
  else
    args=("$1")
  fi
fi
export QM_WINEPREFIX="$root/build/win64/wineprefix"
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: starting the editor inside a virtual one (xvfb-run)." >&2
  exec xvfb-run -a "$root/cmake/wine-run.sh" "$root/build/win64/quillmere.exe" "${args[@]}"
fi
exec "$root/cmake/wine-run.sh" "$root/build/win64/quillmere.exe" "${args[@]}"
