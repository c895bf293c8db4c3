#!/usr/bin/env bash
# Screenshots of the main window in both layouts and of the checksum type
# chooser (a start with a file while the default action is "ask"), at 96 and
# 144 DPI, taken under Wine on a virtual display:
#   tools/screenshots.sh [path/to/ondrix.exe] [output folder]
# SCREENSHOT_MODES picks some of "normal mini chooser" (default: all).
# Defaults: build/startup/ondrix.exe and docs/screenshots. Needs wine, Xvfb
# and ImageMagick (import, convert). Runs in the tools' Wine prefix
# (tools/wine-env.sh), on its own display (DISPLAY_NUMBER, default 91); the
# prefix's DPI is set back to 96 when the script ends.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$root/build/startup/ondrix.exe}
out=${2:-$root/docs/screenshots}
display=:${DISPLAY_NUMBER:-91}
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
ondrix_wine_env "$root"

[[ -f $exe ]] || { echo "no program at $exe" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)

Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
sleep 1
export DISPLAY=$display

ondrix_wine_prefix_ready "$root"
# No window manager runs on the virtual display: let Wine draw the frames.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1

shot() {  # dpi mode
  local dpi=$1 mode=$2 miniform=0 args=()
  [[ $mode == mini ]] && miniform=1
  wineserver -k 2>/dev/null || true
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -p 2>/dev/null || true
  cp "$exe" "$work/ondrix.exe"
  printf '[Settings]\r\nMiniform=%s\r\nCheckForUpdate=0\r\n' "$miniform" >"$work/ondrix.ini"
  if [[ $mode == chooser ]]; then
    # The chooser waits for a pick before the main window shows.
    printf 'ShellDefaultAction=ask\r\n' >>"$work/ondrix.ini"
    printf 'abc' >"$work/sample.txt"
    args=(sample.txt)
  fi
  (cd "$work" && wine ondrix.exe "${args[@]}" >/dev/null 2>&1) &
  local pid=$!
  sleep "${SCREENSHOT_WAIT:-6}"
  import -window root "$work/root.png"
  convert "$work/root.png" -trim +repage "$out/$mode-$dpi.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$out/$mode-$dpi.png"
}

# The update check's notice panel and the About window, drawn by the test
# build's ui_screenshots.exe (it scripts the window: no network, no keys).
panels=${PANELS_EXE:-$root/build/windows/tests/ui/ui_screenshots.exe}
panel_shots() {  # dpi
  local dpi=$1
  wineserver -k 2>/dev/null || true
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -p 2>/dev/null || true
  (cd "$work" && wine "$panels" "$(winepath -w "$work")" "$dpi" >/dev/null 2>&1)
  for name in notice about; do
    if [[ -f $work/$name-$dpi.bmp ]]; then
      convert "$work/$name-$dpi.bmp" "$out/$name-$dpi.png"
      echo "$out/$name-$dpi.png"
    else
      echo "no $name picture at $dpi DPI" >&2
    fi
  done
}

if [[ ${PANELS_ONLY:-0} != 1 ]]; then
  for dpi in 96 144; do
    for mode in ${SCREENSHOT_MODES:-normal mini chooser}; do
      shot "$dpi" "$mode"
    done
  done
fi
if [[ -f $panels ]]; then
  for dpi in 96 144; do
    panel_shots "$dpi"
  done
else
  echo "no $panels: build the Windows tests for the notice panel and About pictures" >&2
fi
