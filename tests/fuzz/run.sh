#!/bin/sh
# Fuzzes the image readers under AddressSanitizer and UBSan: configures a
# clang build with libFuzzer in build-fuzz/ (or $FUZZ_BUILD), makes seed
# files of every format with ImageMagick, and runs each target for SECONDS
# (default 180). Needs clang (Debian's clang package) and ImageMagick.
#
#   tests/fuzz/run.sh [SECONDS] [TARGET...]     TARGET: png pnm image
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${1:-180}
[ $# -gt 0 ] && shift
targets=${*:-png pnm image}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEXILO_SANITIZE=ON -DVEXILO_FUZZ=ON -DVEXILO_BUILD_BENCH=OFF \
    -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
for t in $targets; do
    cmake --build "$build" --parallel 2 --target "fuzz_$t"
done

# Seeds: a small picture with a hole, in every colour type, depth and
# storage the readers take.
seeds=$build/fuzz-seeds
mkdir -p "$seeds/png" "$seeds/pnm" "$seeds/image"
base=$seeds/base.png
convert -size 19x13 xc:white -fill black -draw "circle 9,6 9,1" -fill white -draw "circle 9,6 9,4" "$base"
convert "$base" -type bilevel "$seeds/png/bilevel.png"
convert "$base" -type grayscale -depth 16 "$seeds/png/grey16.png"
convert "$base" -define png:color-type=3 -fill red -draw "point 1,1" "$seeds/png/palette.png"
convert "$base" -interlace PNG -fill '#0f08' -draw "point 2,2" "$seeds/png/rgba-interlaced.png"
convert "$base" -type grayscalealpha "$seeds/png/grey-alpha.png"
convert "$base" -depth 16 -fill orange -draw "point 3,3" "$seeds/png/rgb16.png"
for kind in pbm pgm ppm; do
    convert "$base" "$seeds/pnm/raw.$kind"
    convert "$base" -compress none "$seeds/pnm/plain.$kind"
done
convert "$base" -depth 16 "$seeds/pnm/raw16.pgm"
cp "$seeds/png/"* "$seeds/pnm/"* "$seeds/image/"
convert "$base" -type bilevel BMP3:"$seeds/image/bilevel.bmp"

for t in $targets; do
    corpus=$build/fuzz-corpus/$t
    mkdir -p "$corpus"
    echo "fuzz_$t: $seconds s"
    mkdir -p "$build/fuzz-artifacts"
    "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
        -artifact_prefix="$build/fuzz-artifacts/$t-" -print_final_stats=1 "$corpus" "$seeds/$t"
done
