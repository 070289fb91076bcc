#!/bin/sh
# CI's stages after the ordinary tests: the whole test suite built with AddressSanitizer and
# UBSan (gcc, build-asan) and run with every finding fatal, then each fuzz target for
# ZEPO_CI_FUZZ_SECONDS (60) seconds through scripts/fuzz.sh. Prints the time of each stage.
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
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j2
stage_done "build with ASan and UBSan"
# The ordinary run's times of the same tests let ctest start the longest ones first.
costs=Testing/Temporary/CTestCostData.txt
if [ -f "build/$costs" ] && [ ! -f "build-asan/$costs" ]; then
  mkdir -p build-asan/Testing/Temporary
  cp "build/$costs" "build-asan/$costs"
fi
ctest --test-dir build-asan --output-on-failure -j2
stage_done "tests with ASan and UBSan"

# fuzz.sh sets its own sanitizer options.
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
for target in fuzz_card_reader fuzz_card_render fuzz_bmp fuzz_jpeg fuzz_settings fuzz_midi; do
  scripts/fuzz.sh "$target" "$fuzz_seconds"
  stage_done "$target for $fuzz_seconds s (with its build)"
done
echo "== hardening stages took $(($(date +%s) - started)) s"
