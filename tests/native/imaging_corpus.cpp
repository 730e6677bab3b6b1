// Writes the pictures our own encoders make for the reference corpus (see
// tests/data/imaging/make-corpus.sh): Windows bitmaps of every depth and compression, GIFs, a source
// picture for the JPEG and TIFF encoders of the system, and EPS files around a TIFF.
//   imaging_corpus pictures <dir> <width> <height>
//   imaging_corpus eps <tiff> <eps>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/native/imaging_forge.h"

namespace {

bool Write(const std::string& dir, const std::string& name, const tests::Bytes& b) {
  if (tests::WriteFile(dir + "/" + name, b)) return true;
  std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), name.c_str());
  return false;
}

bool Pictures(const std::string& dir, int w, int h) {
  bool ok = true;
  const std::vector<uint32_t> rgb = tests::Pattern(w, h, 1);
  // A binary PPM of the source picture for cjpeg and ImageMagick.
  std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
  tests::Bytes src(ppm.begin(), ppm.end());
  for (uint32_t c : rgb) {
    src.push_back(uint8_t(c >> 16));
    src.push_back(uint8_t(c >> 8));
    src.push_back(uint8_t(c));
  }
  ok &= Write(dir, "source.ppm", src);

  ok &= Write(dir, "bmp24.bmp", tests::MakeBmp({w, h, 24}, rgb));
  ok &= Write(dir, "bmp32.bmp", tests::MakeBmp({w, h, 32}, rgb));
  tests::BmpLayout top{w, h, 24};
  top.topDown = true;
  ok &= Write(dir, "bmp24-topdown.bmp", tests::MakeBmp(top, rgb));
  const std::vector<uint32_t> mono = {0x000000, 0xFFFFFF};
  tests::BmpLayout one{w, h, 1, 0, false, mono};
  ok &= Write(dir, "bmp1.bmp", tests::MakeBmpIndexed(one, tests::IndexPattern(w, h, 2, 3)));
  for (int bpp : {4, 8}) {
    const int n = 1 << bpp;
    const std::vector<uint32_t> pal = tests::Palette(n, uint32_t(bpp));
    const std::vector<uint8_t> idx = tests::IndexPattern(w, h, n, uint32_t(bpp) + 10);
    const std::string b = std::to_string(bpp);
    ok &= Write(dir, "bmp" + b + ".bmp", tests::MakeBmpIndexed({w, h, bpp, 0, false, pal}, idx));
    ok &= Write(dir, "bmp" + b + "-rle.bmp", tests::MakeBmpIndexed({w, h, bpp, bpp == 4 ? 2u : 1u, false, pal}, idx));
    tests::BmpLayout topIdx{w, h, bpp, 0, true, pal};
    ok &= Write(dir, "bmp" + b + "-topdown.bmp", tests::MakeBmpIndexed(topIdx, idx));
    // A short colour table: fewer entries than the depth allows.
    const std::vector<uint32_t> shortPal(pal.begin(), pal.begin() + n / 2 + 1);
    std::vector<uint8_t> shortIdx = idx;
    for (uint8_t& v : shortIdx) v = uint8_t(v % shortPal.size());
    ok &= Write(dir, "bmp" + b + "-shortpal.bmp", tests::MakeBmpIndexed({w, h, bpp, 0, false, shortPal}, shortIdx));
  }
  // Long runs: RLE8 over a wide picture with runs of up to 255.
  const int ww = w * 11;
  std::vector<uint8_t> runs(size_t(ww) * size_t(h));
  for (size_t i = 0; i < runs.size(); ++i) runs[i] = uint8_t((i / 300) % 7);
  ok &= Write(dir, "bmp8-rle-runs.bmp", tests::MakeBmpIndexed({ww, h, 8, 1, false, tests::Palette(7, 9)}, runs));

  const std::vector<uint32_t> pal256 = tests::Palette(256, 21);
  const std::vector<uint8_t> idx256 = tests::IndexPattern(w, h, 256, 22);
  ok &= Write(dir, "gif-plain.gif", tests::MakeGif({w, h, pal256, {{0, 0, w, h, false, {}, idx256}}}));
  ok &= Write(dir, "gif-interlaced.gif", tests::MakeGif({w, h, pal256, {{0, 0, w, h, true, {}, idx256}}}));
  const std::vector<uint32_t> pal4 = tests::Palette(4, 23);
  ok &= Write(dir, "gif-4colours.gif",
              tests::MakeGif({w, h, pal4, {{0, 0, w, h, true, {}, tests::IndexPattern(w, h, 4, 24)}}}));
  tests::GifFrame transparent{0, 0, w, h, false, {}, tests::IndexPattern(w, h, 16, 25)};
  transparent.transparent = 3;
  ok &= Write(dir, "gif-transparent.gif", tests::MakeGif({w, h, tests::Palette(16, 26), {transparent}}));
  // Animation: the first frame is smaller than the screen, has a local table and a delay.
  tests::GifFrame first{2, 1, w - 3, h - 2, false, tests::Palette(8, 27), tests::IndexPattern(w - 3, h - 2, 8, 28)};
  first.delay = 10;
  tests::GifFrame second{0, 0, w, h, false, {}, tests::IndexPattern(w, h, 16, 29)};
  ok &= Write(dir, "gif-animated.gif", tests::MakeGif({w, h, tests::Palette(16, 30), {first, second}}));
  // Noise over a larger picture fills the string table.
  const int gw = 160, gh = 120;
  tests::GifFrame noisy{0, 0, gw, gh, false, {}, tests::IndexPattern(gw, gh, 256, 31)};
  ok &= Write(dir, "gif-fulltable.gif", tests::MakeGif({gw, gh, pal256, {noisy}}));
  noisy.neverClear = true;
  ok &= Write(dir, "gif-fulltable-noclear.gif", tests::MakeGif({gw, gh, pal256, {noisy}}));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "pictures" && argc == 5) return Pictures(argv[2], std::atoi(argv[3]), std::atoi(argv[4])) ? 0 : 1;
  if (mode == "eps" && argc == 4) {
    const tests::Bytes tiff = tests::ReadFile(argv[2]);
    if (tiff.empty()) return 1;
    return tests::WriteFile(argv[3], tests::MakeEpsWithTiff(tiff, uint32_t(tiff.size()))) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: imaging_corpus pictures <dir> <width> <height> | eps <tiff> <eps>\n");
  return 2;
}
