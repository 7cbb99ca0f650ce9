#!/usr/bin/env bash
# The Windows program under Wine on a running X display: keys typed with xdotool, the net read back
# from screenshots and every box read back, each compared with what the headless program makes of the
# same keys.
# usage: gui_test.sh BUILD_DIR READ_NET PLEXARO_CLI WORK_DIR   (with DISPLAY and WINEPREFIX set; WINE
# names the loader, wine by default)
set -uo pipefail
WINE=${WINE:-wine}
build=$1 read_net=$2 cli=$3 work=$4
exe=$build/frontends/win32/plexaro.exe
faults_exe=$build/frontends/win32/plexaro_faults.exe
probe=$build/tests/win32/plexaro_probe.exe
mkdir -p "$work"
passed=0
failed=0
program=""

pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }
check() {  # name expected actual
  if [ "$2" == "$3" ]; then pass "$1"; else fail "$1" "expected [$2], got [$3]"; fi
}

# The id of a visible top-level window with exactly this title, once there is one (~10 s at most).
wait_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

wait_gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

geometry() {  # "X Y WIDTH HEIGHT" of a window
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}

shot() { import -window root -depth 8 "ppm:$work/shot.ppm"; }

# Clicks a window where a click does nothing else, near the client's bottom-right corner or, for a
# box, on its caption; Wine then makes it the active window. Waits until it has the keyboard.
activate() {  # id [caption]
  local g
  read -r -a g <<<"$(geometry "$1")"
  if [ "${2:-}" == caption ]; then
    xdotool mousemove $((g[0] + g[2] / 2)) $((g[1] + 8)) click 1
  else
    xdotool mousemove $((g[0] + g[2] - 30)) $((g[1] + g[3] - 20)) click 1
  fi
  for _ in $(seq 20); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ] && return 0
    sleep 0.1
  done
}

launch() {
  "$WINE" "$@" >"$work/stdout" 2>"$work/stderr" &
  program=$!
}

# Starts the program; sets main (its window) and origin (its client area's corner on screen).
start() {
  launch "$@"
  main=$(wait_window Plexaro) || return 1
  for _ in $(seq 30); do
    shot
    origin=$("$read_net" origin "$work/shot.ppm" $(geometry "$main" | cut -d' ' -f1,2)) && return 0
    sleep 0.2
  done
  return 1
}

# Sets code to the program's exit code once it has ended (~15 s at most); a program still running
# then is ended. Not in a subshell: only this shell can wait for the program.
finish_program() {
  code="still running"
  for _ in $(seq 150); do
    if ! kill -0 "$program" 2>/dev/null; then
      wait "$program"
      code=$?
      return
    fi
    sleep 0.1
  done
  kill "$program"
  wait "$program" 2>/dev/null
}

# The headless program's net, and its boxes' texts, for the same keys and files.
cli_net() { "$cli" "$@" 2>/dev/null | tail -n 6; }
cli_box() {  # title cli-arguments...
  local title=$1
  shift
  "$cli" "$@" 2>/dev/null | head -n -6 | awk -v t="[$title]" '/^\[.*\]$/ { on = ($0 == t); next } on'
}

# Waits until the net on screen equals `expected`, and prints the last reading.
screen_net() {  # size expected
  local net
  for _ in $(seq 20); do
    shot
    net=$("$read_net" net "$work/shot.ppm" $origin "$1")
    [ "$net" == "$2" ] && break
    sleep 0.2
  done
  echo "$net"
}

expect_net() {  # name size cli-arguments...
  local name=$1 size=$2 expected
  shift 2
  expected=$(cli_net "$@" | "$read_net" mask "$size")
  check "$name" "$expected" "$(screen_net "$size" "$expected")"
}

box_text() { "$WINE" "$probe" text "$1" 2>/dev/null; }

# Checks that the box comes up with the headless program's text for the same keys, and closes it
# with Return.
expect_box() {  # title cli-arguments...
  local title=$1 box
  shift
  if ! box=$(wait_window "$title"); then
    fail "$title box" "no window titled $title"
    return 1
  fi
  check "$title box says what the headless program says" "$(cli_box "$title" "$@")" "$(box_text "$title")"
  close_box "$title" "$box"
}

close_box() {  # title [id]
  local box=${2:-}
  [ -n "$box" ] || box=$(wait_window "$1") || return 1
  activate "$box" caption
  xdotool key Return
  if wait_gone "$1"; then pass "$1 box closes with Return"; else fail "$1 box closes with Return" "still up"; fi
}

