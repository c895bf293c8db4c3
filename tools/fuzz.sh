#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) natively with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer (build/fuzz) and runs each
# one in turn from its committed seed corpus (fuzz/corpus/NAME).
#
#   bash tools/fuzz.sh [SECONDS]      each target for SECONDS (default 60)
#   bash tools/fuzz.sh --runs N       each target for N executions
#   ONDRIX_FUZZ_TARGETS="a b" ...     only these targets
#
# New inputs a run finds go to build/fuzz/corpus/NAME, never into the
# repository; a crash leaves its input in build/fuzz/artifacts/ and the run
# fails. Prints one line per target with its executions, time and rate, and
# exits non-zero when a target crashed or broke one of its properties.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=tools/install-deps.sh
source tools/install-deps.sh

seconds=60
runs=-1
if [ "${1:-}" = "--runs" ]; then
  runs=${2:?--runs needs a count}
  seconds=0
elif [ -n "${1:-}" ]; then
  seconds=$1
fi

if ! ondrix_install_packages make cmake clang-14 libfuzzer-14-dev; then
  echo "fuzz: could not install clang-14 and libfuzzer-14-dev" >&2
  exit 1
fi

build=build/fuzz
mkdir -p "$build"
if ! cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DONDRIX_FUZZ=ON -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  >"$build/configure.log" 2>&1; then
  cat "$build/configure.log" >&2
  echo "fuzz: configuring failed" >&2
  exit 1
fi
if ! cmake --build "$build" --target ondrix_fuzzers -j 2 >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log" >&2
  echo "fuzz: build failed" >&2
  exit 1
fi

targets=${ONDRIX_FUZZ_TARGETS:-$(cat "$build/fuzzers.txt")}
failed=0
mkdir -p "$build/artifacts"
for target in $targets; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/$target.log"
  limits=(-max_total_time="$seconds")
  [ "$runs" != -1 ] && limits=(-runs="$runs")
  # -timeout: one input taking seconds is a hang to report, not to wait out.
  "$build/fuzz/$target" "${limits[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" "$corpus" "fuzz/corpus/$target" \
    >"$log" 2>&1
  status=$?
  done_line=$(grep -E '^Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1)
  if [ "$status" = 0 ]; then
    echo "fuzz: $target: ${done_line:-finished} (corpus $(find "$corpus" -type f | wc -l) inputs)"
  else
    failed=$((failed + 1))
    echo "fuzz: $target FAILED (exit $status); log $log" >&2
    grep -E 'ERROR|SUMMARY|property broken|runtime error|Test unit written' "$log" | head -n 20 >&2
  fi
done
[ "$failed" = 0 ]
