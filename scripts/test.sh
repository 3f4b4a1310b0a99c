#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test: the native
# core tests with the sanitizers, the fuzz target for a bounded time, and the
# Windows test programs under Wine inside a virtual X display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest -j2 --output-on-failure "$@"
