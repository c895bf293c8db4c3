#!/usr/bin/env bash
# wine-ctest.sh BUILD_DIR [CTEST_ARGS...]: runs the Windows build's tests
# under Wine. Run it inside a display, e.g. `xvfb-run -a bash tools/wine-ctest.sh
# build/windows`. The prefix is WINEPREFIX when it lies under the repository's
# build/ folder, build/wine-prefix otherwise (tools/wine-prefix.sh); a
# missing or half-made prefix there is created anew.
#
# One persistent wineserver serves the whole run: each test executable then
# starts in a fraction of a second instead of seconds.
set -uo pipefail
build_dir=$1
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/wine-prefix.sh
source "$root/tools/wine-prefix.sh"
ondrix_use_wine_prefix "$root"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=${WINEARCH:-win64}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

if [ ! -e "$WINEPREFIX/.ondrix-initialised" ]; then
  echo "Creating the Wine prefix $WINEPREFIX ..."
  # Only ever a prefix under build/ (ondrix_use_wine_prefix saw to that).
  ondrix_inside_build "$(realpath -m "$root/build")" "$WINEPREFIX" || exit 1
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  if ! wineboot -i >"$WINEPREFIX.log" 2>&1 </dev/null; then
    cat "$WINEPREFIX.log" >&2
    exit 1
  fi
  wineserver -w
  touch "$WINEPREFIX/.ondrix-initialised"
fi

trap 'wineserver -k >/dev/null 2>&1' EXIT
wineserver -p >/dev/null 2>&1 </dev/null
# Start Wine's own services and desktop now, away from CTest: a process that
# outlives a test and still holds the test's output pipe would make CTest
# wait for it for ever.
wine cmd.exe /c exit >/dev/null 2>&1 </dev/null

ctest --test-dir "$build_dir" "$@"
