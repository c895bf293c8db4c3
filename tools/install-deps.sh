# shellcheck shell=bash
# Sourced by tools/test.sh and tools/run.sh. Installs the Debian packages a
# script needs, only those that are missing, with at most one apt-get update.
# Works unattended: no prompts, no standard input.

# Prints the packages of "$@" that are not installed.
ondrix_missing_packages() {
  local pkg
  for pkg in "$@"; do
    if [ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null)" != "install ok installed" ]; then
      printf '%s\n' "$pkg"
    fi
  done
}

# ondrix_install_packages PKG...: installs the missing ones quietly; on
# failure shows apt-get's output and returns non-zero.
ondrix_install_packages() {
  if ! command -v dpkg-query >/dev/null 2>&1; then
    return 0  # not a Debian system: the tools must already be there
  fi
  local missing
  missing=$(ondrix_missing_packages "$@" | tr '\n' ' ')
  missing=${missing% }
  [ -n "$missing" ] || return 0
  if [ "$(id -u)" != 0 ]; then
    echo "Missing packages: $missing" >&2
    echo "Install them as root: apt-get install $missing" >&2
    return 1
  fi
  echo "Installing $missing ..." >&2
  local log status=0
  log=$(mktemp)
  if [ -z "${ONDRIX_APT_UPDATED:-}" ]; then
    DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null >>"$log" 2>&1 || status=$?
    ONDRIX_APT_UPDATED=1
  fi
  if [ "$status" = 0 ]; then
    # shellcheck disable=SC2086  # one word per package
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o Dpkg::Use-Pty=0 $missing \
      </dev/null >>"$log" 2>&1 || status=$?
  fi
  if [ "$status" != 0 ]; then
    cat "$log" >&2
    echo "Installing $missing failed." >&2
  fi
  rm -f "$log"
  return "$status"
}
