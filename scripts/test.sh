#!/usr/bin/env bash
# Sets up, builds and runs every test: the native build, then each extra stage in scripts/stages/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DPLEXARO_BENCHMARKS=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2
echo "== native build and tests: ${SECONDS}s"
for stage in scripts/stages/*.sh; do
  [ -e "$stage" ] || continue
  echo "== $stage"
  start=$SECONDS
  bash "$stage"
  echo "== $stage: $((SECONDS - start))s"
done
