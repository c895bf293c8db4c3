#!/usr/bin/env bash
# The test command. Installs what is missing, then
#   1. builds the portable code natively with AddressSanitizer and
#      UndefinedBehaviorSanitizer (build/native) and runs its tests;
#      then the calculation job's tests again under ThreadSanitizer
#      (build/native-tsan), then each libFuzzer target briefly
#      (tools/fuzz.sh, build/fuzz);
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

# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
ondrix_wine_env "$root"
stop_wine() {
  if command -v wineserver >/dev/null 2>&1 && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
}
trap stop_wine EXIT
trap 'exit 130' INT TERM

# count_junit FILE: adds the totals of one ctest run, read from its JUnit
# report, to passed/failed: a test passed when CTest ran it and it passed
# (status "run"); one that failed, timed out or could not be run failed. A
# run that left no report or no test (it crashed) counts as one failure.
count_junit() {
  local total ran
  total=$(grep -c '<testcase ' "$1" 2>/dev/null)
  ran=$(grep -c '<testcase [^>]*status="run"' "$1" 2>/dev/null)
  if [ "${total:-0}" = 0 ]; then
    echo "ctest left no test results in $1" >&2
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + ran))
  failed=$((failed + total - ran))
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
  rm -f build/native/ctest-junit.xml
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build/native "${ctest_args[@]}" \
    --output-junit "$root/build/native/ctest-junit.xml" 2>&1 | tee build/native/ctest.log
  count_junit build/native/ctest-junit.xml
fi

# 1b. The calculation job's thread protocol (start, progress, completion,
# abort, failure) under ThreadSanitizer: only the job's tests are built.
echo "== native ThreadSanitizer build (build/native-tsan)"
mkdir -p build/native-tsan
if cmake -S "$root" -B build/native-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONDRIX_TSAN=ON \
  >build/native-tsan/configure.log 2>&1 &&
  cmake --build build/native-tsan --target job_core_tests -j "$jobs"; then
  echo "== native ThreadSanitizer tests"
  rm -f build/native-tsan/ctest-junit.xml
  TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/native-tsan -R '^job_core_tests$' \
    "${ctest_args[@]}" --output-junit "$root/build/native-tsan/ctest-junit.xml" 2>&1 |
    tee build/native-tsan/ctest.log
  count_junit build/native-tsan/ctest-junit.xml
else
  cat build/native-tsan/configure.log >&2
  echo "ThreadSanitizer build failed" >&2
  failed=$((failed + 1))
fi

# 1c. Fuzz smoke: every libFuzzer target a few seconds from its seeds
# (tools/fuzz.sh installs clang and libFuzzer). Each target counts as one
# test; a target that crashes fails, a run that finds nothing passes.
echo "== fuzz smoke"
fuzz_log=build/fuzz-smoke.log
mkdir -p build
bash tools/fuzz.sh "${ONDRIX_FUZZ_SMOKE_SECONDS:-10}" 2>&1 | tee "$fuzz_log"
fuzz_passed=$(grep -c '^fuzz: [a-z_0-9]*: ' "$fuzz_log")
fuzz_failed=$(grep -c '^fuzz: .*FAILED\|^fuzz: .*failed' "$fuzz_log")
passed=$((passed + fuzz_passed))
failed=$((failed + fuzz_failed))
[ "$fuzz_passed$fuzz_failed" = 00 ] && failed=$((failed + 1))

# 2. Windows, under Wine.
if configure_and_build windows build/windows \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release; then
  echo "== Windows tests (Wine)"
  rm -f build/windows/ctest-junit.xml
  xvfb-run -a bash tools/wine-ctest.sh build/windows "${ctest_args[@]}" \
    --output-junit "$root/build/windows/ctest-junit.xml" 2>&1 | tee build/windows/ctest.log
  count_junit build/windows/ctest-junit.xml
fi

elapsed=$((SECONDS - start_seconds))
echo "Took $((elapsed / 60)) min $((elapsed % 60)) s."
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
