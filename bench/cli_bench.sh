#!/usr/bin/env bash
# Times plexaro-cli on a move file of a million tokens: bench/cli_bench.sh BUILD_DIR
set -euo pipefail
cli="${1:-build}/frontends/cli/plexaro-cli"
file=$(mktemp --suffix=.mov)
trap 'rm -f "$file"' EXIT
python3 -c "
import sys
tokens = ['R', 'U2', \"F'\", 'u', 'l2', 'B-', 'D+', 'T3']
sys.stdout.write(' '.join(tokens[k % 8] for k in range(1000000)) + '\n')" >"$file"
for run in 1 2 3; do
  /usr/bin/time -o /dev/stdout -f "run $run: %e s, %M KiB" "$cli" --open "$file" '{' 2>/dev/null | tail -n 1
done
