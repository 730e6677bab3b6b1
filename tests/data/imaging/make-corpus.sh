#!/usr/bin/env bash
# Builds the picture corpus of imaging_reference_test and the pixels an independent decoder makes of
# each picture: ImageMagick for BMP and GIF, djpeg (float DCT, no fancy upsampling) for JPEG, libtiff's
# tiff2rgba for TIFF and the TIFF preview of EPS files. Pictures come from our own encoders
# (imaging_corpus) and from Debian's: cjpeg, tiffcp and ImageMagick.
#   make-corpus.sh <imaging_corpus program> <output folder> [width height]
# The committed corpus beside this script was made with the default 29 x 19.
set -euo pipefail
gen=$1
out=$2
w=${3:-29}
h=${4:-19}
mkdir -p "$out"
cd "$out"
rm -f ./*.bmp ./*.gif ./*.jpg ./*.tif ./*.eps ./*.pam manifest.txt
"$gen" pictures . "$w" "$h"

pam() { convert "$1" -depth 8 "pam:$2"; }
add() { echo "$1 $2 $3" >>manifest.txt; }

# Windows bitmaps: ours, plus ImageMagick's own writer.
convert source.ppm BMP3:bmp24-im.bmp
convert source.ppm -colors 200 -type Palette BMP3:bmp8-im.bmp
convert source.ppm -colors 200 -type Palette -compress RLE BMP3:bmp8-rle-im.bmp
for f in bmp*.bmp; do pam "$f" "$f.pam"; add "$f" "$f.pam" rgb; done

# GIF: ours, plus ImageMagick's.
convert source.ppm -colors 200 gif-im.gif
convert source.ppm -colors 64 -interlace GIF gif-im-interlaced.gif
for f in gif*.gif; do pam "$f[0]" "$f.pam"; add "$f" "$f.pam" gif; done

# JPEG from cjpeg: every sampling, progressive, restart markers, arithmetic coding, grey.
cjpeg -quality 85 source.ppm >jpeg-420.jpg
cjpeg -quality 90 -sample 1x1 source.ppm >jpeg-444.jpg
cjpeg -quality 75 -sample 2x1 source.ppm >jpeg-422.jpg
cjpeg -quality 80 -progressive source.ppm >jpeg-progressive.jpg
cjpeg -quality 80 -restart 1 -optimize source.ppm >jpeg-restart.jpg
cjpeg -quality 80 -arithmetic source.ppm >jpeg-arithmetic.jpg
cjpeg -quality 80 -grayscale source.ppm >jpeg-grey.jpg
for f in jpeg*.jpg; do
  djpeg -dct float -nosmooth -pnm "$f" >"$f.pnm"
  pam "$f.pnm" "$f.pam"
  rm "$f.pnm"
  add "$f" "$f.pam" rgb
done

# TIFF: every compression libtiff writes, tiles, planes, byte order, palette, grey, bilevel, 16 bits,
# alpha.
convert source.ppm -compress none tiff-base.tif
for c in none lzw zip packbits jpeg; do tiffcp -r 16 -c "$c" tiff-base.tif "tiff-$c.tif"; done
tiffcp -t -c lzw tiff-base.tif tiff-tiled.tif
tiffcp -p separate tiff-base.tif tiff-planar.tif
tiffcp -B -c lzw tiff-base.tif tiff-bigendian.tif
convert source.ppm -colors 200 -type Palette tiff-palette.tif
convert source.ppm -colorspace Gray tiff-grey.tif
convert source.ppm -monochrome -compress Group4 tiff-g4.tif
convert source.ppm -depth 16 tiff-16bit.tif
convert source.ppm -alpha set -channel A -fx 'i%3==0?0:1' +channel tiff-alpha.tif
rm tiff-base.tif
"$gen" eps tiff-lzw.tif eps-preview.eps
for f in tiff*.tif eps*.eps; do
  src=$f
  [ "${f%.eps}" = "$f" ] || src=tiff-lzw.tif
  tiff2rgba -c none "$src" rgba.tmp.tif
  pam rgba.tmp.tif "$f.pam"
  rm rgba.tmp.tif
  add "$f" "$f.pam" rgba
done
rm source.ppm
