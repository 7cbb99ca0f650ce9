#!/usr/bin/env bash
# Animated pictures from render OUT.gif, read back frame by frame: animation_test.sh PLEXARO_CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
if ! "$cli" render "$work/probe.gif" 2>/dev/null || ! command -v identify >/dev/null; then
  echo "SKIP: this build writes no GIF, or ImageMagick is not here to read one"
  exit 0
fi
frames() { identify "$1" | wc -l; }
# Pixels that differ between two pictures; compare prints the count on standard error.
differ() { compare -metric AE "$1" "$2" null: 2>&1; }

# On the net, frame k is the still picture after the first k moves, letters and scale as asked.
moves=(R U2 x "2Rw'" Fw)
out=$("$cli" render "$work/net.gif" --json --size 4 --letters faces --scale 2 --alg "${moves[*]}")
[ "$out" = '{"frames":6,"moves":5}' ] || fail "net animation's JSON: $out"
[ "$(frames "$work/net.gif")" -eq 6 ] || fail "net animation has $(frames "$work/net.gif") frames, not 6"
for k in 0 1 2 3 4 5; do
  "$cli" render "$work/still$k.png" --size 4 --letters faces --scale 2 --alg "${moves[*]:0:k}"
  n=$(differ "$work/net.gif[$k]" "$work/still$k.png")
  [ "$n" = 0 ] || fail "frame $k differs from the picture after $k moves in $n pixels"
done
# The first and last frames are held a second; the others show for the delay, rounded to 10 ms.
"$cli" render "$work/slow.gif" --delay 25 --moves "R U F"
[ "$(identify -format '%T ' "$work/slow.gif")" = "100 3 3 100 " ] ||
  fail "delays: $(identify -format '%T ' "$work/slow.gif")"

# Every kind of input is played in order from the start the keys make; the last frame is where they end.
args=(--size 3 --keys "rr" --moves "U l" --alg "F2 y" --moves "d")
"$cli" render "$work/mixed.gif" "${args[@]}"
"$cli" render "$work/mixed.png" "${args[@]}"
[ "$(frames "$work/mixed.gif")" -eq 6 ] || fail "mixed input gives $(frames "$work/mixed.gif") frames, not 6"
n=$(differ "$work/mixed.gif[5]" "$work/mixed.png")
[ "$n" = 0 ] || fail "the last frame differs from the pattern the inputs make in $n pixels"
"$cli" render "$work/start.png" --size 3 --keys "rr"
n=$(differ "$work/mixed.gif[0]" "$work/start.png")
[ "$n" = 0 ] || fail "the first frame is not the pattern the keys make ($n pixels)"

# The cube views: F frames a quarter turn, a half turn twice as many, a rotation turning too.
out=$("$cli" render "$work/cube.gif" --json --view cube --frames 3 --size 5 --alg "R U2 x")
[ "$out" = '{"frames":13,"moves":3}' ] || fail "cube animation's JSON: $out"
[ "$(frames "$work/cube.gif")" -eq 13 ] || fail "cube animation has $(frames "$work/cube.gif") frames, not 13"
"$cli" render "$work/end.png" --view cube --size 5 --alg "R U2 x"
n=$(differ "$work/cube.gif[12]" "$work/end.png")
[ "$n" = 0 ] || fail "the cube's last frame differs from its still picture in $n pixels"
n=$(differ "$work/cube.gif[1]" "$work/cube.gif[0]")
[ "$n" != 0 ] || fail "the cube's second frame shows no turn begun"
"$cli" render "$work/one.gif" --view cube-both
[ "$(frames "$work/one.gif")" -eq 1 ] || fail "an empty sequence is not one frame"

# Bad values are bad usage; too big an animation is refused; neither touches a file already there.
cp "$work/net.gif" "$work/keep.gif"
yes R | head -n 10000 >"$work/long.mov"
: >"$work/err"
before=$(ls -A "$work")
for bad in "--frames 0" "--frames 61" "--frames 3" "--delay 19" "--delay 10001" "--view cube --frames x"; do
  # shellcheck disable=SC2086
  "$cli" render "$work/keep.gif" $bad --moves R 2>/dev/null
  [ $? -eq 2 ] || fail "render $bad was not bad usage"
done
"$cli" render "$work/still.png" --delay 40 2>/dev/null
[ $? -eq 2 ] || fail "--delay on a still picture was not bad usage"
"$cli" render "$work/keep.gif" --moves-file "$work/long.mov" 2>"$work/err"
[ $? -eq 1 ] || fail "10,001 frames were not refused"
grep -q "10001 frames" "$work/err" || fail "the refusal does not give the count: $(cat "$work/err")"
"$cli" render "$work/keep.gif" --view cube --frames 30 --size 10 --scale 16 --alg R 2>/dev/null
[ $? -eq 1 ] || fail "more than 2,000,000,000 pixels were not refused"
"$cli" render "$work/keep.gif" --alg "R Q" 2>/dev/null
[ $? -eq 1 ] || fail "a bad move was not refused"
cmp -s "$work/net.gif" "$work/keep.gif" || fail "a refusal changed the file already there"
[ "$(ls -A "$work")" = "$before" ] || fail "a refusal left a file behind: $(ls -A "$work")"

[ "$failures" -eq 0 ] && echo "animation: all passed"
exit "$failures"
