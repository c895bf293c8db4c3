#!/usr/bin/env bash
# End to end: the native ondrix-sum on one page-cached file against the
# command-line tools of each type, and CRC-32 against reading the file with
# cat. The window's worker (ondrix_job_speed, the calculation job on the
# file) is timed against ondrix-sum, and with a Windows build both are also
# timed under Wine. Each command's CPU time (user + system, the means of a few
# hyperfine runs after one warm-up): on a shared machine the wall time
# mostly measures the other users. The tables are printed in Markdown. Called by `tools/bench.sh --end-to-end`.
#
#   ONDRIX_E2E_FILE      the file (default /tmp/ondrix-e2e.bin, made when absent)
#   ONDRIX_E2E_MIB       its size in MiB when it is made (default 1024)
#   ONDRIX_E2E_RUNS      timed runs per command (default 3)
#   ONDRIX_E2E_TYPES     the type keys to time (default all with a peer)
#   ONDRIX_E2E_WINE_EXE  ondrix-sum.exe for the Wine rows
#                        (default build/windows/sum/ondrix-sum.exe when built)
#   ONDRIX_E2E_WINE_JOB  ondrix_job_speed.exe for the Wine rows (default: none)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sum=${1:?usage: end_to_end.sh PATH-TO-NATIVE-ondrix-sum [PATH-TO-NATIVE-ondrix_job_speed]}
job=${2:-}
file=${ONDRIX_E2E_FILE:-/tmp/ondrix-e2e.bin}
mib=${ONDRIX_E2E_MIB:-1024}
runs=${ONDRIX_E2E_RUNS:-3}
wine_exe=${ONDRIX_E2E_WINE_EXE:-$root/build/windows/sum/ondrix-sum.exe}
wine_job=${ONDRIX_E2E_WINE_JOB:-}

for tool in hyperfine jq; do
  command -v "$tool" >/dev/null || { echo "end_to_end.sh: $tool is needed" >&2; exit 1; }
done
if [[ ! -f $file ]]; then
  head -c "$((mib << 20))" /dev/urandom >"$file"
fi
cat "$file" >/dev/null  # into the page cache

# time_commands COMMAND...: prints the mean CPU seconds of each, one per line.
time_commands() {
  local json log
  json=$(mktemp)
  log=$(mktemp)
  # hyperfine's warnings about noise would break the table; its errors
  # are shown.
  if ! hyperfine -N -w 1 -r "$runs" --export-json "$json" "$@" >/dev/null 2>"$log"; then
    cat "$log" >&2
    rm -f "$json" "$log"
    return 1
  fi
  jq -r '.results[] | .user + .system' "$json"
  rm -f "$json" "$log"
}

ossl="openssl dgst -provider legacy -provider default"
# type, then "label=command" for each peer (the file is appended).
rows=(
  "md4|openssl=$ossl -md4|rhash=rhash --md4"
  "md5|openssl=$ossl -md5|md5sum=md5sum|rhash=rhash --md5"
  "sha1|openssl=$ossl -sha1|sha1sum=sha1sum|rhash=rhash --sha1"
  "sha256|openssl=$ossl -sha256|sha256sum=sha256sum|rhash=rhash --sha256"
  "sha384|openssl=$ossl -sha384|sha384sum=sha384sum|rhash=rhash --sha384"
  "sha512|openssl=$ossl -sha512|sha512sum=sha512sum|rhash=rhash --sha512"
  "ripemd160|openssl=$ossl -ripemd160|rhash=rhash --ripemd160"
  "tiger|rhash=rhash --tiger"
  "crc32|rhash=rhash --crc32|cat=cat"
)

echo "File: $(stat -c %s "$file") bytes, page-cached; CPU seconds (user + system), mean of $runs runs."
echo "Each peer: its time, and in brackets its time divided by ours (above 1: ours is faster)."
echo
echo "| type | ondrix-sum | peers |"
echo "|---|---:|---|"
for row in "${rows[@]}"; do
  IFS='|' read -r -a parts <<<"$row"
  type=${parts[0]}
  [[ -z ${ONDRIX_E2E_TYPES:-} || " $ONDRIX_E2E_TYPES " == *" $type "* ]] || continue
  labels=()
  commands=("$sum -t $type $file")
  for peer in "${parts[@]:1}"; do
    labels+=("${peer%%=*}")
    commands+=("${peer#*=} $file")
  done
  mapfile -t means < <(time_commands "${commands[@]}")
  line="| $type | $(printf '%.3f' "${means[0]}") |"
  for i in "${!labels[@]}"; do
    line+=" ${labels[$i]} $(printf '%.3f' "${means[$((i + 1))]}") ($(awk -v p="${means[$((i + 1))]}" -v o="${means[0]}" 'BEGIN{printf "%.2f", p/o}')),"
  done
  echo "${line%,} |"
done

# ratio A B: B / A with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", b/a}'; }

# The window's worker and the Windows build, each against the native
# ondrix-sum on the same file; in brackets its time divided by ondrix-sum's
# (above 1: slower than ondrix-sum).
have_wine=0
if [[ -f $wine_exe ]] && command -v wine >/dev/null; then
  have_wine=1
  export WINEDEBUG=-all
  wineserver -p 2>/dev/null || true
  wine "$wine_exe" --help >/dev/null 2>&1 || true  # starts Wine's services once
fi
if [[ -n $job || $have_wine == 1 ]]; then
  echo
  echo "The window's worker (the calculation job on the file, as the window starts it) and"
  echo "the Windows build under Wine, against the native ondrix-sum on the same file. Wine"
  echo "times include starting the program under Wine; the last row is that start alone."
  echo
  header="| type | ondrix-sum |"
  rule="|---|---:|"
  [[ -n $job ]] && { header+=" worker |"; rule+="---:|"; }
  [[ $have_wine == 1 ]] && { header+=" ondrix-sum.exe under Wine |"; rule+="---:|"; }
  [[ $have_wine == 1 && -n $wine_job ]] && { header+=" worker .exe under Wine |"; rule+="---:|"; }
  echo "$header"
  echo "$rule"
  for type in ${ONDRIX_E2E_TYPES:-md5 sha256 sha512 crc32}; do
    commands=("$sum -t $type $file")
    [[ -n $job ]] && commands+=("$job $type $file")
    [[ $have_wine == 1 ]] && commands+=("wine $wine_exe -t $type Z:$file")
    [[ $have_wine == 1 && -n $wine_job ]] && commands+=("wine $wine_job $type Z:$file")
    mapfile -t means < <(time_commands "${commands[@]}")
    line="| $type | $(printf '%.3f' "${means[0]}") |"
    for ((i = 1; i < ${#means[@]}; ++i)); do
      line+=" $(printf '%.3f' "${means[$i]}") ($(ratio "${means[0]}" "${means[$i]}")) |"
    done
    echo "$line"
  done
  if [[ $have_wine == 1 ]]; then
    mapfile -t means < <(time_commands "wine $wine_exe --help")
    line="| (start only: --help) | |"
    [[ -n $job ]] && line+=" |"
    line+=" $(printf '%.3f' "${means[0]}") |"
    [[ -n $wine_job ]] && line+=" |"
    echo "$line"
  fi
fi