open_file() {  # key path: picks the file in the open-file dialog
  activate "$main"
  xdotool type "$1"
  if ! wait_window Open >/dev/null; then
    fail "open dialog for $1" "no dialog"
    return 1
  fi
  xdotool type --delay 20 "Z:${2//\//\\}"
  xdotool key Return
  wait_gone Open
}

# Opens the right button's menu and picks the item that many steps from its top (Down) or end (Up);
# separators are passed over and greyed items counted.
menu_pick() {  # count [key]
  activate "$main"
  read -r ox oy <<<"$origin"
  xdotool mousemove $((ox + 300)) $((oy + 250)) click 3
  for _ in $(seq 20); do "$WINE" "$probe" menu && break; sleep 0.1; done
  for _ in $(seq "$1"); do xdotool key "${2:-Down}"; done
  xdotool key Return
}

# Patterns of size 4 and 2 with every colour, and a move file of one R.
pattern() {  # size file
  local n=$1 bytes
  bytes="\\x$(printf %02x "$n")"
  for face in 0 1 2 3 4 5; do
    for ((cell = 0; cell < n * n; cell++)); do bytes+="\\x0$(((face + cell / n + 2 * (cell % n)) % 6))"; done
  done
  printf "$bytes" >"$2"
}
pattern 4 "$work/four.q"
pattern 2 "$work/two.q"
printf 'R\n' >"$work/r.mov"

echo "== plexaro.exe: window, keys, boxes and files"
if ! start "$exe"; then
  fail "window shows the solved net" "no window with a readable net"
  [ -n "$program" ] && finish_program
else
  pass "window shows the solved net"
  # Where the client area sits in the frame, for runs whose first net is no solved 3x3x3.
  read -r gx gy _ <<<"$(geometry "$main")"
  read -r ox oy <<<"$origin"
  frame="$((ox - gx)) $((oy - gy))"
  check "window at (50, 50), 600 x 400" "50 50 600 400" "$(geometry "$main")"

  keys="udfblr-=\\|&'(,m"
  activate "$main"
  xdotool type --delay 30 "$keys"
  xdotool key Left Up Right Down
  keys+="<Left><Up><Right><Down>"
  expect_net "turn, rotate, reflect and scramble keys" 3 "$keys"

  # The count brings the cube into its standard orientation.
  activate "$main"
  xdotool type "%"
  expect_box Symmetry "$keys%"
  keys+="%"
  expect_net "symmetry count" 3 "$keys"

  # While a box is up the window takes no key, yet paints: shrunk and enlarged again, it shows
  # the whole net.
  activate "$main"
  xdotool type "?"
  if help=$(wait_window Help); then
    check "Help box says what the headless program says" "$(cli_box Help "?")" "$(box_text Help)"
    # The window is disabled: the click makes nothing active.
    read -r -a g <<<"$(geometry "$main")"
    xdotool mousemove $((g[0] + g[2] - 30)) $((g[1] + g[3] - 20)) click 1
    xdotool type "u"
    "$WINE" "$probe" resize 120 100
    for _ in $(seq 50); do [ "$(geometry "$main" | cut -d' ' -f3)" -lt 200 ] && break; sleep 0.1; done
    "$WINE" "$probe" resize 600 400
    expect_net "window repaints while a box is up" 3 "$keys"
    close_box Help "$help"
    expect_net "no key ran while the box was up" 3 "$keys"
  else
    fail "Help box" "no window titled Help"
  fi

  activate "$main"
  xdotool type "["
  if wait_window Open >/dev/null; then
    xdotool key Escape
    expect_box Error "["
  else
    fail "open dialog for [" "no dialog"
  fi
  expect_net "cancelled dialog changes nothing" 3 "$keys"

  open_file "[" "$work/four.q"
  expect_net "4x4x4 pattern file" 4 --open "$work/four.q" "["
  open_file "[" "$work/two.q"
  expect_net "2x2x2 pattern file after it" 2 --open "$work/two.q" "["
  # The smaller net leaves no square of the larger one on screen, right of it or below it.
  shot
  check "larger net erased" "0 0" "$("$read_net" nonwhite "$work/shot.ppm" $origin 130 8 260 215) $(
    "$read_net" nonwhite "$work/shot.ppm" $origin 4 116 130 168)"

  open_file "{" "$work/r.mov"
  expect_box Moves --open "$work/two.q" --open "$work/r.mov" "[{"
  expect_net "move file without replay" 2 --open "$work/two.q" --open "$work/r.mov" "[{"

  # The right button's menu, picked from the keyboard from its top: the solver's moves in a
  # box, then saved as a move file that makes the pattern again. The Menu key opens nothing.
  # Keys are taken in order, and a menu would take them: once r and Left show, the Menu key before them
  # was taken and opened nothing.
  activate "$main"
  xdotool key Menu
  xdotool type r
  xdotool key Left
  made=(--open "$work/two.q" --open "$work/r.mov" "[{r<Left>")
  expect_net "the Menu key opens no menu" 2 "${made[@]}"
  if "$WINE" "$probe" menu; then fail "the Menu key opens no menu" "a menu is up"; xdotool key Escape; fi
  menu_pick 9  # Moves that make this pattern...
  if box=$(wait_window "Moves that make this pattern"); then
    check "solver box from the menu says what plexaro-cli solve says" \
      "From the solved cube: $("$cli" solve --size 2 --moves "R R" --keys "<Left>" | sed -n 's/^moves: //p')" \
      "$(box_text "Moves that make this pattern" | head -n 1)"
    close_box "Moves that make this pattern" "$box"
  else
    fail "solver box from the menu" "no box"
  fi
  menu_pick 10  # Save these moves as...
  if wait_window "Save As" >/dev/null; then
    xdotool type --delay 20 "Z:${work//\//\\}\\made"
    xdotool key Return
    wait_gone "Save As"
  fi
  # The program writes the file once the dialog is gone.
  for _ in $(seq 30); do [ -f "$work/made.mov" ] && break; sleep 0.1; done
  if [ -f "$work/made.mov" ]; then pass "moves saved as made.mov"; else fail "moves saved as made.mov" "no file"; fi
  activate "$main"
  xdotool type "*"
  open_file "{" "$work/made.mov"
  close_box Moves
  expect_net "the saved moves make the pattern" 2 "${made[@]}"

  activate "$main"
  xdotool key alt+F4
  finish_program
  check "closing the window ends with exit code 0" 0 "$code"
