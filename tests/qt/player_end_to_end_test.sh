#!/usr/bin/env bash
# The real program under Xvfb with the mouse and keys: moves typed through the right-button menu, then
# "Play moves…" opens the player's window beside the main one; a key in the main window closes the
# player and turns as always, and "Save pattern as" writes what plexaro-cli makes of the same moves.
# usage: player_end_to_end_test.sh PLEXARO X11_CLOSE PLEXARO_CLI
set -euo pipefail
plexaro=$1
close_window=$2
cli=$3
work=$(mktemp -d)
# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"

"$plexaro" 2>"$work/plexaro.log" &
plexaro_pid=$!
window=$(window_named Plexaro) || fail "no window titled Plexaro"
xdotool windowfocus --sync "$window"

# Down skips greyed items.
before=$(windows)
menu_pick() {  # how many Downs
  open_menu
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
}

# Type moves: the second enabled item on a fresh start (Undo and Redo are greyed).
menu_pick 2
prompt=$(window_named "Type moves") || fail "no Type moves prompt"
xdotool windowfocus --sync "$prompt"
xdotool type --delay 5 "R U F'"
xdotool key Return
for _ in $(seq 200); do
  [ -z "$(xdotool search --onlyvisible --name '^Type moves$' 2>/dev/null)" ] && break
  sleep 0.05
done

# Play moves: after Undo, Apply moves, Type moves, Save pattern as, Export picture, About this pattern
# and Moves that make this pattern (Redo, Order of the last move file and Save these moves are greyed).
menu_pick 8
player=$(window_named "Plexaro moves") || fail "Play moves opened no window titled Plexaro moves"
[ "$(xdotool search --onlyvisible --name '^Plexaro$' | head -n1)" = "$window" ] ||
  fail "the main window went away with the player up"

# A key in the main window closes the player first, then turns.
xdotool mousemove --window "$window" 5 5
xdotool windowfocus --sync "$window"
xdotool key u
for _ in $(seq 200); do
  [ -z "$(xdotool search --onlyvisible --name '^Plexaro moves$' 2>/dev/null)" ] && break
  sleep 0.05
done
[ -z "$(xdotool search --onlyvisible --name '^Plexaro moves$' 2>/dev/null)" ] ||
  fail "the player stayed up after a key in the main window"

# Save pattern as: now the fourth enabled item (Undo, Apply moves, Type moves, Save pattern as).
menu_pick 4
type_into_chooser "Save As" "$work/saved"
for _ in $(seq 400); do
  [ -s "$work/saved.q" ] && break
  sleep 0.05
done
[ -s "$work/saved.q" ] || fail "Save pattern as wrote no $work/saved.q"
want=$("$cli" show --alg "R U F'" --keys u)
got=$("$cli" show --pattern "$work/saved.q")
[ "$got" = "$want" ] || fail "after the player and u the window holds
$got
not
$want"

close_and_expect_success "$close_window"
echo "player end-to-end: all checks passed"
