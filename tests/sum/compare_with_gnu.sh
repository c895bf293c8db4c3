#!/usr/bin/env bash
# Runs `ondrix-sum --check` and GNU's md5sum/sha1sum/sha256sum/sha384sum/
# sha512sum side by side on the same lists, with each option, and compares
# standard output, standard error (the program name aside) and the exit
# status. The lists hold matches, mismatches, missing files, a folder,
# improperly formatted lines, escaped names, BSD lines, CR LF endings and
# comments.
# Usage: compare_with_gnu.sh ONDRIX_SUM WORK_DIR [WRAPPER...]
# WRAPPER (for example a Wine runner) starts ondrix-sum; its output's CR LF
# line endings are then read as LF and the names a Windows file system cannot
# hold are left out.
set -u
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$2
shift 2
wrapper=("$@")
windows=0
[ ${#wrapper[@]} -gt 0 ] && windows=1

rm -rf "$work"
mkdir -p "$work/data"
cd "$work/data" || exit 1

printf 'abc' >abc.txt
printf 'abc' >'a b.txt'
printf '' >empty.bin
printf 'hello\n' >"it's.txt"
# A name GNU quotes in messages; Windows names cannot hold the colon.
odd_name='x=y:z.bin'
[ "$windows" = 1 ] && odd_name='x=y;z.bin'
printf 'data' >"$odd_name"
mkdir folder
if [ "$windows" = 0 ]; then
  printf 'abc' >'back\slash.txt'
  printf 'abc' >$'new\nline.txt'
fi

failures=0
cases=0

# normalise FILE PROGRAM: the program name at the start of each message is
# replaced by one word; CR LF becomes LF.
normalise() {
  sed -i -e 's/\r$//' -e "s/^$2: /PROGRAM: /" "$1"
}

# compare GNU_TOOL TYPE_ARGS LIST OPTIONS... : one side-by-side run.
compare() {
  local gnu=$1 type_args=$2 list=$3
  shift 3
  cases=$((cases + 1))
  local out_dir="$work/run$cases"
  mkdir -p "$out_dir"
  "$gnu" -c "$@" "$list" >"$out_dir/gnu.out" 2>"$out_dir/gnu.err" </dev/null
  local gnu_status=$?
  # shellcheck disable=SC2086  # type_args is empty or "-t TYPE"
  "${wrapper[@]}" "$tool" -c $type_args "$@" "$list" >"$out_dir/ours.out" 2>"$out_dir/ours.err" \
    </dev/null
  local our_status=$?
  normalise "$out_dir/gnu.err" "$gnu"
  normalise "$out_dir/ours.err" ondrix-sum
  normalise "$out_dir/ours.out" ondrix-sum
  if [ "$gnu_status" != "$our_status" ] || ! cmp -s "$out_dir/gnu.out" "$out_dir/ours.out" ||
    ! cmp -s "$out_dir/gnu.err" "$out_dir/ours.err"; then
    failures=$((failures + 1))
    echo "DIFFERS: $gnu -c $* $list (ondrix-sum $type_args): status $gnu_status vs $our_status"
    diff "$out_dir/gnu.out" "$out_dir/ours.out" | sed 's/^/  out /'
    diff "$out_dir/gnu.err" "$out_dir/ours.err" | sed 's/^/  err /'
  fi
}

# hex GNU_TOOL FILE: the checksum GNU computes.
hex() { "$1" <"$2" | cut -d' ' -f1; }

options=("" "-w" "--quiet" "--status" "--strict" "--ignore-missing" "--strict --warn"
  "--quiet --ignore-missing")

for gnu in md5sum sha1sum sha256sum sha384sum sha512sum; do
  key=${gnu%sum}
  tag=$(echo "$key" | tr a-z A-Z)
  good=$(hex "$gnu" abc.txt)
  empty=$(hex "$gnu" empty.bin)
  bad=$(echo "$good" | tr 0-9a-f 1-9a0)
  upper=$(echo "$good" | tr a-f A-F)
  {
    # Matches in both GNU layouts, upper-case digits, a BSD line.
    echo "$good *abc.txt"
    echo "$good  a b.txt"
    echo "$upper  abc.txt"
    echo "$empty  empty.bin"
    echo "$tag (a b.txt) = $good"
    echo "$(hex "$gnu" "it's.txt")  it's.txt"
    # A mismatch, a missing file (twice, one name needing quotes), a folder.
    echo "$bad  abc.txt"
    echo "$good  missing.txt"
    echo "$good  missing file.txt"
    echo "$good  folder"
    echo "$bad  $odd_name"
    # Comments, an empty line and improperly formatted lines.
    echo "# a comment"
    echo ""
    echo "not a checksum line"
    echo "${good:1}  abc.txt"
    echo "${good}x  abc.txt"
    echo "$tag (abc.txt) = ${good:1}"
    echo "$tag (abc.txt = $good"
    echo "\\$good  bad\\escape"
    if [ "$windows" = 0 ]; then
      # Escaped names, as GNU tools write them.
      echo "\\$good  back\\\\slash.txt"
      echo "\\$good  new\\nline.txt"
      echo "\\$tag (new\\nline.txt) = $good"
    fi
  } >"mixed.$key"
  # CR LF endings, as a list from Windows has them.
  sed 's/$/\r/' "mixed.$key" >"crlf.$key"
  # Nothing but improperly formatted lines; only missing files.
  printf 'junk\n%s\n' "$tag (x) = 00" >"junk.$key"
  printf '%s  gone.txt\n%s  also gone.txt\n' "$good" "$good" >"missing.$key"
  # Only matches.
  printf '%s *abc.txt\n%s  empty.bin\n' "$good" "$empty" >"good.$key"

  for list in "mixed.$key" "crlf.$key" "junk.$key" "missing.$key" "good.$key"; do
    for option in "${options[@]}"; do
      # shellcheck disable=SC2086  # an option string is one or two words
      compare "$gnu" "-t $key" "$list" $option
    done
  done
  # The type from the list's extension instead of -t.
  compare "$gnu" "" "mixed.$key"
  compare "$gnu" "" "good.$key" --quiet
done

# A list from standard input; a list that does not exist; two lists at once.
for option in "" "--status"; do
  cases=$((cases + 1))
  out_dir="$work/run$cases"
  mkdir -p "$out_dir"
  # shellcheck disable=SC2086
  sha256sum -c $option <mixed.sha256 >"$out_dir/gnu.out" 2>"$out_dir/gnu.err"
  gnu_status=$?
  # shellcheck disable=SC2086
  "${wrapper[@]}" "$tool" -c -t sha256 $option - <mixed.sha256 >"$out_dir/ours.out" \
    2>"$out_dir/ours.err"
  our_status=$?
  normalise "$out_dir/gnu.err" sha256sum
  normalise "$out_dir/ours.err" ondrix-sum
  normalise "$out_dir/ours.out" ondrix-sum
  if [ "$gnu_status" != "$our_status" ] || ! cmp -s "$out_dir/gnu.out" "$out_dir/ours.out" ||
    ! cmp -s "$out_dir/gnu.err" "$out_dir/ours.err"; then
    failures=$((failures + 1))
    echo "DIFFERS: standard input $option: status $gnu_status vs $our_status"
    diff "$out_dir/gnu.out" "$out_dir/ours.out" | sed 's/^/  out /'
    diff "$out_dir/gnu.err" "$out_dir/ours.err" | sed 's/^/  err /'
  fi
done
compare sha256sum "-t sha256" "no such list.sha256"
compare sha1sum "-t sha1" good.sha1 missing.sha1

echo "$cases side-by-side runs, $failures differ"
[ "$failures" = 0 ]