fi

echo "== plexaro.exe --replay"
if start "$exe" --replay; then
  open_file "{" "$work/r.mov"
  close_box Moves
  expect_net "replay brings the cube back to solved" 3 --replay --open "$work/r.mov" "{"
  activate "$main"
  xdotool key alt+F4
  finish_program
  check "exit code 0 after the replay" 0 "$code"
else
  fail "replay brings the cube back to solved" "no window"
  [ -n "$program" ] && finish_program
fi

echo "== plexaro.exe: typed moves in the player's window, a step back, and a key in the main window"
# Clicks the control that says TEXT in the window titled TITLE where it is on screen.
click_control() {  # title text
  local at
  at=$("$WINE" "$probe" place "$1" "$2" | tr -d '\r') || return 1
  read -r cx cy <<<"$at"
  xdotool mousemove "$cx" "$cy" click 1
}
if start "$exe"; then
  typed="R U F'"
  menu_pick 4  # Type moves...
  if wait_window "Type moves" >/dev/null; then
    xdotool type --delay 20 "$typed"
    xdotool key Return
    wait_gone "Type moves"
  fi
  expect_net "typed moves" 3 show --alg "$typed"
  menu_pick 11  # Play moves...
  if wait_window "Plexaro moves" >/dev/null; then
    pass "Play moves opens the player's window"
    click_control "Plexaro moves" Back || fail "the player's Back button" "not found"
    expect_net "a step back in the player shows the moves before the last" 3 show --alg "R U"
    # F' turns a face and a ring of three squares on each of the four faces around it.
    shot
    check "the next move's layer is outlined on the net" 21 "$("$read_net" marked "$work/shot.ppm" $origin 3)"
    # Made active by its caption, which the core never sees, so the key is the first thing it takes.
    activate "$main" caption
    xdotool type u
    if wait_gone "Plexaro moves"; then
      pass "a key in the main window closes the player's window"
    else
      fail "a key in the main window closes the player's window" "still up"
    fi
    expect_net "the key turns the cube the player left" 3 show --alg "R U" --keys u
    shot
    check "no outline once the player is closed" 0 "$("$read_net" marked "$work/shot.ppm" $origin 3)"
  else
    fail "Play moves opens the player's window" "no window titled Plexaro moves"
  fi
  activate "$main" caption
  xdotool key alt+F4
  finish_program
  check "exit code 0 after the player" 0 "$code"
