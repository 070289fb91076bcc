#!/bin/sh
# Times the median-cut reduction on a 4096 × 3072 picture against the quantisers a user
# would otherwise reach for (Pillow, ImageMagick) and reports the peak memory of
# `zepocard reduce`. Usage: bench/run.sh [BUILD_DIR]   (default build-bench, Release)
# RUNS=n sets how many times each peer runs (median taken; default 3).
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out
RUNS=${RUNS:-3}
mkdir -p "$OUT"

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" --target zepo_bench_imaging zepocard -j"$(nproc)" >/dev/null

# ImageMagick's seeded plasma gives the same picture on every run.
PICTURE="$OUT/plasma-4096x3072.bmp"
[ -f "$PICTURE" ] || /usr/bin/convert -seed 1 -size 4096x3072 plasma:fractal -type TrueColor "BMP3:$PICTURE"

"$BUILD/bench/zepo_bench_imaging" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$OUT/zepo.json" --benchmark_out_format=json "$PICTURE" >&2

peak() {  # peak resident memory in KiB of one command
  /usr/bin/time -f "%M" -o "$OUT/peak.txt" "$@" >/dev/null 2>&1 && cat "$OUT/peak.txt"
}
/usr/bin/convert -size 1x1 xc:gray -type TrueColor "BMP3:$OUT/one-pixel.bmp"
PEAK_BASE=$(peak "$BUILD/src/cli/zepocard" reduce "$OUT/one-pixel.bmp" "$OUT/one-pixel-8.bmp")
PEAK_PLAIN=$(peak "$BUILD/src/cli/zepocard" reduce "$PICTURE" "$OUT/reduced.bmp")
PEAK_DITHER=$(peak "$BUILD/src/cli/zepocard" reduce "$PICTURE" "$OUT/reduced-dither.bmp" --dither)

/usr/bin/python3 bench/compare.py "$PICTURE" "$OUT/zepo.json" "$RUNS" "$PEAK_BASE" "$PEAK_PLAIN" "$PEAK_DITHER"
