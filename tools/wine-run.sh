#!/usr/bin/env bash
# Runs a Windows executable under Wine; CTest calls it as the cross build's
# emulator. tools/wine-ctest.sh prepares the prefix and keeps one persistent
# wineserver for the whole run, so each start here is cheap. The environment
# and the prefix are those of every tool (tools/wine-env.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
ondrix_wine_env "$root"
exec wine "$@"
