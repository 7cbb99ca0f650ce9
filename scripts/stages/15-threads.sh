#!/usr/bin/env bash
# Builds the core and its tests again with ThreadSanitizer and runs the tests that study and solve on
# several threads at once; any report fails the stage.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${THREAD_BUILD_DIR:-build-threads}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLEXARO_QT=OFF -DPLEXARO_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  >/dev/null
cmake --build "$build" -j2 --target plexaro_thread_tests
tests=("$build/tests/plexaro_thread_tests" --gtest_filter='Threads.*:PhaseFour.TwoSolvesAtOnce:CentreBeam.TwoThreadsFindWhatOneDoes:PhaseBigger.TheWaysOnTwoThreadsGiveWhatOneGives')
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:abort_on_error=1}
# The tables the plain build's test run made, read back instead of built under the sanitizer.
export XDG_CACHE_HOME=$PWD/build/test-cache
[ -d "$XDG_CACHE_HOME" ] || XDG_CACHE_HOME=$PWD/$build/test-cache
# Some kernels place memory where ThreadSanitizer's runtime cannot work with address randomisation on.
if ! "${tests[@]}" --gtest_list_tests >/dev/null 2>&1; then
  echo "threads: running without address randomisation"
  tests=(setarch "$(uname -m)" -R "${tests[@]}")
fi
"${tests[@]}"
