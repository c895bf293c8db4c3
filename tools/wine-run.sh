#!/usr/bin/env bash
# Runs a Windows executable under Wine; CTest calls it as the cross build's
# emulator. tools/test.sh sets WINEPREFIX to a prefix under build/ and keeps
# one persistent wineserver for the whole run, so each start here is cheap.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${WINEPREFIX:-$HOME/.ondrix-wine}
export WINEARCH=${WINEARCH:-win64}
# No .NET or HTML engine in the prefix: a fresh prefix would otherwise stop to
# offer installing them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
