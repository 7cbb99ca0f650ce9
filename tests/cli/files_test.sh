#!/usr/bin/env bash
# Subcommands that write or read files: files_test.sh PLEXARO_CLI CASES_DIR
set -u
cli=$1
cases=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A saved pattern reads back as the same net, from a path and from standard input.
"$cli" save "$work/a.q" --size 5 --moves "R U F' l2 d" || fail "save exited with $?"
expected=$("$cli" show --size 5 --moves "R U F' l2 d")
[ "$("$cli" show --pattern "$work/a.q")" = "$expected" ] || fail "show --pattern differs from the net saved"
[ "$("$cli" show --pattern - <"$work/a.q")" = "$expected" ] || fail "show --pattern - differs from the net saved"
[ "$(head -c 1 "$work/a.q" | od -An -tu1 | tr -d ' ')" = 5 ] || fail "the saved file does not start with size 5"
[ "$(wc -c <"$work/a.q")" -eq $((1 + 6 * 25)) ] || fail "the saved file is not 151 bytes"
# Moves after a pattern continue from it: R then R' comes back to the file's net.
[ "$("$cli" show --pattern "$work/a.q" --moves "R" --moves "R'")" = "$expected" ] ||
  fail "moves applied to a loaded pattern did not continue from it"

# Refused inputs: status 1, one line on standard error, no file left behind or changed.
cp "$work/a.q" "$work/keep.q"
"$cli" save "$work/keep.q" --pattern "$cases/big.q" 2>"$work/err"
[ $? -eq 1 ] || fail "save of a refused pattern did not exit with 1"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "the refusal is not one line: $(cat "$work/err")"
cmp -s "$work/a.q" "$work/keep.q" || fail "a refused save changed the file already there"
"$cli" save "$work/none.q" --moves "R Uxx" 2>/dev/null
[ $? -eq 1 ] || fail "save with a long token did not exit with 1"
"$cli" render "$work/none.svg" --moves-file "$work/missing.mov" 2>/dev/null
[ $? -eq 1 ] || fail "render of a missing move file did not exit with 1"
[ -z "$(ls "$work" | grep none)" ] || fail "a refused input left a file: $(ls "$work")"

# Inputs that never end or are no file: a refusal in one line, never a hang. `timeout` only guards.
timeout 20 "$cli" show --moves-file - </dev/zero >/dev/null 2>"$work/err"
[ $? -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "endless NUL bytes were not refused: $(cat "$work/err")"
yes U | timeout 60 "$cli" order --moves-file - >/dev/null 2>"$work/err"
[ $? -eq 1 ] && grep -q "past 64 MiB" "$work/err" || fail "an endless stream of moves was not refused: $(cat "$work/err")"
timeout 20 "$cli" show --pattern "$work" >/dev/null 2>"$work/err"
[ $? -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "a folder as a pattern was not refused: $(cat "$work/err")"

# Real sequences of any length are read whole: a million moves from a file and from a pipe, 800,000 in
# the standard notation. (R U) repeated 500,000 times has order 105 / gcd(105, 500,000) = 21.
yes "R U" | head -n 500000 >"$work/million.mov"
[ "$("$cli" order --moves-file "$work/million.mov" | head -n 1)" = "order 21" ] ||
  fail "a million moves from a file did not give their order"
[ "$(cat "$work/million.mov" | "$cli" order --moves-file - | head -n 1)" = "order 21" ] ||
  fail "a million moves from a pipe did not give their order"
yes "R U" | head -n 400000 >"$work/many.alg"
[ "$("$cli" order --alg-file "$work/many.alg" | head -n 1)" = "order 21" ] ||
  fail "800,000 moves from an .alg file did not give their order"

# Pictures: an SVG, and a PNG where this build writes them.
"$cli" render "$work/net.svg" --scale 2 --letters faces --size 4 || fail "render svg exited with $?"
grep -q "<svg" "$work/net.svg" || fail "net.svg holds no svg element"
if "$cli" render "$work/net.png" --letters colours --moves "R" 2>"$work/err"; then
  [ "$(head -c 4 "$work/net.png" | od -An -c | tr -d ' ')" = "211PNG" ] || fail "net.png has no PNG signature"
else
  grep -qi png "$work/err" || fail "render png failed for another reason: $(cat "$work/err")"
fi
"$cli" render "$work/net.jpg" 2>/dev/null
[ $? -eq 1 ] || fail "render to .jpg was not refused"
"$cli" render "$work/net.svg" --scale 99 2>/dev/null
[ $? -eq 2 ] || fail "--scale 99 was not bad usage"

# Batch: a row per file, a refused file marked in its row and in the status.
printf 'R U\n' >"$work/ru.mov"
"$cli" batch "$work/ru.mov" "$work/a.q" "$cases/big.q" "$cases/twisted.q" >"$work/rows.csv" 2>/dev/null
[ $? -eq 1 ] || fail "batch with a refused file did not exit with 1"
[ "$(head -n 1 "$work/rows.csv")" = \
  "file,kind,size,moves_q,moves_f,order,facelet_order,group,symmetries,total_c,total_m,reachable,solution_f,solution_obtm,error" ] ||
  fail "batch header: $(head -n 1 "$work/rows.csv")"
[ "$(wc -l <"$work/rows.csv")" -eq 5 ] || fail "batch printed $(wc -l <"$work/rows.csv") lines, not 5"
grep -q "^$work/ru.mov,moves,3,2,2,105,105,.*,true,2,2,$" "$work/rows.csv" || fail "ru.mov row: $(grep ru.mov "$work/rows.csv")"
# From 4x4x4 up the solution columns hold the block turns and outer block turns of the answer.
grep -q "^$work/a.q,pattern,5,,,,,.*,true,[0-9][0-9]*,[0-9][0-9]*,$" "$work/rows.csv" || fail "a.q row: $(grep a.q "$work/rows.csv")"
grep -q "twisted.q,pattern,3,,,,,.*,false,,,$" "$work/rows.csv" || fail "twisted.q row: $(grep twisted "$work/rows.csv")"
grep -q "big.q,pattern,,,,,,,,,,,.*size byte is 11" "$work/rows.csv" || fail "big.q row: $(grep big "$work/rows.csv")"
"$cli" batch --json --size 2 "$work/ru.mov" "$cases/four.q" >"$work/rows.json" || fail "batch --json exited with $?"
if command -v python3 >/dev/null; then
  python3 - "$work/rows.json" <<'PY' || fail "batch --json rows"
import json, sys
rows = json.load(open(sys.argv[1]))
assert len(rows) == 2, rows
mov, pattern = rows
assert (mov["kind"], mov["size"], mov["order"], mov["moves_q"], mov["error"]) == ("moves", 2, 15, 2, None), mov
assert mov["solution_f"] == 2 and mov["solution_obtm"] == 2 and pattern["solution_f"] is None, rows
assert (pattern["kind"], pattern["size"], pattern["order"], pattern["moves_q"]) == ("pattern", 4, None, None), pattern
assert isinstance(pattern["symmetries"], int) and 48 % pattern["symmetries"] == 0, pattern
assert pattern["total_m"] == 48 // pattern["symmetries"], pattern
PY
fi
# Files that cannot be studied: a long token, a missing file, another kind of file. Each keeps its row.
printf 'R Uxx F\n' >"$work/long.mov"
"$cli" batch --json "$work/long.mov" "$work/gone.q" "$work/rows.csv" >"$work/bad.json" 2>"$work/err"
[ $? -eq 1 ] || fail "batch of refused files did not exit with 1"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "batch said more than one line on standard error: $(cat "$work/err")"
if command -v python3 >/dev/null; then
  python3 - "$work/bad.json" <<'PY' || fail "batch --json rows of refused files"
import json, sys
rows = json.load(open(sys.argv[1]))
assert [row["kind"] for row in rows] == ["moves", "pattern", None], rows
assert all(row["error"] and row["size"] is None and row["order"] is None for row in rows), rows
assert "Uxx" in rows[0]["error"] and "cannot open" in rows[1]["error"], rows
PY
fi
"$cli" batch --csv --json "$work/ru.mov" 2>/dev/null
[ $? -eq 2 ] || fail "batch --csv --json was not bad usage"

[ "$failures" -eq 0 ] && echo "all file checks passed"
exit $((failures > 0))
