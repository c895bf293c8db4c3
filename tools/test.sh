#!/usr/bin/env bash
# The test command. Installs what is missing, then
#   1. builds the portable code natively with AddressSanitizer and
#      UndefinedBehaviorSanitizer (build/native) and runs its tests;
#   2. cross-builds everything for Windows with MinGW-w64 (build/windows) and
#      runs those tests under Wine, in a virtual display.
# Ends with the line "N passed, N failed" over both runs; the exit status is
# non-zero when anything failed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=tools/install-deps.sh
source tools/install-deps.sh

start_seconds=$SECONDS
jobs=2
passed=0
failed=0

export WINEPREFIX="$root/build/wine-prefix"
export WINEDEBUG=-all
stop_wine() {
  if command -v wineserver >/dev/null 2>&1 && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
}
trap stop_wine EXIT
trap 'exit 130' INT TERM

# count_ctest LOG: adds the totals of one ctest run to passed/failed; a run
# that printed no totals (it crashed or found no test) counts as one failure.
count_ctest() {
  local totals
  totals=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -n 1)
  if [ -z "$totals" ]; then
    echo "ctest printed no totals (see $1)" >&2
    failed=$((failed + 1))
    return
  fi
  local f=${totals% *} total=${totals#* }
  passed=$((passed + total - f))
  failed=$((failed + f))
}

# configure_and_build NAME BUILD_DIR CMAKE_ARGS...: a failure counts as one
# failed test, so the summary never hides it.
configure_and_build() {
  local name=$1 dir=$2
  shift 2
  echo "== $name build ($dir)"
  mkdir -p "$dir"
  if ! cmake -S "$root" -B "$dir" "$@" >"$dir/configure.log" 2>&1; then
    cat "$dir/configure.log" >&2
    echo "$name: configuring failed" >&2
    failed=$((failed + 1))
    return 1
  fi
  if ! cmake --build "$dir" -j "$jobs"; then
    echo "$name: build failed" >&2
    failed=$((failed + 1))
    return 1
  fi
}

ctest_args=(--output-on-failure --no-tests=error --timeout 600)

if ! ondrix_install_packages make cmake g++ libgtest-dev googletest \
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth; then
  echo "0 passed, 1 failed"
  exit 1
fi

# 1. Native, sanitized.
if configure_and_build native build/native \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONDRIX_SANITIZE=ON; then
  echo "== native tests"
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build/native "${ctest_args[@]}" \
    2>&1 | tee build/native/ctest.log
  count_ctest build/native/ctest.log
fi

# 2. Windows, under Wine.
if configure_and_build windows build/windows \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release; then
  echo "== Windows tests (Wine)"
  xvfb-run -a bash tools/wine-ctest.sh build/windows "${ctest_args[@]}" \
    2>&1 | tee build/windows/ctest.log
  count_ctest build/windows/ctest.log
fi

elapsed=$((SECONDS - start_seconds))
echo "Took $((elapsed / 60)) min $((elapsed % 60)) s."
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
