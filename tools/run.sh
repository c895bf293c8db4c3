#!/usr/bin/env bash
# run.sh [FILE]: builds ondrix.exe (MinGW-w64, Release, build/windows-release)
# and starts it under Wine, on FILE when one is given.
#   - With a usable X display the window opens there and the script waits
#     until it is closed.
#   - Without one (a server, CI) the program runs on a virtual display; after
#     a few seconds the script saves a screenshot of the screen, prints its
#     path, and ends the program.
# run.sh --sum [-t TYPE] FILE...: builds the console companion ondrix-sum
# natively instead and prints each file's checksum line.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/install-deps.sh
source "$root/tools/install-deps.sh"

# build_or_die DIR TARGET CMAKE_ARGS...: build chatter goes to a log, so the
# terminal shows only what the program says.
build_or_die() {
  local dir=$1 target=$2
  shift 2
  mkdir -p "$dir"
  if ! { cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$@" &&
    cmake --build "$dir" -j 2 --target "$target"; } >"$dir/build.log" 2>&1; then
    cat "$dir/build.log" >&2
    echo "Building $target failed." >&2
    exit 1
  fi
}

if [ "${1:-}" = "--sum" ]; then
  shift
  ondrix_install_packages make cmake g++
  build_or_die "$root/build/release" ondrix-sum
  exec "$root/build/release/sum/ondrix-sum" "$@"
fi

if [ $# -gt 1 ]; then
  echo "usage: tools/run.sh [FILE]   (or: tools/run.sh --sum [-t TYPE] FILE...)" >&2
  exit 2
fi
if [ $# -eq 1 ] && [ ! -e "$1" ]; then
  # The program reports a missing file itself; say it here too, since
  # without a display the message box is only seen in the screenshot.
  echo "note: $1 does not exist; the program will say so" >&2
fi

ondrix_install_packages make cmake g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth \
  imagemagick x11-utils
build="$root/build/windows-release"
build_or_die "$build" ondrix -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
exe="$build/startup/ondrix.exe"

# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
ondrix_wine_env "$root"
ondrix_wine_prefix_ready "$root"

args=()
if [ $# -eq 1 ]; then
  args=("$(winepath -w "$(realpath -m "$1")")")
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe" "${args[@]}"
fi

# No display: a virtual one, a screenshot, then the end of the program.
display_number=${ONDRIX_DISPLAY_NUMBER:-97}
while [ -e "/tmp/.X${display_number}-lock" ]; do display_number=$((display_number + 1)); done
Xvfb ":$display_number" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$display_number"
sleep 1
# Without a window manager Wine draws the window frames itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true

wine "$exe" "${args[@]}" >/dev/null 2>&1 &
# A fresh Wine prefix takes a while to start its services: wait until the
# window exists, then give a calculation a moment to finish.
for _ in $(seq 1 120); do
  xwininfo -root -tree 2>/dev/null | grep -q 'Ondrix' && break
  sleep 0.5
done
sleep "${ONDRIX_SCREENSHOT_DELAY:-3}"
mkdir -p "$root/build/screenshots"
shot="$root/build/screenshots/ondrix-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
convert "$shot" -trim +repage "$shot"
echo "No display: ran on a virtual one. Screenshot: $shot"
