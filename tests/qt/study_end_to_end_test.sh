#!/usr/bin/env bash
# The real program under Xvfb with the mouse: a pattern file given on the command line is shown, the
# right button opens the menu, a left click changes a square, and "Save pattern as" writes a file that
# plexaro-cli reads back as the same net; closing ends with status 0.
# usage: study_end_to_end_test.sh PLEXARO X11_CLOSE PLEXARO_CLI
set -euo pipefail
plexaro=$1
close_window=$2
cli=$3
work=$(mktemp -d)
# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"

# u on the solved cube: L's top row shows F's yellow.
"$cli" save "$work/start.q" --keys u
"$plexaro" "$work/start.q" 2>"$work/plexaro.log" &
plexaro_pid=$!
window=$(window_named Plexaro) || fail "no window titled Plexaro"
xdotool windowfocus --sync "$window"
expect_soon "the pattern file given at start" 10 68 "#FFFF00"
expect "the pattern file given at start" 87 14 "#FFFFFF"

before=$(windows)
open_menu
import -window root "$work/menu.png"
xdotool key Escape
for _ in $(seq 200); do
  [ "$(windows)" -eq "$before" ] && break
  sleep 0.05
done
[ "$(windows)" -eq "$before" ] || fail "the menu stayed up after Escape"

# A left click on U's top-right square: white becomes red.
xdotool mousemove --window "$window" 87 14 click 1
expect_soon "a click turns the square to the next colour" 87 14 "#FF0000"

# Save pattern as: the fourth enabled item (Undo, Apply moves, Type moves, Save pattern as; Redo is
# greyed).
open_menu
xdotool key Down Down Down Down Return
type_into_chooser "Save As" "$work/saved"
for _ in $(seq 400); do
  [ -s "$work/saved.q" ] && break
  sleep 0.05
done
[ -s "$work/saved.q" ] || fail "Save pattern as wrote no $work/saved.q"

# The saved net is the start's with U's top-right square red.
want=$("$cli" show --pattern "$work/start.q" | awk 'NR == 1 { $0 = substr($0, 1, 2) "1" substr($0, 4) } 1')
got=$("$cli" show --pattern "$work/saved.q")
[ "$got" = "$want" ] || fail "the saved pattern reads back as
$got
not
$want"

close_and_expect_success "$close_window"
echo "study end-to-end: all checks passed"
