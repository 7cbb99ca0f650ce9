#!/usr/bin/env bash
# Builds every test again with AddressSanitizer and UndefinedBehaviorSanitizer and runs them; the first
# report stops the test that made it, so any report fails the stage.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${SANITIZE_BUILD_DIR:-build-sanitize}
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# The Qt program adds build time but no code that the core tests reach.
# The solvers' tables come from the plain build's test run when it has made them: the same files, read
# back and checked, instead of built again many times slower.
cache=$PWD/build/test-cache
[ -d "$cache" ] || cache=$PWD/$build/test-cache
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLEXARO_QT=OFF -DPLEXARO_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DPLEXARO_TEST_CACHE="$cache" >/dev/null
cmake --build "$build" -j2
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j2
