"""Times the peers on the same picture and prints them as multiples of our time.

Called by bench/run.sh with: picture, our benchmark's JSON, runs per peer, and the peak
memory (KiB) of zepocard reduce on one pixel, on the picture, and on the picture dithered.
"""
import json
import os
import statistics
import subprocess
import sys
import time

from PIL import Image

picture, ours_json, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
peak_base, peak_plain, peak_dither = (int(v) for v in sys.argv[4:7])


def median_seconds(action):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        action()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


ours = {}
for b in json.load(open(ours_json))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[b["time_unit"]]
        ours[b["run_name"]] = b["real_time"] * scale
plain, dithered = ours["MedianCutReduce"], ours["MedianCutReduceDithered"]

image = Image.open(picture)
image.load()
image = image.convert("RGB")
mediancut = Image.Quantize.MEDIANCUT


def pillow_mediancut_dithered():
    # Pillow's median cut never dithers; Floyd–Steinberg comes from mapping onto its palette.
    palette = image.quantize(256, method=mediancut)
    image.quantize(palette=palette, dither=Image.Dither.FLOYDSTEINBERG)


# ImageMagick reads its own cache format almost for free; the reading is still subtracted.
mpc = os.path.splitext(picture)[0] + ".mpc"
if not os.path.exists(mpc):
    subprocess.run(["/usr/bin/convert", picture, mpc], check=True)


def magick(*options):
    subprocess.run(["/usr/bin/convert", mpc, *options, "null:"], check=True)


magick_read = median_seconds(lambda: magick())

peers = [
    ("Pillow quantize(256, MEDIANCUT)", plain,
     median_seconds(lambda: image.quantize(256, method=mediancut)), 30),
    ("Pillow quantize(256, FASTOCTREE)", plain,
     median_seconds(lambda: image.quantize(256, method=Image.Quantize.FASTOCTREE)), 1),
    ("ImageMagick +dither -colors 256", plain,
     median_seconds(lambda: magick("+dither", "-colors", "256")) - magick_read, None),
    ("Pillow MEDIANCUT + FLOYDSTEINBERG", dithered, median_seconds(pillow_mediancut_dithered), 15),
    ("ImageMagick -colors 256 (dithers)", dithered,
     median_seconds(lambda: magick("-colors", "256")) - magick_read, None),
]

print(f"picture: {picture}, {image.width} x {image.height}, 24 bits per pixel")
print(f"our times: median of 5 Google Benchmark repetitions; peers: median of {runs} runs")
print(f"{'':40} {'time ms':>10} {'x ours':>8}  target")
print(f"{'zepo MedianCutReduce':40} {plain * 1e3:10.1f} {1:8.1f}")
print(f"{'zepo MedianCutReduceDithered':40} {dithered * 1e3:10.1f} {1:8.1f}")
failed = False
for name, reference, seconds, target in peers:
    ratio = seconds / reference
    verdict = ""
    if target is not None:
        met = ratio >= target if target > 1 else ratio > 1
        failed |= not met
        verdict = f"{'>=' if target > 1 else '>'} {target}x {'met' if met else 'MISSED'}"
    against = "plain" if reference is plain else "dithered"
    print(f"{name:40} {seconds * 1e3:10.1f} {ratio:8.1f}  vs {against} {verdict}")
print(f"peak memory, zepocard reduce of one pixel:  {peak_base / 1024:7.1f} MiB")
print(f"peak memory, zepocard reduce:               {peak_plain / 1024:7.1f} MiB")
print(f"peak memory, zepocard reduce --dither:      {peak_dither / 1024:7.1f} MiB")
print(f"(the picture: {os.path.getsize(picture) / 2**20:.1f} MiB as a file and in memory)")
sys.exit(1 if failed else 0)
