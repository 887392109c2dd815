#!/usr/bin/env python3
"""vexilo-fit --all against potrace on the same line art.

Each picture (black ink on white; PNG or netpbm) is thresholded at half
luminance into a PBM mask, which both programs trace with their default
options: `vexilo-fit --all --invert --svg` and `potrace -s`. Both SVG files
are rasterised at the mask's size (rsvg-convert), thresholded at half again
and compared with the mask pixel by pixel (ImageMagick's compare). One table:
wall and CPU time, outlines (subpaths), Bezier pieces and straight segments,
and the differing pixels.

    bench/compare_potrace.py [--vexilo build/cli/vexilo-fit] [--keep DIR]
                             [--fit-option=--max-length=80 ...] [PICTURE...]

Without pictures it draws the line art of bench/make_line_art.sh. Needs
potrace, ImageMagick and rsvg-convert (Debian: potrace, imagemagick,
librsvg2-bin). Not part of the tests.
"""

import argparse
import os
import re
import resource
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
NUMBER = r"[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?"


def run(args, **kw):
    """Runs a command; returns (wall seconds, CPU seconds of the children)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    subprocess.run(args, check=True, **kw)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def path_counts(svg_file):
    """(subpaths, cubic pieces, straight segments) of every path in the file."""
    text = open(svg_file, encoding="utf-8").read()
    subpaths = cubics = lines = 0
    for d in re.findall(r'\sd="([^"]*)"', text):
        for command, args in re.findall(r"([MmLlCcZzHhVvSsQqTtAa])([^MmLlCcZzHhVvSsQqTtAa]*)", d):
            count = len(re.findall(NUMBER, args))
            c = command.lower()
            if c == "m":
                subpaths += 1
                lines += max(0, count // 2 - 1)  # further pairs are line segments
            elif c == "c":
                cubics += count // 6
            elif c == "s":
                cubics += count // 4
            elif c == "l":
                lines += count // 2
            elif c in "hv":
                lines += count
    return subpaths, cubics, lines


def size_of(pbm):
    out = subprocess.run(["identify", "-format", "%w %h", pbm], check=True, capture_output=True, text=True)
    w, h = out.stdout.split()
    return int(w), int(h)


def rasterise(svg, width, height, pbm):
    png = pbm[:-4] + ".png"
    subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-b", "white", "-o", png, svg], check=True)
    subprocess.run(["convert", png, "-colorspace", "Gray", "-threshold", "50%", pbm], check=True)


def differing_pixels(a, b):
    out = subprocess.run(["compare", "-metric", "AE", a, b, "null:"], capture_output=True, text=True)
    return int(float(out.stderr.split()[0]))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("pictures", nargs="*")
    ap.add_argument("--vexilo", default=os.path.join(HERE, "..", "build", "cli", "vexilo-fit"))
    ap.add_argument("--keep", help="keep the masks, SVG files and renderings in this folder")
    ap.add_argument("--fit-option", action="append", default=[], help="one more option for vexilo-fit")
    a = ap.parse_args()
    for tool in ("potrace", "convert", "compare", "identify", "rsvg-convert"):
        if not shutil.which(tool):
            sys.exit(f"compare_potrace: {tool} is not installed")

    work = a.keep or tempfile.mkdtemp(prefix="vexilo-potrace-")
    os.makedirs(work, exist_ok=True)
    pictures = a.pictures
    if not pictures:
        subprocess.run([os.path.join(HERE, "make_line_art.sh"), work], check=True)
        pictures = [os.path.join(work, n + ".png") for n in ("text", "shapes", "drawing")]

    header = ("picture", "program", "wall s", "CPU s", "outlines", "Beziers", "lines", "pieces", "diff px", "diff %")
    rows = []
    for picture in pictures:
        name = os.path.splitext(os.path.basename(picture))[0]
        mask = os.path.join(work, name + "-mask.pbm")
        subprocess.run(["convert", picture, "-colorspace", "Gray", "-threshold", "50%", mask], check=True)
        width, height = size_of(mask)
        ours = os.path.join(work, name + "-vexilo.svg")
        theirs = os.path.join(work, name + "-potrace.svg")
        with open(os.devnull, "w") as quiet:
            timed = {
                "vexilo-fit": run([a.vexilo, "--all", "--invert", *a.fit_option, "--svg", ours, mask], stderr=quiet),
                "potrace": run(["potrace", "-s", "-o", theirs, mask]),
            }
        for program, svg in (("vexilo-fit", ours), ("potrace", theirs)):
            raster = os.path.join(work, f"{name}-{program}.pbm")
            rasterise(svg, width, height, raster)
            diff = differing_pixels(mask, raster)
            subpaths, cubics, lines = path_counts(svg)
            wall, cpu = timed[program]
            rows.append((name, program, f"{wall:.2f}", f"{cpu:.2f}", str(subpaths), str(cubics), str(lines),
                         str(cubics + lines), str(diff), f"{100.0 * diff / (width * height):.3f}"))

    widths = [max(len(h), *(len(r[i]) for r in rows)) for i, h in enumerate(header)]
    print("| " + " | ".join(h.ljust(w) for h, w in zip(header, widths)) + " |")
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print("| " + " | ".join(v.ljust(w) for v, w in zip(r, widths)) + " |")
    if not a.keep:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
