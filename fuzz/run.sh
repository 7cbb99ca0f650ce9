#!/usr/bin/env bash
# Fuzzes every target (or the ones named) for SECONDS each; with --merge, folds what the runs found
# into the checked-in corpora instead, kept minimal.
#   fuzz/run.sh SECONDS [TARGET...]    PARALLEL=2 runs two targets at once
#   fuzz/run.sh --merge [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
all_targets=(pattern_file move_file dispatch study alg)

usage() {
  echo "usage: fuzz/run.sh SECONDS [TARGET...] | fuzz/run.sh --merge [TARGET...]" >&2
  echo "targets: ${all_targets[*]}" >&2
  exit 2
}
[ $# -ge 1 ] || usage
mode=$1
shift
if [ "$mode" != --merge ] && ! [[ $mode =~ ^[0-9]+$ ]]; then usage; fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for target in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $target "* ]] || usage
done

compiler=$(command -v clang++-14 || command -v clang++ || true)
[ -n "$compiler" ] || { echo "fuzz/run.sh: clang++ is needed (scripts/setup.sh installs it)" >&2; exit 1; }
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" -DPLEXARO_FUZZ=ON -DPLEXARO_QT=OFF \
  -DPLEXARO_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/plexaro_fuzz_}"

# Input length limits: a 10x10x10 pattern is 601 bytes; move files cross the 4096-byte read buffer.
declare -A options=(
  [pattern_file]="-max_len=1024"
  [move_file]="-max_len=9000 -dict=$root/fuzz/move_file.dict"
  [dispatch]="-max_len=256 -dict=$root/fuzz/dispatch.dict"
  [study]="-max_len=1024"
  [alg]="-max_len=4096 -dict=$root/fuzz/alg.dict"
)

# Merging keeps one input per edge reached (per hit count too for the small pattern reader), so the
# checked-in corpora stay at a few hundred small files.
declare -A merge_options=([pattern_file]="" [move_file]="-use_counters=0" [dispatch]="-use_counters=0" [study]="-use_counters=0" [alg]="-use_counters=0")

if [ "$mode" = --merge ]; then
  for target in "${targets[@]}"; do
    merged=$build/merged/$target
    rm -rf "$merged" && mkdir -p "$merged" "$build/work/$target"
    "$build/fuzz/plexaro_fuzz_$target" -merge=1 ${merge_options[$target]} ${options[$target]} "$merged" "$root/fuzz/corpus/$target" \
      "$build/work/$target" 2>&1 | grep -E '^MERGE-OUTER: [0-9]+ new files' || true
    # Named regression inputs stay whatever the merge thinks of them.
    find "$root/fuzz/corpus/$target" -type f -regextype posix-extended ! -regex '.*/[0-9a-f]{40}' \
      -exec cp {} "$merged" \;
    find "$root/fuzz/corpus/$target" -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -delete
    find "$merged" -type f -exec cp -n {} "$root/fuzz/corpus/$target" \;
    echo "$target: $(ls "$root/fuzz/corpus/$target" | wc -l) corpus files"
  done
  exit 0
fi

seconds=$mode
parallel=${PARALLEL:-1}
stamp=$build/run-started
touch "$stamp"
run_one() {
  local target=$1
  local logs=$build/logs/$target work=$build/work/$target artifacts=$build/artifacts
  mkdir -p "$logs" "$work" "$artifacts"
  # -jobs keeps libFuzzer's output in fuzz-0.log; one job on one worker takes one core.
  (cd "$logs" && "$build/fuzz/plexaro_fuzz_$target" -jobs=1 -workers=1 -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/$target-" ${options[$target]} \
    "$work" "$root/fuzz/corpus/$target" >/dev/null 2>&1) || true
  {
    echo "== $target ($seconds s): $logs/fuzz-0.log"
    grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|slowest_unit_time_sec)' \
      "$logs/fuzz-0.log" || true
    echo "work corpus: $(ls "$work" | wc -l) files"
    grep -E 'ERROR: libFuzzer|broken expectation|SUMMARY' "$logs/fuzz-0.log" || true
  } >"$logs/summary.txt"
  cat "$logs/summary.txt"
}

running=0
for target in "${targets[@]}"; do
  run_one "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

found=$(find "$build/artifacts" -type f -newer "$stamp" 2>/dev/null | grep -E '/[a-z_]+-(crash|timeout|leak|oom|slow-unit)-' || true)
if [ -n "$found" ]; then
  echo "findings (each becomes a named regression file in fuzz/corpus/TARGET/):"
  echo "$found"
  exit 1
fi
echo "no findings"
