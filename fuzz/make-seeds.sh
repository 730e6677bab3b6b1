#!/usr/bin/env bash
# Seed corpora of the imaging fuzz targets, from the pictures the project makes itself
# (tests/data/imaging/make-corpus.sh): bitmaps for fuzz_bmp, GIFs for fuzz_gif, everything else for
# fuzz_family.   make-seeds.sh <output folder>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
pics=$root/tests/data/imaging
mkdir -p "$out/fuzz_bmp" "$out/fuzz_gif" "$out/fuzz_family"
cp "$pics"/*.bmp "$out/fuzz_bmp/"
cp "$pics"/*.gif "$out/fuzz_gif/"
cp "$pics"/*.bmp "$pics"/*.jpg "$pics"/*.tif "$pics"/*.eps "$out/fuzz_family/"
