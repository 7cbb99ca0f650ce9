# Shared by the end-to-end tests: a private Xvfb display, window searches, colours read back from
# screenshots, boxes closed on Return, and the close request. Source it after setting `work`.
for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed" >&2
    exit 77
  fi
done
xvfb_pid=
plexaro_pid=
cleanup() {
  [ -z "$plexaro_pid" ] || kill "$plexaro_pid" 2>/dev/null || true
  # A server still going away would later take the socket of the next one on its number with it.
  [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Xvfb picks a free display itself and names it once it accepts clients. Without a reset when its last
# client leaves: a reset drops a client that is connecting at that moment.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 400); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# The one visible window with exactly this title. A search can trip over a window that closes while it
# looks (the chooser going away), so it is asked again rather than trusted once.
window_named() {
  local found
  for _ in $(seq 400); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$found" ] && echo "$found" && return 0
    sleep 0.05
  done
  return 1
}

# How many windows are visible; the right-button menu is a window of its own.
windows() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }
# Opens the right-button menu over $window, which makes one more window than `before` counts.
open_menu() {
  xdotool mousemove --window "$window" 300 300 click 3
  for _ in $(seq 200); do
    [ "$(windows)" -gt "$before" ] && return 0
    sleep 0.05
  done
  fail "no menu after a right click"
}

# The colour at client (x, y) of $window, as #RRGGBB. Reads one picture of the net for every check.
shot() { import -window "$window" -depth 8 -crop 200x180+0+0 +repage "txt:$work/shot.txt"; }
colour_at() { awk -v at="$1,$2:" '$1 == at { print $3 }' "$work/shot.txt"; }
expect() {
  local what=$1 x=$2 y=$3 want=$4 got
  got=$(colour_at "$x" "$y")
  [ "$got" = "$want" ] || fail "$what: ($x, $y) is $got, not $want"
}
# Waits until the net shows `want` at (x, y): repaints come from the event loop.
expect_soon() {
  for _ in $(seq 200); do
    shot
    [ "$(colour_at "$2" "$3")" = "$4" ] && return 0
    sleep 0.05
  done
  expect "$@"
}

# A box comes up over the window and goes on Return.
close_box() {
  local box
  box=$(window_named "$1") || fail "no box titled $1"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  for _ in $(seq 200); do
    [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && return 0
    sleep 0.05
  done
  fail "the $1 box stayed up after Return"
}

# Types a path into the chooser with this title and accepts it. A completion list that the path
# brought up takes a Return for itself, so Return is given again while the chooser stays up.
type_into_chooser() {  # title path
  local chooser
  chooser=$(window_named "$1") || fail "no chooser titled $1"
  xdotool windowfocus --sync "$chooser"
  xdotool type --delay 5 "$2"
  for _ in $(seq 4); do
    xdotool key Return
    for _ in $(seq 80); do
      [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && return 0
      sleep 0.05
    done
  done
  fail "the $1 chooser stayed up"
}

# Sends the close request and expects the program to end with status 0.
close_and_expect_success() {  # X11_CLOSE
  "$1" "$window"
  for _ in $(seq 400); do
    kill -0 "$plexaro_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$plexaro_pid" 2>/dev/null && fail "still running after the close request"
  local status=0
  wait "$plexaro_pid" || status=$?
  plexaro_pid=
  [ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/plexaro.log")"
}
