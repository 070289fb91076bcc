#!/bin/sh
# Times 「カード一覧」 on generated folders of 300 cards, plain and full (list under 1 s, map
# under 2 s, thumbnails after) and reports the memory its thumbnails hold.
# Usage: bench/cardlist.sh [BUILD_DIR]   (default build-bench, Release). BENCH=path runs that
# program as it is, without configuring or building.
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out/cardlist
if [ -z "${BENCH:-}" ]; then
  BENCH="$BUILD/bench/zepo_bench_card_list"
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
  cmake --build "$BUILD" --target zepo_bench_card_list -j"$(nproc)" >/dev/null
fi
rm -rf "$OUT"
python3 bench/make_card_set.py 300 "$OUT/plain300"
python3 bench/make_card_set.py 300 "$OUT/full300" --full
echo "cores: $(nproc)"
echo "300 plain cards (a frame and a text each):"
"$BENCH" "$OUT/plain300"
echo "300 full cards (40 objects each):"
"$BENCH" "$OUT/full300"
