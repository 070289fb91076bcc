#!/bin/sh
# Times opening a card of 400,000 statements (9.6 MB) in the editor's open command against
# zepocard's reading of the same file; the editor should need at most twice as long.
# Usage: bench/open.sh [BUILD_DIR]   (default build-bench, Release)
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
OUT=bench/out
mkdir -p "$OUT"

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DZEPO_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" --target zepo_bench_open zepocard -j"$(nproc)" >/dev/null

# The editor's own card, then statements of every object kind until 400,000 lines: most find
# no free slot, as in a card pasted together from many others.
CARD="$OUT/big.zep"
/usr/bin/python3 - "$CARD" <<'PY'
import sys
head = open("examples/main.zep", "rb").read().split(b"\r\nend")[0] + b"\r\n"
kinds = [b"\tfont   {JM}{20}{0}", b"\tcolor  {RED}{WHITE}", b"\ttext   {10,20}{abcdefg}{0}",
         b"\tframe  {5,5}{40,40}{0}", b"\ttextf  {0,0}{aisatsu.txt}{0}"]
lines = [kinds[i % len(kinds)] for i in range(400000 - head.count(b"\r\n") - 1)]
open(sys.argv[1], "wb").write(head + b"\r\n".join(lines) + b"\r\nend\r\n")
PY
cp examples/aisatsu.txt examples/sakura.bmp "$OUT/" 2>/dev/null || true
ls -l "$CARD"
"$BUILD/bench/zepo_bench_open" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true "$CARD"
