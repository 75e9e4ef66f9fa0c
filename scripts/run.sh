#!/usr/bin/env bash
# Installs the dependencies, builds and starts Tessaro on the demo data directory
# (demo-data/ of this checkout, or $TESSARO_DEMO_DIR). With arguments it runs a
# headless command instead: scripts/run.sh --help lists them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSARO_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [ $# -gt 0 ]; then
  exec "$build/tessaro" "$@"
fi
demo=${TESSARO_DEMO_DIR:-$root/demo-data}
# The demo register is made on first use; afterwards the directory is only validated.
# Either way it becomes the directory the program opens at start.
if [ ! -e "$demo/tessaro.sqlite" ]; then
  "$build/tessaro" demo "$demo"
fi
"$build/tessaro" init --remember "$demo"
exec "$build/tessaro"
