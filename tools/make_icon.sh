#!/usr/bin/env bash
# Draws the program icon at every size the shell asks for and packs the
# images into win/resources/ondrix.ico. Each size is drawn on its own grid
# (not scaled down from the largest) so small icons stay sharp.
#   tools/make_icon.sh [output.ico]     needs ImageMagick's `convert`
set -euo pipefail

out=${1:-"$(dirname "$0")/../win/resources/ondrix.ico"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sizes=(16 20 24 32 40 48 64 256)

# s(v): v on a 64-unit design grid, in pixels of the current size.
for size in "${sizes[@]}"; do
  s() { awk -v v="$1" -v n="$size" 'BEGIN { printf "%.2f", v * n / 64 }'; }
  stroke=$(awk -v n="$size" 'BEGIN { w = n * 7 / 64; if (w < 1.6) w = 1.6; printf "%.2f", w }')
  thin=$(awk -v n="$size" 'BEGIN { w = n * 3.5 / 64; if (w < 1) w = 1; printf "%.2f", w }')
  args=(
    -size "${size}x${size}" xc:none
    -fill '#1F6FC5' -stroke '#15508F' -strokewidth "$(s 2)"
    -draw "roundrectangle $(s 3),$(s 3) $(s 61),$(s 61) $(s 12),$(s 12)"
    -fill none -stroke white -strokewidth "$stroke"
    -draw "polyline $(s 14),$(s 35) $(s 27),$(s 48) $(s 50),$(s 18)"
  )
  if (( size >= 32 )); then
    # The "#" in the upper-left corner.
    args+=(-strokewidth "$thin"
      -draw "line $(s 14),$(s 10) $(s 12),$(s 28)"
      -draw "line $(s 22),$(s 10) $(s 20),$(s 28)"
      -draw "line $(s 8),$(s 15) $(s 27),$(s 15)"
      -draw "line $(s 7),$(s 23) $(s 26),$(s 23)")
  fi
  convert "${args[@]}" -strip -define png:exclude-chunks=date,time "$work/icon-$size.png"
done

files=()
for size in "${sizes[@]}"; do files+=("$work/icon-$size.png"); done
convert "${files[@]}" -strip "$out"
echo "wrote $out"
