#!/usr/bin/env bash
# release.sh: builds the Release executables for Windows and writes
# dist/ondrix-<version>-win64.zip with ondrix.exe, ondrix-sum.exe, a read-me
# for Windows users, the licence and SHA256SUMS (made by our own ondrix-sum,
# checked with sha256sum -c).
#
# The zip depends only on the commit: the build date and every time stamp in
# it come from the commit (SOURCE_DATE_EPOCH), the linker writes no time
# stamp, and the archive is written in a fixed order with fixed attributes.
# It fails when an executable imports a DLL that is not part of Windows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# shellcheck source=tools/install-deps.sh
source tools/install-deps.sh
ondrix_install_packages make cmake g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 python3 git \
  coreutils

SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
version=$(sed -n 's/^project(ondrix VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release.sh: no version in CMakeLists.txt" >&2; exit 1; }

win_build=build/release-win64
host_build=build/release-host
# build DIR TARGET... CMAKE_ARGS: chatter goes to DIR/build.log.
build() {
  local dir=$1
  shift
  local targets=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=(--target "$1"); shift; done
  shift
  mkdir -p "$dir"
  if ! { cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$@" &&
    cmake --build "$dir" -j 2 "${targets[@]}"; } >"$dir/build.log" 2>&1; then
    cat "$dir/build.log" >&2
    echo "release.sh: building in $dir failed" >&2
    exit 1
  fi
}
echo "== building ondrix.exe and ondrix-sum.exe (Release, $win_build)"
build "$win_build" ondrix ondrix-sum -- -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  "-DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp"
echo "== building the native ondrix-sum that writes SHA256SUMS ($host_build)"
build "$host_build" ondrix-sum --

# Only DLLs every Windows has; a MinGW runtime DLL would make the program
# fail to start on a clean machine.
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|winhttp|version|ws2_32|msvcrt|uxtheme|dwmapi|bcrypt)\.dll$'
for exe in "$win_build/startup/ondrix.exe" "$win_build/sum/ondrix-sum.exe"; do
  [ -f "$exe" ] || { echo "release.sh: $exe was not built" >&2; exit 1; }
  imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  bad=$(printf '%s\n' "$imports" | grep -Ev "$allowed" || true)
  if [ -n "$bad" ]; then
    echo "release.sh: $exe imports DLLs that are not part of Windows:" $bad >&2
    exit 1
  fi
done

stage=build/release-stage/ondrix-$version-win64
rm -rf build/release-stage
mkdir -p "$stage" dist
cp "$win_build/startup/ondrix.exe" "$win_build/sum/ondrix-sum.exe" "$stage/"
# Text files for Windows users end their lines in CR LF.
sed "s/@VERSION@/$version/; s/\$/\r/" tools/release/README-windows.txt >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
(cd "$stage" && "$root/$host_build/sum/ondrix-sum" -t sha256 LICENSE.txt README.txt ondrix-sum.exe ondrix.exe \
  >SHA256SUMS && sha256sum -c --quiet SHA256SUMS)

zip=dist/ondrix-$version-win64.zip
python3 - "$stage" "$zip" "$SOURCE_DATE_EPOCH" <<'PY'
import os, sys, time, zipfile
stage, out, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
# ZIP stores local times from 1980 on, two-second steps.
stamp = time.gmtime(max(epoch, 315532800))[:6]
folder = os.path.basename(stage)
with zipfile.ZipFile(out + ".tmp", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name in sorted(os.listdir(stage)):
        info = zipfile.ZipInfo(folder + "/" + name, date_time=stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        info.create_system = 0
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read())
os.replace(out + ".tmp", out)
PY
echo "$zip"
sha256sum "$zip"
