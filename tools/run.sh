#!/usr/bin/env bash
# run.sh [-t TYPE] FILE...: builds ondrix-sum (Release, build/release) and
# prints the checksum line of each FILE. Any arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/install-deps.sh
source "$root/tools/install-deps.sh"
ondrix_install_packages make cmake g++

build="$root/build/release"
program="$build/sum/ondrix-sum"

# Build chatter goes to a log, so standard output holds only the program's.
mkdir -p "$build"
if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
  cmake --build "$build" -j 2 --target ondrix-sum; } >"$build/build.log" 2>&1; then
  cat "$build/build.log" >&2
  echo "Building ondrix-sum failed." >&2
  exit 1
fi

exec "$program" "$@"
