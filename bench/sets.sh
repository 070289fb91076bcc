#!/bin/sh
# Times zepocard check on a folder of 1,000 linked cards (target: under 2 s) and zepocard
# export of 200 full cards (40 objects each) against drawing the same cards one by one
# (target: under 2 × that). Usage: bench/sets.sh [BUILD_DIR]   (default build-bench, Release)
# RUNS=n sets how many times each command runs (median taken; default 3).
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out/sets
RUNS=${RUNS:-3}
ZEPOCARD="$BUILD/src/cli/zepocard"

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" --target zepocard zepo_bench_render_cards -j"$(nproc)" >/dev/null

rm -rf "$OUT"
python3 bench/make_card_set.py 1000 "$OUT/cards1000"
python3 bench/make_card_set.py 200 "$OUT/full200" --full

seconds() {  # median wall time of RUNS runs of a command, in seconds
  for _ in $(seq "$RUNS"); do
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || [ $? -eq 1 ]
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
  done | sort -n | awk '{ v[NR] = $1 } END { printf "%.3f\n", v[int((NR + 1) / 2)] }'
}

CHECK=$(seconds "$ZEPOCARD" check "$OUT/cards1000")
EXPORT=$(seconds "$ZEPOCARD" export "$OUT/full200" -o "$OUT/site")
RENDER=$(for _ in $(seq "$RUNS"); do "$BUILD/bench/zepo_bench_render_cards" "$OUT/render" "$OUT"/full200/*.zep; done |
         sort -n | awk '{ v[NR] = $1 } END { printf "%.3f\n", v[int((NR + 1) / 2)] }')
echo "cores: $(nproc)"
echo "check, 1000 cards:        ${CHECK} s (target < 2 s)"
echo "export, 200 full cards:   ${EXPORT} s"
echo "drawing the same, 1 by 1: ${RENDER} s (export target < 2 × this)"
echo "export / drawing:         $(echo "$EXPORT / $RENDER" | bc -l | cut -c1-5)"
# Where zepocard has its own render command, the same cards through it too.
if "$ZEPOCARD" 2>&1 | grep -q "zepocard render"; then
  mkdir -p "$OUT/rendered"
  CLI=$(seconds "$ZEPOCARD" render "$OUT"/full200/*.zep -o "$OUT/rendered" --screen 640x480)
  echo "zepocard render, same:    ${CLI} s (export / render: $(echo "$EXPORT / $CLI" | bc -l | cut -c1-5))"
fi
