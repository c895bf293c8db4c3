#!/usr/bin/env bash
# Builds the native benchmarks and runs them: first Google Benchmark over
# every checksum type (memory and page-cached file), then the table of our
# engines against established libraries.
#
# Usage: bash tools/bench.sh [Google Benchmark flags...]
#        bash tools/bench.sh --end-to-end   (bench/end_to_end.sh: ondrix-sum
#                                            on a cached file against the
#                                            command-line tools)
#   ONDRIX_BENCH_BUILD  build folder (default: build/bench)
#   ONDRIX_PEER_REPS    timed runs per implementation in the table (default 7)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ONDRIX_BENCH_BUILD:-$root/build/bench}
reps=${ONDRIX_PEER_REPS:-7}

# The benchmark framework and the peer libraries; only the bench targets use
# them.
packages=(libbenchmark-dev libssl-dev libgcrypt20-dev librhash-dev zlib1g-dev libisal-dev)
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
  cmake --build "$build" -j2 --target ondrix-sum
  echo "== $(lscpu | sed -n 's/^Model name:[[:space:]]*//p'), $(nproc) cores, $(date -u +%F)"
  exec bash "$root/bench/end_to_end.sh" "$build/sum/ondrix-sum"
fi
cmake --build "$build" -j2 --target ondrix_engines_bench ondrix_peers

echo
echo "== $(lscpu | sed -n 's/^Model name:[[:space:]]*//p'), $(nproc) cores, $(date -u +%F)"
echo
"$build/bench/ondrix_engines_bench" "$@"
echo
"$build/bench/ondrix_peers" "$reps"
