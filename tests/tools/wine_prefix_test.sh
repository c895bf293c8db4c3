#!/usr/bin/env bash
# wine_prefix_test.sh REPO: the Wine tools create, reset and delete prefixes
# under the repository's build/ folder only. Runs copies of the scripts in a
# scratch repository with stand-ins for wine, wineboot, wineserver and ctest
# that only note the prefix they were given.
set -uo pipefail
repo_src=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
repo=$scratch/repo
mkdir -p "$repo/tools" "$repo/build/windows" "$scratch/bin"
cp "$repo_src/tools/wine-ctest.sh" "$repo_src/tools/wine-run.sh" "$repo_src/tools/wine-env.sh" "$repo/tools/"
for tool in wine wineboot wineserver ctest; do
  printf '#!/usr/bin/env bash\necho "%s $WINEPREFIX" >>"%s/calls"\n' "$tool" "$scratch" >"$scratch/bin/$tool"
  chmod +x "$scratch/bin/$tool"
done
echo 'mkdir -p "$WINEPREFIX"' >>"$scratch/bin/wineboot"  # as the real one makes the prefix
export PATH=$scratch/bin:$PATH
failures=0
check() {  # check DESCRIPTION COMMAND...
  if ! "${@:2}"; then
    echo "FAILED: $1" >&2
    failures=$((failures + 1))
  fi
}
run_ctest_tool() {  # run_ctest_tool PREFIX: wine-ctest.sh with WINEPREFIX=PREFIX
  rm -f "$scratch/calls"
  WINEPREFIX=$1 bash "$repo/tools/wine-ctest.sh" "$repo/build/windows" >"$scratch/out" 2>&1
}
used_prefix() { sed -n 's/^wineboot //p' "$scratch/calls" | tail -n 1; }
ctest_prefix() { sed -n 's/^ctest //p' "$scratch/calls" | tail -n 1; }

# A user's own prefix, without our marker: left exactly as it was.
mkdir -p "$scratch/home/.wine/drive_c"
echo precious >"$scratch/home/.wine/drive_c/file"
run_ctest_tool "$scratch/home/.wine"
check "a user's prefix survives" test "$(cat "$scratch/home/.wine/drive_c/file" 2>/dev/null)" = precious
check "the tests run in build/wine-prefix" test "$(ctest_prefix)" = "$repo/build/wine-prefix"
check "the prefix under build/ is made" test -e "$repo/build/wine-prefix/.ondrix-initialised"
check "the user is told" grep -q "outside" "$scratch/out"

# The same through a path that only looks as if it were under build/.
run_ctest_tool "$repo/build/../../home/.wine"
check "a path leaving build/ is not used" test "$(ctest_prefix)" = "$repo/build/wine-prefix"
check "and its prefix survives" test -e "$scratch/home/.wine/drive_c/file"

# build/ itself is no prefix: it is not wiped.
echo keep >"$repo/build/keep"
run_ctest_tool "$repo/build"
check "build/ is not wiped" test -e "$repo/build/keep"
check "build/ itself is not used" test "$(ctest_prefix)" = "$repo/build/wine-prefix"

# A half-made prefix under build/ is reset; a ready one is kept.
mkdir -p "$repo/build/other-prefix"
echo stale >"$repo/build/other-prefix/stale"
run_ctest_tool "$repo/build/other-prefix"
check "a half-made prefix under build/ is made anew" test "$(used_prefix)" = "$repo/build/other-prefix"
check "its stale content is gone" test ! -e "$repo/build/other-prefix/stale"
echo mine >"$repo/build/other-prefix/kept"
run_ctest_tool "$repo/build/other-prefix"
check "a ready prefix is not made again" test -z "$(used_prefix)"
check "and keeps its content" test -e "$repo/build/other-prefix/kept"

# The CTest emulator does not run in a prefix outside build/ either.
rm -f "$scratch/calls"
WINEPREFIX=$scratch/home/.wine bash "$repo/tools/wine-run.sh" test.exe >/dev/null 2>&1
check "wine-run.sh uses build/wine-prefix" grep -qx "wine $repo/build/wine-prefix" "$scratch/calls"

if [ "$failures" -ne 0 ]; then
  cat "$scratch/out" >&2
  exit 1
fi
echo "wine prefix tools: all checks passed"
