#!/usr/bin/env bash
# The solve subcommand, its answers replayed by show: solve_test.sh PLEXARO_CLI CASES_DIR
set -u
cli=$1
cases=$2
err=$(mktemp)
trap 'rm -f "$err"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
field() { python3 -c 'import json,sys; print(json.loads(sys.argv[1])[sys.argv[2]])' "$1" "$2"; }

# Patterns seen after rotations and mirrors, at both sizes: the moves and then the arrow keys give the
# pattern, and the inverse brings it back to the solved cube.
for input in "--size 2 --keys u<Left>RRDF<Up>" "--size 3 --keys RUFFDR<Down>Lx" "--size 3 --moves F2" \
  "--size 3 --keys <Right>"; do
  # shellcheck disable=SC2086
  answer=$("$cli" solve --json $input) || fail "solve $input exited with $?"
  moves=$(field "$answer" moves)
  rotation=$(field "$answer" rotation)
  size=${input#--size }
  size=${size%% *}
  # shellcheck disable=SC2086
  [ "$("$cli" show --size "$size" --moves "$moves" --keys "$rotation")" = "$("$cli" show $input)" ] ||
    fail "solve $input: $moves $rotation does not make the pattern"
  [ "$(field "$answer" length_f)" -le 20 ] || fail "solve $input: more than 20 face turns"
  # shellcheck disable=SC2086
  back=$("$cli" solve --json --inverse $input)
  # shellcheck disable=SC2086
  [ "$("$cli" show $input --keys "$(field "$back" rotation)" --moves "$(field "$back" moves)")" = \
    "$("$cli" show --size "$size")" ] || fail "solve --inverse $input does not come back to solved"
done
# The JSON's seconds to the microsecond.
echo "$("$cli" solve --json --moves "R U")" | grep -Eq '"seconds":[0-9]+\.[0-9]{6}}$' ||
  fail "solve --json: seconds not to the microsecond"
answer=$("$cli" solve --moves "R U")
[ "$(echo "$answer" | head -n 2)" = "moves: R U
2 f, 2 q, 2 obtm, the fewest" ] || fail "solve text: $answer"

# Refusals: status 1 and the reason; bad usage 2.
"$cli" solve --pattern "$cases/twisted.q" >/dev/null 2>"$err"
[ $? -eq 1 ] || fail "a twisted corner was solved"
grep -qi corner "$err" || fail "the refusal names no corner: $(cat "$err")"

# Bigger cubes: the answer in the standard notation, with its block turns and outer block turns by stage,
# read back through --alg to the pattern. A pattern four turns away gets four; a far one, the phases.
json=$("$cli" solve --json --size 4 --moves "R U F' D2")
case "$json" in
  '{"alg":"'*'","length_btm":4,"length_obtm":4,"stages":{"short":4},"seconds":'*) ;;
  *) fail "solve --json at size 4: $json" ;;
esac
alg=$(echo "$json" | sed 's/.*"alg":"\([^"]*\)".*/\1/')
[ "$("$cli" show --size 4 --alg "$alg")" = "$("$cli" show --size 4 --moves "R U F' D2")" ] ||
  fail "the size-4 answer $alg does not make the pattern"
far="Rw U2 2F' L 3Uw Bw2 2D R' Fw 2L2 U Rw' 2B D2 Lw 2R F2 Uw'"
json=$("$cli" solve --json --size 4 --alg "$far")
case "$json" in
  '{"alg":"'*'","length_btm":'*',"length_obtm":'*',"stages":{"stage":'*',"split":'*',"pair":'*',"3x3x3":'*'},"seconds":'*) ;;
  *) fail "solve --json of a far 4x4x4 pattern: $json" ;;
esac
alg=$(echo "$json" | sed 's/.*"alg":"\([^"]*\)".*/\1/')
[ "$("$cli" show --size 4 --alg "$alg")" = "$("$cli" show --size 4 --alg "$far")" ] ||
  fail "the far size-4 answer $alg does not make the pattern"
answer=$("$cli" solve --size 6 --keys "<Left>")
[ "$answer" = "alg: y
0 btm, 0 obtm: short 0
$(echo "$answer" | tail -n 1)" ] || fail "a turned 6x6x6 is more than its rotation: $answer"
"$cli" solve --json --size 5 --moves "R U" --keys "-" | grep -q '"alg":"[^"]*2L[^"]*","length_btm":' ||
  fail "a turned slice at size 5 is not in the answer"
"$cli" solve --limit soon 2>/dev/null
[ $? -eq 2 ] || fail "--limit soon was not bad usage"

[ "$failures" -eq 0 ] && echo "all solve checks passed"
exit $((failures > 0))
