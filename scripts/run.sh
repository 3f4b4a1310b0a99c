#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit program and starts it under Wine,
# with the same prefix settings as the tests.
#
# Quillmere keeps its settings (quillmere.ini) and the template of new
# documents (temp.htm) in the folder it is started in. This script starts it
# in a folder of its own for them, ~/.quillmere (made if missing), or in the
# folder given with --config-dir, and says which.
#
# Usage: scripts/run.sh [--config-dir DIR] [file.htm]
#   An optional file to open is handed on as a Windows path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config_dir=${HOME:-/root}/.quillmere
args=()
while [ $# -gt 0 ]; do
  case $1 in
    --config-dir)
      [ $# -ge 2 ] || { echo "run.sh: --config-dir needs a folder" >&2; exit 2; }
      config_dir=$2; shift 2 ;;
    --config-dir=*) config_dir=${1#*=}; shift ;;
    -h|--help) sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *)
      if [ ${#args[@]} -gt 0 ]; then
        echo "run.sh: only one file can be given (see --help)" >&2
        exit 2
      fi
      if [ -e "$1" ]; then
        # Wine shows the Linux root as drive Z:.
        full=$(realpath "$1")
        args=("Z:${full//\//\\}")
      else
        args=("$1")
      fi
      shift ;;
  esac
done

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win64

mkdir -p "$config_dir"
config_dir=$(cd "$config_dir" && pwd)
echo "Quillmere keeps its settings (quillmere.ini, temp.htm) in $config_dir" \
     "(another folder: scripts/run.sh --config-dir DIR)." >&2
cd "$config_dir"

export QM_WINEPREFIX="$root/build/win64/wineprefix"
exe=$root/build/win64/quillmere.exe
if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'TXT'
No X display (DISPLAY is not set): the editor runs inside a virtual display
(Xvfb), so its window is INVISIBLE. To see it, run this script in a desktop
session, or set DISPLAY to a display you can see (for example DISPLAY=:0).
To look at the invisible window, take a screenshot from another shell with
the command below (import is in Debian's imagemagick package):
TXT
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
    'echo "  DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY import -window root shot.png" >&2; exec "$@"' \
    run.sh "$root/cmake/wine-run.sh" "$exe" "${args[@]}"
fi
exec "$root/cmake/wine-run.sh" "$exe" "${args[@]}"
