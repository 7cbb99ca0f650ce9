#!/usr/bin/env bash
# The real program under Xvfb: it comes up at its place and size, typed keys turn the cube (read back
# from the screen), boxes come and go on Return, a move file picked in the chooser is replayed, and a
# close request ends the process with status 0.
# usage: end_to_end_test.sh PLEXARO X11_CLOSE
set -euo pipefail
plexaro=$1
close_window=$2
work=$(mktemp -d)
# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"

printf 'R\n' >"$work/r.mov"
"$plexaro" --replay 2>"$work/plexaro.log" &
plexaro_pid=$!

window=$(window_named Plexaro) || fail "no window titled Plexaro"
eval "$(xdotool getwindowgeometry --shell "$window")"
# No window manager here, so the frame is the window itself.
[ "$X,$Y,$WIDTH,$HEIGHT" = "50,50,600,400" ] || fail "window at $X,$Y size ${WIDTH}x$HEIGHT"
# Keys typed before the window has the focus are lost.
xdotool windowfocus --sync "$window"

# Centres of a few squares: L top-left, U top-right, F centre, D centre, L centre.
expect_soon "solved at start" 10 68 "#FF0000"
expect "solved at start" 87 14 "#FFFFFF"
expect "solved at start" 72 84 "#FFFF00"
expect "solved at start" 72 138 "#0000FF"

xdotool type u
expect_soon "u brings F's yellow to L's top row" 10 68 "#FFFF00"

# Shift+r types "R", which is no command. '(' shares the Down arrow's code: D shows what F showed,
# and F what U showed. Keys are taken in order, so once '(' shows, "R" has been taken: U's top-right
# square, now F's, would have F's orange had R turned it.
xdotool key shift+r
xdotool type '('
expect_soon "( rotates down" 72 138 "#FFFF00"
expect "( rotates down once" 72 84 "#FFFFFF"
expect "R turns nothing" 87 69 "#FFFFFF"
# The Left arrow: L shows what F showed.
xdotool key Left
expect_soon "Left rotates left" 25 84 "#FFFFFF"

# A box comes up over the window and goes on Return.
xdotool type '?'
close_box Help
xdotool windowfocus --sync "$window"

# The chooser takes a typed path; the move file's R is replayed until the cube is solved again.
xdotool type '{'
type_into_chooser Open "$work/r.mov"
close_box Moves
expect_soon "the replay ends solved" 87 14 "#FFFFFF"
expect "the replay ends solved" 72 138 "#0000FF"
expect "the replay ends solved" 10 68 "#FF0000"

close_and_expect_success "$close_window"
echo "end-to-end: all checks passed"