else
  fail "typed moves" "no window"
  [ -n "$program" ] && finish_program
fi

echo "== plexaro.exe FILE: the file at start, a click and its undo, the BMP picture, a dropped file"
winpath() { echo "Z:${1//\//\\}"; }
# The net with one square's colour moved on by `step`.
bump() {  # net n face row column step
  awk -v n="$2" -v f="$3" -v r="$4" -v c="$5" -v s="$6" \
    'NR == f + 1 { i = r * (n + 1) + c + 1; $0 = substr($0, 1, i - 1) ((substr($0, i, 1) + s + 6) % 6) substr($0, i + 1) } 1' <<<"$1"
}
launch "$exe" "$(winpath "$work/four.q")"
if [ -n "${frame:-}" ] && main=$(wait_window Plexaro); then
  read -r gx gy _ <<<"$(geometry "$main")"
  read -r fx fy <<<"$frame"
  origin="$((gx + fx)) $((gy + fy))"
  start=$(cli_net show --pattern "$work/four.q")
  expect_net "a file named at start paints what plexaro-cli show prints" 4 show --pattern "$work/four.q"

  menu_pick 6  # Export picture...
  if wait_window "Save As" >/dev/null; then
    xdotool type --delay 20 "$(winpath "$work/shown")"
    xdotool key Return
    wait_gone "Save As"
  fi
  for _ in $(seq 30); do [ -f "$work/shown.bmp" ] && break; sleep 0.1; done
  "$cli" render "$work/expected.bmp" --pattern "$work/four.q"
  if cmp -s "$work/shown.bmp" "$work/expected.bmp"; then
    pass "BMP exported through the save dialog equals the core's raster"
  else
    fail "BMP exported through the save dialog equals the core's raster" "$(ls -l "$work"/*.bmp 2>&1)"
  fi

  # F's square at row 1, column 2 ends at (109, 108); the core's hit test names what is there.
  read -r ox oy <<<"$origin"
  hit=$("$WINE" "$probe" hit 4 109 108 | tr -d '\r')
  check "the core's hit test names F's square at its last pixel" "2 1 2" "$hit"
  check "and no square in the gap after it" none "$("$WINE" "$probe" hit 4 110 108 | tr -d '\r')"
  activate "$main"
  xdotool mousemove $((ox + 110)) $((oy + 108)) click 1
  xdotool mousemove $((ox + 109)) $((oy + 108)) click 1
  clicked=$(bump "$start" 4 $hit 1 | "$read_net" mask 4)
  check "a left click gives that square the next colour" "$clicked" "$(screen_net 4 "$clicked")"
  xdotool keydown shift click 1 keyup shift
  masked=$("$read_net" mask 4 <<<"$start")
  check "Shift+click gives it the colour before" "$masked" "$(screen_net 4 "$masked")"
  xdotool click 1
  screen_net 4 "$clicked" >/dev/null
  menu_pick 1  # Undo, at the top
  check "Undo after a click restores the square" "$masked" "$(screen_net 4 "$masked")"

  "$WINE" "$probe" drop "$(winpath "$work/two.q")"
  expect_net "a dropped file opens" 2 show --pattern "$work/two.q"
  activate "$main"
  xdotool key alt+F4
  finish_program
  check "exit code 0 after the file at start and the drop" 0 "$code"
else
  fail "a file named at start paints what plexaro-cli show prints" "no window"
  [ -n "$program" ] && finish_program
fi

echo "== plexaro.exe with a command line it cannot take"
launch "$exe" --replay one.q two.q
if box=$(wait_window Plexaro); then
  check "the usage in a box" "usage: plexaro [--replay] [FILE]
       plexaro --version" "$(box_text Plexaro)"
  close_box Plexaro "$box"
else
  fail "the usage in a box" "no box titled Plexaro"
fi
finish_program
check "bad usage ends with exit code 2" 2 "$code"

echo "== the test build with its third brush refused"
launch "$faults_exe" --fail-object 4
if box=$(wait_window Plexaro); then
  check "start-up failure box, not the window" "Failure during initialisation!

Click OK to exit." "$(box_text Plexaro)"
  close_box Plexaro "$box"
else
  fail "start-up failure box, not the window" "no box titled Plexaro"
fi
finish_program
check "start-up failure ends with exit code 0" 0 "$code"

echo "gui: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
