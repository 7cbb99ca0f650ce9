#!/usr/bin/env bash
# The program's command line: its forms and exit statuses, a start without a display, and (under Xvfb)
# the file it is handed coming up in the window.
# usage: command_line_test.sh PLEXARO
set -uo pipefail
plexaro=$(realpath "$1")
work=$(mktemp -d)
xvfb_pid=
plexaro_pid=
cleanup() {
  [ -z "$plexaro_pid" ] || kill "$plexaro_pid" 2>/dev/null
  # A server still going away would later take the socket of the next one on its number with it.
  [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
  rm -rf "$work"
}
trap cleanup EXIT
ulimit -c 0
failures=0
check() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Runs the program in a clean environment plus the given settings; sets status and err.
run() {
  env -i PATH="$PATH" HOME="$work" "$@" >"$work/out" 2>"$work/err"
  status=$?
  err=$(cat "$work/err")
}

usage=$'usage: plexaro [--replay] [FILE]\n       plexaro --version'
for args in "--bogus" "-platform offscreen" "--replay --replay" "a.q b.q" "a.q --replay" "--replay a.q b.mov" \
  "--version --replay" "--replay --version" "--version a.q" "-" "-- a.q b.q"; do
  # shellcheck disable=SC2086  # the words are the arguments
  run QT_QPA_PLATFORM=offscreen "$plexaro" $args
  [ "$status" -eq 2 ] || check "'$args' exits with $status, not 2"
  [ "$err" = "$usage" ] || check "'$args' says: $err"
  [ ! -s "$work/out" ] || check "'$args' writes to stdout"
done
run QT_QPA_PLATFORM=offscreen "$plexaro" ""
[ "$status" -eq 2 ] || check "an empty file name exits with $status, not 2"

# The version needs no display.
run DISPLAY= "$plexaro" --version
[ "$status" -eq 0 ] || check "--version exits with $status"
[ "$(cat "$work/out")" = "plexaro 1.0" ] || check "--version prints: $(cat "$work/out")"
[ -z "$err" ] || check "--version says on stderr: $err"

for setting in "DISPLAY=" "DISPLAY=:4077" "QT_QPA_PLATFORM=xcb" "DISPLAY=nohost.invalid:0"; do
  for args in "" "--replay" "a.q" "--replay a.mov"; do
    # shellcheck disable=SC2086
    run "$setting" "$plexaro" $args
    what="with $setting${args:+ and $args}"
    [ "$status" -ne 0 ] || check "$what: exits with 0"
    [ "$status" -lt 128 ] || check "$what: killed by signal $((status - 128))"
    [ "$(wc -l <"$work/err")" -eq 1 ] || check "$what: stderr holds $(wc -l <"$work/err") lines: $err"
    case $err in
      "plexaro: cannot open a display: "*) ;;
      *) check "$what: says: $err" ;;
    esac
  done
done

# The rest watches the window on a virtual screen.
for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "command line: $tool is not installed, the files at start are not checked" >&2
    [ "$failures" -eq 0 ] || exit 1
    exit 0
  fi
done
# Without a reset when the last client leaves, which drops a client connecting at that moment.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 400); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
if [ ! -s "$work/display" ]; then
  check "Xvfb did not start: $(cat "$work/xvfb.log")"
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# The one visible window with exactly this title, asked again while it is not there yet.
window_named() {
  local found
  for _ in $(seq 400); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$found" ] && echo "$found" && return 0
    sleep 0.05
  done
  return 1
}
# The colour at client (x, y) of the main window, as #RRGGBB.
colour_at() {
  [ -n "$window" ] || return 0  # import would wait for a click
  import -window "$window" -depth 8 -crop 1x1+"$1"+"$2" +repage txt:- 2>/dev/null | awk 'NR == 2 { print $3 }'
}
expect_soon() {
  local what=$1 x=$2 y=$3 want=$4 got
  for _ in $(seq 200); do
    got=$(colour_at "$x" "$y")
    [ "$got" = "$want" ] && return 0
    sleep 0.05
  done
  check "$what: ($x, $y) is $got, not $want"
}
start() {
  window=
  "$plexaro" "$@" 2>"$work/plexaro.log" &
  plexaro_pid=$!
  window=$(window_named Plexaro) ||
    check "$*: no window titled Plexaro ($(kill -0 "$plexaro_pid" 2>/dev/null && echo running || echo ended):" \
      "$(tr '\n' ' ' <"$work/plexaro.log"))"
}
# The box titled $1 is up together with the window, and goes on Return.
close_box() {
  local box
  if ! box=$(window_named "$1"); then
    check "no $1 box"
    return
  fi
  xdotool search --onlyvisible --name '^Plexaro$' >/dev/null || check "the $1 box came before the window"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  for _ in $(seq 200); do
    [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && return 0
    sleep 0.05
  done
  check "the $1 box stayed up after Return"
}
stop() {
  kill "$plexaro_pid" 2>/dev/null
  wait "$plexaro_pid" 2>/dev/null
  plexaro_pid=
}

# Every face one colour on: U red, L yellow, F orange, D white.
{
  printf '\003'
  for face in 1 2 3 4 5 0; do
    for _ in $(seq 9); do printf "\\00$face"; done
  done
} >"$work/shifted.Q"
start "$work/shifted.Q"
expect_soon "the pattern on U" 87 14 "#FF0000"
expect_soon "the pattern on L" 10 68 "#FFFF00"
expect_soon "the pattern on F" 72 84 "#FF9000"
expect_soon "the pattern on D" 72 138 "#FFFFFF"
stop

# One R: F's right column shows D's blue, unless the replay turns it back to solved.
# A relative name, and "--" before a name that starts like an option.
cd "$work" || exit 1
printf 'R\n' >-r.mov
start -- -r.mov
close_box Moves
expect_soon "R from the file" 87 84 "#0000FF"
stop
start --replay "$work/-r.mov"
close_box Moves
expect_soon "R replayed to solved" 87 84 "#FFFF00"
stop

for name in "missing.q" "shifted.txt"; do
  cp "$work/shifted.Q" "$work/shifted.txt"
  start "$work/$name"
  close_box Error
  expect_soon "$name leaves the cube solved" 87 14 "#FFFFFF"
  stop
done

[ "$failures" -eq 0 ] || exit 1
echo "command line: all checks passed"
