#!/bin/sh
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) in build-fuzz and
# runs one of them for SECONDS on a scratch copy of its corpus in fuzz/corpus, so a run never
# grows the committed corpus. An input that fails is kept in build-fuzz/findings/TARGET/.
# Further arguments go to libFuzzer (e.g. -jobs=2, -only_ascii=1).
#   scripts/fuzz.sh fuzz_card_reader|fuzz_card_render|fuzz_bmp|fuzz_jpeg|fuzz_settings|fuzz_midi SECONDS [libFuzzer options]
#   scripts/fuzz.sh --build TARGET...   only builds the targets
set -eu
cd "$(dirname "$0")/.."
build=build-fuzz
build_targets() {
  cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZEPO_BUILD_GUI=ON -DZEPO_BUILD_FUZZ=ON >/dev/null
  cmake --build "$build" -j2 --target "$@"
}
if [ "${1:-}" = --build ]; then
  shift
  build_targets "$@"
  exit 0
fi
if [ $# -lt 2 ]; then
  echo "usage: $0 fuzz_card_reader|fuzz_card_render|fuzz_bmp|fuzz_jpeg|fuzz_settings|fuzz_midi SECONDS [libFuzzer options]" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2
case $target in
  fuzz_card_reader | fuzz_card_render | fuzz_bmp | fuzz_jpeg | fuzz_settings | fuzz_midi) ;;
  *) echo "unknown fuzz target: $target" >&2; exit 2 ;;
esac
case $seconds in
  '' | *[!0-9]*) echo "SECONDS must be a whole number: $seconds" >&2; exit 2 ;;
esac

# ZEPO_FUZZ_BUILT=1: the caller has built the target already with --build (several runs at
# once share the build folder, which only one of them may configure and build).
if [ "${ZEPO_FUZZ_BUILT:-}" != 1 ]; then
  build_targets "$target"
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM
cp -R "fuzz/corpus/$target" "$scratch/corpus"
findings="$build/findings/$target"
mkdir -p "$findings"
dictionary=""
[ -f "fuzz/$target.dict" ] && dictionary="-dict=fuzz/$target.dict"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
# fontconfig's cache, which the card composition loads through Qt, is held to the end.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0}"
# Qt draws without a display.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# libFuzzer's exit code tells a finding (or a bad option) from a clean run.
# shellcheck disable=SC2086
"$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$findings/" $dictionary "$@" "$scratch/corpus"
