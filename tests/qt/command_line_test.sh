#!/usr/bin/env bash
# The program's command line and a start without a display: exit statuses and what reaches stderr.
# usage: command_line_test.sh PLEXARO
set -uo pipefail
plexaro=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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

for args in "--bogus" "--replay extra" "-platform offscreen" "replay"; do
  # shellcheck disable=SC2086  # the words are the arguments
  run QT_QPA_PLATFORM=offscreen "$plexaro" $args
  [ "$status" -eq 2 ] || check "'$args' exits with $status, not 2"
  [ "$err" = "usage: plexaro [--replay]" ] || check "'$args' says: $err"
  [ ! -s "$work/out" ] || check "'$args' writes to stdout"
done

for setting in "DISPLAY=" "DISPLAY=:4077" "QT_QPA_PLATFORM=xcb" "DISPLAY=nohost.invalid:0"; do
  for args in "" "--replay"; do
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

[ "$failures" -eq 0 ] || exit 1
echo "command line: all checks passed"
