#!/usr/bin/env bash
# End to end: the native ondrix-sum on one page-cached file against the
# command-line tools of each type, and CRC-32 against reading the file with
# cat. With a Windows build of ondrix-sum.exe the same file is also hashed
# under Wine. Each command's CPU time (user + system, the means of a few
# hyperfine runs after one warm-up): on a shared machine the wall time
# mostly measures the other users. The tables are printed in Markdown. Called by `tools/bench.sh --end-to-end`.
#
#   ONDRIX_E2E_FILE      the file (default /tmp/ondrix-e2e.bin, made when absent)
#   ONDRIX_E2E_MIB       its size in MiB when it is made (default 1024)
#   ONDRIX_E2E_RUNS      timed runs per command (default 3)
#   ONDRIX_E2E_TYPES     the type keys to time (default all with a peer)
#   ONDRIX_E2E_WINE_EXE  ondrix-sum.exe for the Wine row
#                        (default build/windows/sum/ondrix-sum.exe when built)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sum=${1:?usage: end_to_end.sh PATH-TO-NATIVE-ondrix-sum}
file=${ONDRIX_E2E_FILE:-/tmp/ondrix-e2e.bin}
mib=${ONDRIX_E2E_MIB:-1024}
runs=${ONDRIX_E2E_RUNS:-3}
wine_exe=${ONDRIX_E2E_WINE_EXE:-$root/build/windows/sum/ondrix-sum.exe}

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

if [[ -x $wine_exe || -f $wine_exe ]] && command -v wine >/dev/null; then
  export WINEDEBUG=-all
  wine_file="Z:$file"
  echo
  echo "Wine: $wine_exe on the same file (the time includes starting the program under"
  echo "Wine; the last row is that start alone)."
  echo
  echo "| type | native | under Wine | Wine / native |"
  echo "|---|---:|---:|---:|"
  wineserver -p 2>/dev/null || true
  for type in ${ONDRIX_E2E_TYPES:-md5 sha256 crc32}; do
    mapfile -t means < <(time_commands "$sum -t $type $file" "wine $wine_exe -t $type $wine_file")
    echo "| $type | $(printf '%.3f' "${means[0]}") | $(printf '%.3f' "${means[1]}") |" \
      "$(awk -v w="${means[1]}" -v n="${means[0]}" 'BEGIN{printf "%.2f", w/n}') |"
  done
  mapfile -t means < <(time_commands "wine $wine_exe --help")
  echo "| (start only: --help) | | $(printf '%.3f' "${means[0]}") | |"
fi
