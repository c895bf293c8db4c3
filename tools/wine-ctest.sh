#!/usr/bin/env bash
# wine-ctest.sh BUILD_DIR [CTEST_ARGS...]: runs the Windows build's tests
# under Wine. Run it inside a display, e.g. `xvfb-run -a bash tools/wine-ctest.sh
# build/windows`. The environment and the prefix are those of every tool
# (tools/wine-env.sh); a missing or half-made prefix is created anew.
#
# One persistent wineserver serves the whole run: each test executable then
# starts in a fraction of a second instead of seconds.
set -uo pipefail
build_dir=$1
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
ondrix_wine_env "$root"
ondrix_wine_prefix_ready "$root" || exit 1

trap 'wineserver -k >/dev/null 2>&1' EXIT
wineserver -p >/dev/null 2>&1 </dev/null
# Start Wine's own services and desktop now, away from CTest: a process that
# outlives a test and still holds the test's output pipe would make CTest
# wait for it for ever.
wine cmd.exe /c exit >/dev/null 2>&1 </dev/null

ctest --test-dir "$build_dir" "$@"
