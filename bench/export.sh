#!/bin/sh
# Times a second export of an unchanged set of 150 full cards against the first (target: at
# most a quarter) and the editor's ゼポ without a player program after one card changed
# (target: under 0.3 s). Usage: bench/export.sh [BUILD_DIR]   (default build-bench, Release)
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out/export

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" --target zepo_bench_export -j"$(nproc)" >/dev/null

rm -rf "$OUT"
python3 bench/make_card_set.py 150 "$OUT/full150" --full
echo "cores: $(nproc)"
QT_QPA_PLATFORM=offscreen "$BUILD/bench/zepo_bench_export" "$OUT/full150"
