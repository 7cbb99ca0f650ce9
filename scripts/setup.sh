#!/usr/bin/env bash
# Installs what building and testing every front end needs on Debian 12. The 32-bit Wine is optional:
# it is installed only where the kernel runs 32-bit programs and its packages can be had; without it
# the Windows tests run on the 64-bit test build under wine64.
set -uo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
packages=(
  build-essential cmake ninja-build clang-format
  googletest libgtest-dev libbenchmark-dev libcli11-dev
  libpng-dev libgif-dev qt6-base-dev libx11-dev xvfb xauth xdotool x11-utils imagemagick desktop-file-utils python3
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64
)
optional=(wine32:i386)

fail() {
  echo "setup: $1" >&2
  exit 1
}

missing() {  # the named packages that are not installed
  local p
  for p in "$@"; do
    dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed || echo "$p"
  done
}

# Asks the kernel itself: a 32-bit ELF program of 93 bytes that only exits with status 0.
runs_32_bit() {
  local probe status
  probe=$(mktemp) || return 1
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  status=$?
  rm -f "$probe"
  [ "$status" -eq 0 ]
}

want32=0
runs_32_bit && want32=1
added32=0
if [ "$want32" -eq 1 ] && [ -n "$(missing "${optional[@]}")" ] &&
  ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386 || fail "dpkg could not add the i386 architecture"
  added32=1
fi

needed=$(missing "${packages[@]}")
wanted=""
[ "$want32" -eq 1 ] && wanted=$(missing "${optional[@]}")
[ -z "$needed$wanted" ] && exit 0

# Takes back an i386 architecture this run added, while no package of it is installed, so that a
# failed 32-bit index does not stay in every later update.
drop32() {
  [ "$added32" -eq 1 ] || return 0
  [ -n "$(dpkg-query -W -f='${Architecture}\n' 2>/dev/null | grep -x i386)" ] && return 0
  $sudo dpkg --remove-architecture i386 && added32=0
}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
updated=0
for attempt in 1 2; do
  if $sudo apt-get update -qq >"$log" 2>&1; then
    updated=1
    break
  fi
  [ "$attempt" -eq 1 ] && sleep 5
done
if [ "$updated" -eq 0 ]; then
  # What failed: lines that name an index; only the optional 32-bit Wine needs the i386 ones.
  failures=$(grep -E '^(E|W): ' "$log" | grep -v -E 'i386|Some index files failed')
  if [ -z "$failures" ]; then
    echo "setup: an i386 package index could not be downloaded; the 32-bit Wine is tried from the lists at hand" >&2
  else
    echo "setup: apt-get update failed; trying with the package lists at hand:" >&2
    sed 's/^/  /' "$log" >&2
  fi
fi

if [ -n "$needed" ]; then
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $needed >"$log" 2>&1 ||
    fail "could not install $(echo $needed): $(grep -E '^E: ' "$log" | head -n 1)"
fi
if [ -n "$wanted" ]; then
  # shellcheck disable=SC2086
  if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $wanted >"$log" 2>&1; then
    echo "setup: the 32-bit Wine could not be installed; the Windows tests will use wine64" >&2
    drop32
  fi
fi
exit 0
