#!/bin/sh
# Peak memory and time of zepocard check and export over sets of 100 and 1,000 cards full of
# pictures (bench/make_picture_set.py): the peak must stay within a fixed bound (target:
# 300 MB) whatever the number of cards, and the time grow linearly.
# Usage: bench/memory.sh [BUILD_DIR]   (default build-bench, Release)
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out/memory
ZEPOCARD="$BUILD/src/cli/zepocard"

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" --target zepocard -j"$(nproc)" >/dev/null

measure() {  # "peak MB, seconds" of one run of a command
  /usr/bin/time -v "$@" >/dev/null 2>"$OUT/time.txt" || [ $? -eq 1 ] || { cat "$OUT/time.txt"; exit 1; }
  awk -F': ' '/Maximum resident set size/ { kb = $2 }
              /Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = t[n] + 60 * t[n - 1] }
              END { printf "%6.0f MB %7.2f s", kb / 1024, s }' "$OUT/time.txt"
}

rm -rf "$OUT"
mkdir -p "$OUT"
echo "cores: $(nproc)"
for n in 100 1000; do
  python3 bench/make_picture_set.py "$n" "$OUT/set$n"
  echo "check,  $n cards: $(measure "$ZEPOCARD" check "$OUT/set$n")"
  echo "export, $n cards: $(measure "$ZEPOCARD" export "$OUT/set$n" -o "$OUT/site$n")"
done
