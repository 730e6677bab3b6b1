#pragma once
// Picture files made by the imaging tests, the corpus generator, the fuzz seeds and the benchmark:
// Windows bitmaps of every depth and compression, GIFs (LZW encoder included), JPEG and TIFF through
// the libraries' encoders. Pixels are given top row first: 0x00RRGGBB words, or palette indices.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tests {

using Bytes = std::vector<uint8_t>;

// A deterministic picture with gradients, edges and noise (0x00RRGGBB, top row first).
std::vector<uint32_t> Pattern(int width, int height, uint32_t seed);
// Palette indices in [0, colours) with runs of equal values (so RLE has work to do).
std::vector<uint8_t> IndexPattern(int width, int height, int colours, uint32_t seed);
// A palette of n colours (0x00RRGGBB).
std::vector<uint32_t> Palette(int n, uint32_t seed);

struct BmpLayout {
  int width = 0;
  int height = 0;
  int bpp = 24;              // 1, 4, 8, 24, 32 (others for error tests: pixels are then raw)
  uint32_t compression = 0;  // 0, or 2 (RLE4) / 1 (RLE8)
  bool topDown = false;      // written with a negative height
  std::vector<uint32_t> palette;
  int64_t colorsUsed = -1;     // header field; -1 writes palette.size() (0 when the palette is full)
  int64_t fileSizeField = -1;  // -1 writes the true size
  uint32_t headerSize = 40;
};
// Uncompressed or RLE file from pixels: 0x00RRGGBB for 24/32 bits, palette indices otherwise.
Bytes MakeBmp(const BmpLayout& layout, const std::vector<uint32_t>& pixels);
Bytes MakeBmpIndexed(const BmpLayout& layout, const std::vector<uint8_t>& indices);
// A file whose pixel data is exactly `data` (for hand-made RLE streams and broken files).
Bytes MakeBmpRaw(const BmpLayout& layout, const Bytes& data);

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  std::vector<uint32_t> localPalette;  // empty: use the global one
  std::vector<uint8_t> indices;        // width x height, top row first
  int transparent = -1;                // graphic control extension when >= 0 or delay > 0
  int delay = 0;
  int minCodeSize = 0;      // 0: from the palette size
  bool neverClear = false;  // let the string table fill up instead of clearing it
};
struct GifLayout {
  int screenWidth = 0, screenHeight = 0;
  std::vector<uint32_t> globalPalette;
  std::vector<GifFrame> frames;
};
Bytes MakeGif(const GifLayout& layout);
// LZW codes for `indices` (clear first, end last).
std::vector<std::pair<int, int>> LzwCodes(const std::vector<uint8_t>& indices, int minCodeSize, bool neverClear);
// Packs (code, width) pairs LSB first into data sub-blocks with the terminator.
Bytes PackCodes(const std::vector<std::pair<int, int>>& codes);
// A GIF with one image whose LZW data (after the minimum code size byte) is `lzw`.
Bytes MakeGifRaw(int screenW, int screenH, int width, int height, const std::vector<uint32_t>& palette, int minCodeSize,
                 const Bytes& lzw);

// JPEG through libjpeg: 3 components from 0x00RRGGBB pixels, or 1 component (grey = low byte).
Bytes MakeJpeg(int width, int height, const std::vector<uint32_t>& pixels, bool grey, int quality,
               bool progressive = false);
// TIFF through libtiff: RGB(A) 8-bit with the given compression (COMPRESSION_* value).
Bytes MakeTiff(int width, int height, const std::vector<uint32_t>& pixels, int compression, bool alpha,
               const std::vector<uint8_t>& alphaValues = {});
// An EPS file with a binary header and `tiff` as its preview (offset 30, the PostScript part tiny).
Bytes MakeEpsWithTiff(const Bytes& tiff, uint32_t tiffLengthField);

bool WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);

}  // namespace tests
