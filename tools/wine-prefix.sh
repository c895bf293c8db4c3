# Sourced by every tool that runs Wine. The Wine prefixes the tools create,
# reset or delete all live under the repository's build/ folder. A
# WINEPREFIX that points elsewhere (a user's own prefix) is never used and
# never touched: the tool takes its prefix under build/ instead and says so.

# ondrix_use_wine_prefix ROOT [NAME]: exports WINEPREFIX as the given one when
# it lies inside ROOT/build, otherwise as ROOT/build/NAME (default
# wine-prefix).
ondrix_use_wine_prefix() {
  local root=$1 name=${2:-wine-prefix}
  local build
  build=$(realpath -m "$root/build")
  if [ -n "${WINEPREFIX:-}" ]; then
    local given
    given=$(realpath -m "$WINEPREFIX")
    if ondrix_inside_build "$build" "$given"; then
      export WINEPREFIX=$given
      return 0
    fi
    echo "note: WINEPREFIX=$WINEPREFIX is outside $build; using $build/$name instead" >&2
  fi
  export WINEPREFIX=$build/$name
}

# ondrix_inside_build BUILD PATH: true when PATH (resolved) lies strictly
# inside BUILD, never BUILD itself.
ondrix_inside_build() {
  case "$2/" in
    "$1"/?*/) return 0 ;;
    *) return 1 ;;
  esac
}
