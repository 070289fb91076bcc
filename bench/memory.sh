#!/bin/sh
# Peak memory and time of zepocard check, export, map and render and of 「カード一覧」 over sets
# of 100 and 1,000 cards full of pictures (bench/make_picture_set.py): one where every card
# places the same large picture, and one where each group of ten cards places five large
# pictures of its own (as real presentations do). The peak must stay within a fixed bound
# (target: 300 MB) whatever the number of cards and pictures, and the time grow linearly.
# Usage: bench/memory.sh [BUILD_DIR]   (default build-bench, Release). ZEPOCARD=path and
# BENCH=path (zepo_bench_card_list) run those programs as they are, without configuring or
# building; SIZES="100 1000" and SETS="shared distinct" choose what is measured.
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out/memory
if [ -z "${ZEPOCARD:-}" ] || [ -z "${BENCH:-}" ]; then
  ZEPOCARD="$BUILD/src/cli/zepocard"
  BENCH="$BUILD/bench/zepo_bench_card_list"
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
  cmake --build "$BUILD" --target zepocard zepo_bench_card_list -j"$(nproc)" >/dev/null
fi

measure() {  # "peak MiB, seconds" of one run of a command
  /usr/bin/time -v "$@" >/dev/null 2>"$OUT/time.txt" || [ $? -eq 1 ] || { cat "$OUT/time.txt"; exit 1; }
  awk -F': ' '/Maximum resident set size/ { kb = $2 }
              /Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = t[n] + 60 * t[n - 1] }
              END { printf "%6.0f MiB %7.2f s", kb / 1024, s }' "$OUT/time.txt"
}

rm -rf "$OUT"
mkdir -p "$OUT"
echo "cores: $(nproc)"
for set in ${SETS:-shared distinct}; do
  for n in ${SIZES:-100 1000}; do
    cards="$OUT/$set$n"
    python3 bench/make_picture_set.py "$n" "$cards" $([ "$set" = distinct ] && echo --distinct)
    echo "$set pictures, $n cards:"
    echo "  check:     $(measure "$ZEPOCARD" check "$cards")"
    echo "  export:    $(measure "$ZEPOCARD" export "$cards" -o "$OUT/site-$set$n")"
    echo "  map:       $(measure "$ZEPOCARD" map "$cards" -o "$OUT/map-$set$n.svg")"
    mkdir -p "$OUT/render-$set$n"
    echo "  render:    $(measure "$ZEPOCARD" render "$cards"/*.zep -o "$OUT/render-$set$n" --format bmp)"
    echo "  card list: $(measure "$BENCH" "$cards" --once)"
    rm -rf "$cards" "$OUT/site-$set$n" "$OUT/render-$set$n"
  done
done
