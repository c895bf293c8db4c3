#!/usr/bin/env bash
# Runs a Windows executable under Wine; CTest calls it as the cross build's
# emulator. tools/wine-ctest.sh sets WINEPREFIX to a prefix under build/ and
# keeps one persistent wineserver for the whole run, so each start here is
# cheap. A WINEPREFIX outside build/ is not used (tools/wine-prefix.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/wine-prefix.sh
source "$root/tools/wine-prefix.sh"
ondrix_use_wine_prefix "$root"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=${WINEARCH:-win64}
# No .NET or HTML engine in the prefix: a fresh prefix would otherwise stop to
# offer installing them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
