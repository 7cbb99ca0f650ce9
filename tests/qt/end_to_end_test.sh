#!/usr/bin/env bash
# The real program under Xvfb: it comes up at its place and size, typed keys turn the cube (read back
# from the screen), boxes come and go on Return, a move file picked in the chooser is replayed, and a
# close request ends the process with status 0.
# usage: end_to_end_test.sh PLEXARO X11_CLOSE
set -euo pipefail
plexaro=$1
close_window=$2
for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed" >&2
    exit 77
  fi
done
work=$(mktemp -d)
xvfb_pid=
plexaro_pid=
cleanup() {
  [ -z "$plexaro_pid" ] || kill "$plexaro_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Xvfb picks a free display itself and names it once it accepts clients.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

printf 'R\n' >"$work/r.mov"
"$plexaro" --replay 2>"$work/plexaro.log" &
plexaro_pid=$!

# The one visible window with exactly this title. A search can trip over a window that closes while it
# looks (the chooser going away), so it is asked again rather than trusted once.
window_named() {
  local found
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$found" ] && echo "$found" && return 0
    sleep 0.05
  done
  return 1
}
window=$(window_named Plexaro) || fail "no window titled Plexaro"
eval "$(xdotool getwindowgeometry --shell "$window")"
# No window manager here, so the frame is the window itself.
[ "$X,$Y,$WIDTH,$HEIGHT" = "50,50,600,400" ] || fail "window at $X,$Y size ${WIDTH}x$HEIGHT"
# Keys typed before the window has the focus are lost.
xdotool windowfocus --sync "$window"

# The colour at client (x, y), as #RRGGBB. Reads one picture of the net for every check.
shot() { import -window "$window" -depth 8 -crop 200x180+0+0 +repage "txt:$work/shot.txt"; }
colour_at() { awk -v at="$1,$2:" '$1 == at { print $3 }' "$work/shot.txt"; }
expect() {
  local what=$1 x=$2 y=$3 want=$4 got
  got=$(colour_at "$x" "$y")
  [ "$got" = "$want" ] || fail "$what: ($x, $y) is $got, not $want"
}
# Waits until the net shows `want` at (x, y): repaints come from the event loop.
expect_soon() {
  for _ in $(seq 40); do
    shot
    [ "$(colour_at "$2" "$3")" = "$4" ] && return 0
    sleep 0.05
  done
  expect "$@"
}

# Centres of a few squares: L top-left, U top-right, F centre, D centre, L centre.
expect_soon "solved at start" 10 68 "#FF0000"
expect "solved at start" 87 14 "#FFFFFF"
expect "solved at start" 72 84 "#FFFF00"
expect "solved at start" 72 138 "#0000FF"

xdotool type u
expect_soon "u brings F's yellow to L's top row" 10 68 "#FFFF00"

# Shift+r types "R", which is no command.
xdotool key shift+r
sleep 0.2
shot
expect "R turns nothing" 87 14 "#FFFFFF"

# '(' shares the Down arrow's code: D shows what F showed.
xdotool type '('
expect_soon "( rotates down" 72 138 "#FFFF00"
expect "( rotates down once" 72 84 "#FFFFFF"
# The Left arrow: L shows what F showed.
xdotool key Left
expect_soon "Left rotates left" 25 84 "#FFFFFF"

# A box comes up over the window and goes on Return.
close_box() {
  local box
  box=$(window_named "$1") || fail "no box titled $1"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  for _ in $(seq 40); do
    [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && return 0
    sleep 0.05
  done
  fail "the $1 box stayed up after Return"
}
xdotool type '?'
close_box Help
xdotool windowfocus --sync "$window"

# The chooser takes a typed path; the move file's R is replayed until the cube is solved again.
xdotool type '{'
chooser=$(window_named Open) || fail "no file chooser"
xdotool windowfocus --sync "$chooser"
xdotool type --delay 5 "$work/r.mov"
xdotool key Return
close_box Moves
expect_soon "the replay ends solved" 87 14 "#FFFFFF"
expect "the replay ends solved" 72 138 "#0000FF"
expect "the replay ends solved" 10 68 "#FF0000"

"$close_window" "$window"
for _ in $(seq 100); do
  kill -0 "$plexaro_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$plexaro_pid" 2>/dev/null && fail "still running after the close request"
status=0
wait "$plexaro_pid" || status=$?
plexaro_pid=
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/plexaro.log")"
echo "end-to-end: all checks passed"
