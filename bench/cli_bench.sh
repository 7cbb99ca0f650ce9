#!/usr/bin/env bash
# Times plexaro-cli on a move file of a million tokens, and batch over 10,000 files: bench/cli_bench.sh BUILD_DIR
set -euo pipefail
cli=$(realpath "${1:-build}/frontends/cli/plexaro-cli")
file=$(mktemp --suffix=.mov)
trap 'rm -f "$file"' EXIT
python3 -c "
import sys
tokens = ['R', 'U2', \"F'\", 'u', 'l2', 'B-', 'D+', 'T3']
sys.stdout.write(' '.join(tokens[k % 8] for k in range(1000000)) + '\n')" >"$file"
for run in 1 2 3; do
  /usr/bin/time -o /dev/stdout -f "run $run: %e s, %M KiB" "$cli" --open "$file" '{' 2>/dev/null | tail -n 1
done

# batch over 10,000 files: pattern files of every size from 2 to 10 and short move files, mixed.
folder=$(mktemp -d)
trap 'rm -f "$file"; rm -rf "$folder"' EXIT
python3 -c "
import random, sys
random.seed(7)
tokens = ['R', 'U2', \"F'\", 'L', 'D-', 'B+', 'u', 'r2']
for k in range(10000):
    if k % 2:
        with open(f'{sys.argv[1]}/m{k}.mov', 'w') as out:
            out.write(' '.join(random.choice(tokens) for _ in range(random.randint(1, 40))) + '\n')
    else:
        n = 2 + k % 9
        with open(f'{sys.argv[1]}/p{k}.q', 'wb') as out:
            out.write(bytes([n] + [random.randrange(6) for _ in range(6 * n * n)]))" "$folder"
for run in 1 2 3; do
  (cd "$folder" && /usr/bin/time -o /dev/stdout -f "batch of 10000 files, run $run: %e s (%U s user, %S s system), %M KiB" \
    "$cli" batch --csv --size 4 ./* 2>/dev/null | tail -n 1)
done
