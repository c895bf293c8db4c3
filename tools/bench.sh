#!/usr/bin/env bash
# Builds the native benchmarks and runs them: first Google Benchmark over
# every checksum type (memory and page-cached file), then the table of our
# engines against established libraries.
#
# Usage: bash tools/bench.sh [Google Benchmark flags...]
#        bash tools/bench.sh --end-to-end   (bench/end_to_end.sh: ondrix-sum
#                                            on a cached file against the
#                                            command-line tools, and the
#                                            window's worker and the Windows
#                                            build under Wine against it)
#   ONDRIX_BENCH_BUILD  build folder (default: build/bench)
#   ONDRIX_PEER_REPS    timed runs per implementation in the table (default 7)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ONDRIX_BENCH_BUILD:-$root/build/bench}
reps=${ONDRIX_PEER_REPS:-7}

# The benchmark framework and the peer libraries; only the bench targets use
# them. End to end: the command-line peers and the timing tools.
packages=(libbenchmark-dev libssl-dev libgcrypt20-dev librhash-dev zlib1g-dev libisal-dev
          libmhash-dev)
if [[ ${1:-} == --end-to-end ]]; then
  packages=(openssl coreutils rhash hyperfine jq)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "bench.sh: missing packages, install them as root: ${missing[*]}" >&2
    exit 1
  fi
  echo "bench.sh: installing ${missing[*]}"
  # Package lists may be absent on a fresh machine; fetch them only then.
  apt-get install -y "${missing[@]}" || { apt-get update && apt-get install -y "${missing[@]}"; }
fi

cmake -S "$root" -B "$build" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DONDRIX_BENCH=ON \
  -DBUILD_TESTING=OFF
if [[ ${1:-} == --end-to-end ]]; then
  cmake --build "$build" -j2 --target ondrix-sum ondrix_job_speed
  # The Windows build of the same two, when MinGW and Wine are installed
  # (tools/test.sh installs them).
  if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null; then
    win_build=${ONDRIX_BENCH_WINDOWS_BUILD:-$root/build/bench-windows}
    cmake -S "$root" -B "$win_build" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DONDRIX_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$win_build" -j2 --target ondrix-sum ondrix_job_speed
    export ONDRIX_E2E_WINE_EXE=$win_build/sum/ondrix-sum.exe
    export ONDRIX_E2E_WINE_JOB=$win_build/bench/ondrix_job_speed.exe
    # shellcheck source=tools/wine-env.sh
    source "$root/tools/wine-env.sh"
    ondrix_wine_env "$root"
    ondrix_wine_prefix_ready "$root"
  fi
  echo "== $(lscpu | sed -n 's/^Model name:[[:space:]]*//p'), $(nproc) cores, $(date -u +%F)"
  exec bash "$root/bench/end_to_end.sh" "$build/sum/ondrix-sum" "$build/bench/ondrix_job_speed"
fi
cmake --build "$build" -j2 --target ondrix_engines_bench ondrix_peers

echo
echo "== $(lscpu | sed -n 's/^Model name:[[:space:]]*//p'), $(nproc) cores, $(date -u +%F)"
echo
"$build/bench/ondrix_engines_bench" "$@"
echo
"$build/bench/ondrix_peers" "$reps"
