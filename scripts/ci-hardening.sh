#!/bin/sh
# CI's stages after the ordinary tests: the whole test suite built with AddressSanitizer and
# UBSan (clang, build-asan) and run with every finding fatal, then each fuzz target for
# ZEPO_CI_FUZZ_SECONDS (60) seconds through scripts/fuzz.sh, two at a time. Prints the time of
# each stage.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
fuzz_seconds=${ZEPO_CI_FUZZ_SECONDS:-60}

started=$(date +%s)
stage_start=$started
stage_done() {
  now=$(date +%s)
  echo "== stage '$1' took $((now - stage_start)) s"
  stage_start=$now
}

# UBSan stops at its first finding with a stack; LeakSanitizer ignores only fontconfig's
# blocks still held at exit (scripts/lsan.supp). Exported before building too: the test
# discovery runs each test program at build time.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_string_checks=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# -O1 with line tables only (-g1), the level the sanitizers are made for: the same checks, every
# stack still names file and line, and the test programs compile in half the time of -O2 -g.
# clang, which the fuzzers need anyway: the whole instrumented tree took it 10 minutes of compiler
# time on this 2-core machine, where gcc's took 14 minutes of wall time on both cores.
cmake -S . -B build-asan -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j2
stage_done "build with ASan and UBSan"
# The ordinary run's times of the same tests let ctest start the longest ones first.
costs=Testing/Temporary/CTestCostData.txt
if [ -f "build-release/$costs" ] && [ ! -f "build-asan/$costs" ]; then
  mkdir -p build-asan/Testing/Temporary
  cp "build-release/$costs" "build-asan/$costs"
fi
ctest --test-dir build-asan --output-on-failure -j2
stage_done "tests with ASan and UBSan"

# fuzz.sh sets its own sanitizer options. Every target is built first, then two run at a time, each fuzzer on a core of its
# own for the full time; each run's output is shown when it ends.
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
targets="fuzz_card_reader fuzz_card_render fuzz_bmp fuzz_jpeg fuzz_settings fuzz_midi"
# shellcheck disable=SC2086
scripts/fuzz.sh --build $targets
stage_done "build of the fuzz targets"
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
fuzz_run() {
  ZEPO_FUZZ_BUILT=1 scripts/fuzz.sh "$1" "$fuzz_seconds" >"$logs/$1" 2>&1 &
}
fuzz_wait() {
  status=0
  wait "$2" || status=$?
  cat "$logs/$1"
  [ "$status" = 0 ] || { echo "ci-hardening: $1 failed" >&2; exit 1; }
}
# shellcheck disable=SC2086
set -- $targets
while [ $# -gt 0 ]; do
  first=$1
  fuzz_run "$first"
  first_pid=$!
  second=""
  if [ $# -gt 1 ]; then
    second=$2
    fuzz_run "$second"
    second_pid=$!
  fi
  fuzz_wait "$first" "$first_pid"
  [ -z "$second" ] || fuzz_wait "$second" "$second_pid"
  stage_done "$first${second:+ and $second} for $fuzz_seconds s"
  shift
  [ -z "$second" ] || shift
done
echo "== hardening stages took $(($(date +%s) - started)) s"
