#!/usr/bin/env bash
# The 32-bit Windows build: cross-builds plexaro.exe, its test build and the unit tests with MinGW,
# then runs the tests under Wine on a private X display. Where the 32-bit Wine cannot run, the same
# sources are cross-built for 64-bit and tested under wine64 instead; the program shipped stays the
# 32-bit one. Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$root/build-win32
work=$build/test-run
passed=0
failed=0

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ] && exit 0
  exit 1
}
broken() {  # a step that leaves nothing to test
  echo "win32: $1"
  failed=$((failed + 1))
  finish
}

for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine Xvfb xdotool import cmake ninja; do
  command -v "$tool" >/dev/null || { scripts/setup.sh && break; }
done
[ -f /usr/src/googletest/CMakeLists.txt ] || scripts/setup.sh

# The Wine to test under is the one whose loader runs here: the 32-bit one (from wine32, on a kernel
# that runs 32-bit programs) tests the shipped program itself; otherwise the same sources are built for
# 64-bit and tested under wine64, and of the 32-bit build only the programs are made.
wine32=false
/usr/lib/wine/wine --version >/dev/null 2>&1 && wine32=true
echo "-- cross build"
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null ||
  broken "configure failed"
if $wine32; then
  cmake --build "$build" -j2 || broken "build failed"
else
  cmake --build "$build" -j2 --target plexaro plexaro_faults || broken "build failed"
fi
rm -rf "$work"
mkdir -p "$work"

if $wine32; then
  WINE=wine
  export WINEARCH=win32
  echo "-- the tests run on the 32-bit build under the 32-bit Wine"
elif /usr/lib/wine/wine64 --version >/dev/null 2>&1 && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "-- the 32-bit Wine cannot run here: the tests run on a 64-bit build under wine64"
  build=$root/build-win64
  work=$build/test-run
  WINE=/usr/lib/wine/wine64
  export WINELOADER=$WINE WINEARCH=win64
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null ||
    broken "64-bit configure failed"
  cmake --build "$build" -j2 || broken "64-bit build failed"
  rm -rf "$work"
  mkdir -p "$work"
else
  echo "win32: cross-built; the tests under Wine are skipped: no Wine can run on this machine"
  exit 0
fi
export WINE

echo "-- native helpers"
c++ -std=c++17 -O2 -Wall -Wextra tests/win32/read_net.cpp -o "$build/read_net" || broken "read_net failed to build"
if [ -f build/CMakeCache.txt ]; then
  host=$root/build
else
  host=$build/host
  cmake -S . -B "$host" -G Ninja -DPLEXARO_TESTS=OFF -DPLEXARO_QT=OFF >/dev/null || broken "host configure failed"
fi
cmake --build "$host" -j2 --target plexaro-cli >/dev/null || broken "plexaro-cli failed to build"
cli=$host/frontends/cli/plexaro-cli

# A private display, on the first free number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null
  kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || broken "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

# Top-level windows that Wine frames itself: no window manager runs here.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "-- wine prefix"
  env -u DISPLAY "$WINE" wineboot -i >/dev/null 2>&1 || broken "wineboot failed"
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
fi

# Runs a GoogleTest program under Wine and adds up its counts.
run_tests() {  # name exe
  local log=$work/$1.log rc p f
  timeout 300 "$WINE" "$2" --gtest_color=no 2>&1 | tr -d '\r' >"$log"
  rc=${PIPESTATUS[0]}
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log")
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below:.*/\1/p' "$log")
  p=${p:-0}
  f=${f:-0}
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
    f=1
    tail -n 20 "$log"
  fi
  grep -E '^\[  FAILED  \]|Failure$' "$log"
  echo "$1: $p passed, $f failed"
  passed=$((passed + p))
  failed=$((failed + f))
}

echo "-- unit tests under $("$WINE" --version)"
# The solvers' tables the plain build's test run made, read back (and checked) instead of built again.
if [ -d "$root/build/test-cache" ]; then
  XDG_CACHE_HOME="Z:${root//\//\\}\\build\\test-cache" run_tests core "$build/tests/plexaro_core_tests.exe"
else
  run_tests core "$build/tests/plexaro_core_tests.exe"
fi
run_tests win32 "$build/tests/win32/plexaro_win32_tests.exe"

echo "-- the program on screen"
timeout 240 bash tests/win32/gui_test.sh "$build" "$build/read_net" "$cli" "$work/gui" | tee "$work/gui.log"
gui=$(sed -n 's/^gui: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$work/gui.log")
if [ -n "$gui" ]; then
  passed=$((passed + ${gui% *}))
  failed=$((failed + ${gui#* }))
else
  echo "gui: did not finish"
  failed=$((failed + 1))
fi
finish
