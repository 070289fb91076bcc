#!/bin/sh
# Times zepocard map on a generated folder of 300 linked cards (reading, the layout and the
# SVG; target: under 2 s) and reports which Graphviz layout it took, also for 1,000 cards.
# Usage: bench/map.sh [BUILD_DIR]   (default build-bench, Release). RUNS=n: runs per figure;
# ZEPOCARD=path times that program as it is, without configuring or building.
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out/map
RUNS=${RUNS:-3}
if [ -z "${ZEPOCARD:-}" ]; then
  ZEPOCARD="$BUILD/src/cli/zepocard"
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
  cmake --build "$BUILD" --target zepocard -j"$(nproc)" >/dev/null
fi

rm -rf "$OUT"
python3 bench/make_card_set.py 300 "$OUT/cards300"
python3 bench/make_card_set.py 1000 "$OUT/cards1000"

seconds() {  # median wall time of RUNS runs of a command, in seconds
  for _ in $(seq "$RUNS"); do
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || [ $? -eq 1 ]
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
  done | sort -n | awk '{ v[NR] = $1 } END { printf "%.3f\n", v[int((NR + 1) / 2)] }'
}

MAP300=$(seconds "$ZEPOCARD" map "$OUT/cards300" -o "$OUT/map300.svg")
PNG300=$(seconds "$ZEPOCARD" map "$OUT/cards300" -o "$OUT/map300.png")
MAP1000=$(seconds "$ZEPOCARD" map "$OUT/cards1000" -o "$OUT/map1000.svg")
CHECK300=$(seconds "$ZEPOCARD" check "$OUT/cards300")
echo "cores: $(nproc)"
echo "map, 300 cards, SVG:    ${MAP300} s (target < 2 s)"
echo "map, 300 cards, PNG:    ${PNG300} s"
echo "map, 1000 cards, SVG:   ${MAP1000} s"
echo "check, 300 cards:       ${CHECK300} s (the reading alone, for comparison)"
