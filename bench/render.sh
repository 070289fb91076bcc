#!/bin/sh
# zepocard render and the editor's preview on a full card (20 one-line texts, a third of them
# vertical, 5 text blocks, 5 pictures of 640 x 480, 10 frames) at 1024x768:
#  - the whole process for the full card against an empty card, in BMP and in PNG;
#  - 200 full cards with -j 1 against -j 2;
#  - the preview's composition and painting in the editor's code.
# Usage: bench/render.sh [BUILD_DIR]   (default build-bench, Release). RUNS=n runs per figure.
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out/render
RUNS=${RUNS:-7}
mkdir -p "$OUT"

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" --target zepocard zepo_bench_preview -j"$(nproc)" >/dev/null
python3 bench/make_render_cards.py "$OUT/cards"

python3 - "$BUILD/src/cli/zepocard" "$OUT" "$RUNS" <<'PY'
import statistics, subprocess, sys, time
zepocard, out, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
cards = out + "/cards"

def median(args):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run([zepocard, "render", *args], check=True, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times)

for fmt in ("bmp", "png"):
    full = median([cards + "/full.zep", "-o", f"{out}/full.{fmt}"])
    empty = median([cards + "/empty.zep", "-o", f"{out}/empty.{fmt}"])
    print(f"render {fmt}: full card {full * 1000:.0f} ms, empty card {empty * 1000:.0f} ms, ratio {full / empty:.2f} (at most 3)")
batch = [f"{cards}/batch/full{i:03d}.zep" for i in range(200)]
j1 = median(batch + ["-o", out + "/batch1", "--format", "bmp", "-j", "1"])
j2 = median(batch + ["-o", out + "/batch2", "--format", "bmp", "-j", "2"])
print(f"200 cards: -j 1 {j1:.2f} s, -j 2 {j2:.2f} s, speed-up {j1 / j2:.2f} (at least 1.7)")
PY
"$BUILD/bench/zepo_bench_preview" "$OUT/cards/full.zep" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
