# shellcheck shell=bash
# Sourced by every tool that runs Wine (run.sh, test.sh, screenshots.sh,
# wine-ctest.sh, wine-run.sh): one environment and one default prefix,
# build/wine-prefix.
#
# The Wine prefixes the tools create, reset or delete all live under the
# repository's build/ folder. A WINEPREFIX that points elsewhere (a user's own
# prefix) is never used and never touched: the tool takes build/wine-prefix
# instead and says so.

# ondrix_wine_env ROOT: exports WINEPREFIX (ondrix_use_wine_prefix) and the
# settings every tool runs Wine with: no debug chatter, a 64-bit prefix, and
# no .NET or HTML-engine installer that would stop a fresh prefix to ask.
ondrix_wine_env() {
  ondrix_use_wine_prefix "$1"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEARCH=${WINEARCH:-win64}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# ondrix_use_wine_prefix ROOT: exports WINEPREFIX as the given one when it
# lies inside ROOT/build, otherwise as ROOT/build/wine-prefix.
ondrix_use_wine_prefix() {
  local root=$1
  local build
  build=$(realpath -m "$root/build")
  if [ -n "${WINEPREFIX:-}" ]; then
    local given
    given=$(realpath -m "$WINEPREFIX")
    if ondrix_inside_build "$build" "$given"; then
      export WINEPREFIX=$given
      return 0
    fi
    echo "note: WINEPREFIX=$WINEPREFIX is outside $build; using $build/wine-prefix instead" >&2
  fi
  export WINEPREFIX=$build/wine-prefix
}

# ondrix_inside_build BUILD PATH: true when PATH (resolved) lies strictly
# inside BUILD, never BUILD itself.
ondrix_inside_build() {
  case "$2/" in
    "$1"/?*/) return 0 ;;
    *) return 1 ;;
  esac
}

# ondrix_wine_prefix_ready ROOT: makes WINEPREFIX when it is missing or was
# left half-made (no marker of a finished wineboot); a ready one is kept.
# Call after ondrix_wine_env.
ondrix_wine_prefix_ready() {
  [ -e "$WINEPREFIX/.ondrix-initialised" ] && return 0
  echo "Creating the Wine prefix $WINEPREFIX ..." >&2
  # Only ever a prefix under build/ (ondrix_use_wine_prefix saw to that).
  ondrix_inside_build "$(realpath -m "$1/build")" "$WINEPREFIX" || return 1
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  if ! wineboot -i >"$WINEPREFIX.log" 2>&1 </dev/null; then
    cat "$WINEPREFIX.log" >&2
    return 1
  fi
  wineserver -w
  touch "$WINEPREFIX/.ondrix-initialised"
}
