#include "tests/native/imaging_forge.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_map>

extern "C" {
#include <jpeglib.h>
}
#include <tiffio.h>

namespace tests {

namespace {

uint32_t Next(uint32_t& s) {
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}

void Put16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

Bytes BmpHeaders(const BmpLayout& layout, size_t dataSize) {
  const size_t entries = layout.palette.size();
  const uint32_t used = layout.colorsUsed >= 0                                      ? uint32_t(layout.colorsUsed)
                        : (layout.bpp <= 8 && entries == (size_t(1) << layout.bpp)) ? 0
                                                                                    : uint32_t(entries);
  const size_t headers = 14 + 40 + entries * 4;
  Bytes b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, layout.fileSizeField >= 0 ? uint32_t(layout.fileSizeField) : uint32_t(headers + dataSize));
  Put32(b, 0);
  Put32(b, uint32_t(headers));
  Put32(b, layout.headerSize);
  Put32(b, uint32_t(layout.width));
  Put32(b, uint32_t(layout.topDown ? -layout.height : layout.height));
  Put16(b, 1);
  Put16(b, uint32_t(layout.bpp));
  Put32(b, layout.compression);
  Put32(b, uint32_t(dataSize));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, used);
  Put32(b, 0);
  for (uint32_t c : layout.palette) {
    b.push_back(uint8_t(c));
    b.push_back(uint8_t(c >> 8));
    b.push_back(uint8_t(c >> 16));
    b.push_back(0);
  }
  return b;
}

// One row of indices as RLE: encoded runs for repeats, absolute runs for the rest.
void RleRow(Bytes& out, const uint8_t* row, int width, bool nibbles) {
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < 255 && row[x + run] == row[x]) ++run;
    if (run >= 3 || width - x < 3) {
      out.push_back(uint8_t(run));
      out.push_back(nibbles ? uint8_t((row[x] << 4) | row[x]) : row[x]);
      x += run;
      continue;
    }
    // Literal stretch up to the next run of three.
    int n = 0;
    while (x + n < width && n < 255) {
      if (x + n + 2 < width && row[x + n] == row[x + n + 1] && row[x + n] == row[x + n + 2]) break;
      ++n;
    }
    if (n < 3) {  // absolute runs need at least 3 pixels; write singles as encoded runs
      for (int k = 0; k < n; ++k) {
        out.push_back(1);
        out.push_back(nibbles ? uint8_t(row[x + k] << 4) : row[x + k]);
      }
      x += n;
      continue;
    }
    out.push_back(0);
    out.push_back(uint8_t(n));
    size_t bytes = 0;
    if (nibbles) {
      for (int k = 0; k < n; k += 2, ++bytes) {
        out.push_back(uint8_t((row[x + k] << 4) | (k + 1 < n ? row[x + k + 1] : 0)));
      }
    } else {
      out.insert(out.end(), row + x, row + x + n);
      bytes = size_t(n);
    }
    if (bytes & 1) out.push_back(0);
    x += n;
  }
  out.push_back(0);
  out.push_back(0);
}

}  // namespace

std::vector<uint32_t> Pattern(int width, int height, uint32_t seed) {
  std::vector<uint32_t> p(size_t(width) * size_t(height));
  uint32_t s = seed | 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t noise = Next(s) & 0x1F;
      uint32_t r = uint32_t(x * 255 / (width > 1 ? width - 1 : 1));
      uint32_t g = uint32_t(y * 255 / (height > 1 ? height - 1 : 1));
      uint32_t b = ((x / 8 + y / 8) & 1) ? 200 : 40;
      if ((x + y) % 17 == 0) r = g = b = 255;  // sharp diagonal lines
      r = (r + noise) & 0xFF;
      g = (g ^ noise) & 0xFF;
      p[size_t(y) * size_t(width) + size_t(x)] = (r << 16) | (g << 8) | b;
    }
  }
  return p;
}

std::vector<uint8_t> IndexPattern(int width, int height, int colours, uint32_t seed) {
  std::vector<uint8_t> p(size_t(width) * size_t(height));
  uint32_t s = seed | 1;
  uint8_t v = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    const uint32_t r = Next(s);
    if ((r & 7) < 3) v = uint8_t((r >> 8) % uint32_t(colours));  // change value now and then: runs and noise
    p[i] = v;
  }
  return p;
}

std::vector<uint32_t> Palette(int n, uint32_t seed) {
  std::vector<uint32_t> p(static_cast<size_t>(n));
  uint32_t s = seed | 1;
  for (int i = 0; i < n; ++i) p[size_t(i)] = Next(s) & 0xFFFFFF;
  return p;
}

Bytes MakeBmpRaw(const BmpLayout& layout, const Bytes& data) {
  Bytes b = BmpHeaders(layout, data.size());
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

Bytes MakeBmpIndexed(const BmpLayout& layout, const std::vector<uint8_t>& indices) {
  Bytes data;
  const int w = layout.width, h = layout.height;
  for (int i = 0; i < h; ++i) {
    const int y = layout.topDown ? i : h - 1 - i;  // file rows: bottom-up unless top-down
    const uint8_t* row = indices.data() + size_t(y) * size_t(w);
    if (layout.compression != 0) {
      RleRow(data, row, w, layout.bpp == 4);
      continue;
    }
    const size_t rowBytes = ((size_t(w) * size_t(layout.bpp) + 31) / 32) * 4;
    Bytes r(rowBytes, 0);
    for (int x = 0; x < w; ++x) {
      if (layout.bpp == 1)
        r[size_t(x) / 8] |= uint8_t((row[x] & 1) << (7 - x % 8));
      else if (layout.bpp == 4)
        r[size_t(x) / 2] |= uint8_t((row[x] & 15) << (x % 2 ? 0 : 4));
      else
        r[size_t(x)] = row[x];
    }
    data.insert(data.end(), r.begin(), r.end());
  }
  if (layout.compression != 0) {
    data.push_back(0);
    data.push_back(1);
  }
  return MakeBmpRaw(layout, data);
}

Bytes MakeBmp(const BmpLayout& layout, const std::vector<uint32_t>& pixels) {
  if (layout.bpp <= 8) {
    std::vector<uint8_t> idx(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) idx[i] = uint8_t(pixels[i]);
    return MakeBmpIndexed(layout, idx);
  }
  Bytes data;
  const int w = layout.width, h = layout.height, bytes = layout.bpp / 8;
  const size_t rowBytes = ((size_t(w) * size_t(layout.bpp) + 31) / 32) * 4;
  for (int i = 0; i < h; ++i) {
    const int y = layout.topDown ? i : h - 1 - i;
    Bytes r(rowBytes, 0);
    for (int x = 0; x < w; ++x) {
      const uint32_t c = pixels[size_t(y) * size_t(w) + size_t(x)];
      r[size_t(x) * size_t(bytes) + 0] = uint8_t(c);
      r[size_t(x) * size_t(bytes) + 1] = uint8_t(c >> 8);
      r[size_t(x) * size_t(bytes) + 2] = uint8_t(c >> 16);
    }
    data.insert(data.end(), r.begin(), r.end());
  }
  return MakeBmpRaw(layout, data);
}

std::vector<std::pair<int, int>> LzwCodes(const std::vector<uint8_t>& indices, int m, bool neverClear) {
  // Widths follow the decoder: it adds a string for every code but the first after a clear, and
  // widens when its next free code reaches the current limit. The encoder's table runs one ahead.
  std::vector<std::pair<int, int>> codes;
  const int clear = 1 << m;
  std::unordered_map<uint32_t, int> dict;
  int width = m + 1, decoderNext = clear + 2, encoderNext = clear + 2;
  bool first = true;
  auto emit = [&](int code) {
    codes.emplace_back(code, width);
    if (!first && decoderNext < 4096 && ++decoderNext == (1 << width) && width < 12) ++width;
    first = false;
  };
  auto reset = [&]() {
    dict.clear();
    width = m + 1;
    decoderNext = encoderNext = clear + 2;
    first = true;
  };
  codes.emplace_back(clear, width);
  if (indices.empty()) {
    codes.emplace_back(clear + 1, width);
    return codes;
  }
  int prefix = indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    const int c = indices[i];
    const uint32_t key = (uint32_t(prefix) << 8) | uint32_t(c);
    auto it = dict.find(key);
    if (it != dict.end()) {
      prefix = it->second;
      continue;
    }
    emit(prefix);
    if (encoderNext < 4096) dict[key] = encoderNext++;
    if (encoderNext == 4096 && !neverClear) {
      codes.emplace_back(clear, width);
      reset();
    }
    prefix = c;
  }
  emit(prefix);
  codes.emplace_back(clear + 1, width);
  return codes;
}

Bytes PackCodes(const std::vector<std::pair<int, int>>& codes) {
  Bytes packed;
  uint32_t acc = 0;
  int bits = 0;
  for (const auto& [code, width] : codes) {
    acc |= uint32_t(code) << bits;
    bits += width;
    while (bits >= 8) {
      packed.push_back(uint8_t(acc));
      acc >>= 8;
      bits -= 8;
    }
  }
  if (bits > 0) packed.push_back(uint8_t(acc));
  Bytes out;
  for (size_t i = 0; i < packed.size(); i += 255) {
    const size_t n = std::min<size_t>(255, packed.size() - i);
    out.push_back(uint8_t(n));
    out.insert(out.end(), packed.begin() + long(i), packed.begin() + long(i + n));
  }
  out.push_back(0);
  return out;
}

namespace {

int TableBits(size_t entries) {
  int bits = 1;
  while ((size_t(1) << bits) < entries && bits < 8) ++bits;
  return bits;
}

void PutTable(Bytes& b, const std::vector<uint32_t>& palette, int bits) {
  for (size_t i = 0; i < (size_t(1) << bits); ++i) {
    const uint32_t c = i < palette.size() ? palette[i] : 0;
    b.push_back(uint8_t(c >> 16));
    b.push_back(uint8_t(c >> 8));
    b.push_back(uint8_t(c));
  }
}

void PutScreen(Bytes& b, int w, int h, const std::vector<uint32_t>& global) {
  const char* sig = "GIF89a";
  b.insert(b.end(), sig, sig + 6);
  Put16(b, uint32_t(w));
  Put16(b, uint32_t(h));
  const int bits = TableBits(global.size());
  b.push_back(global.empty() ? 0 : uint8_t(0x80 | 0x70 | (bits - 1)));
  b.push_back(0);
  b.push_back(0);
  if (!global.empty()) PutTable(b, global, bits);
}

}  // namespace

Bytes MakeGif(const GifLayout& layout) {
  Bytes b;
  PutScreen(b, layout.screenWidth, layout.screenHeight, layout.globalPalette);
  for (const GifFrame& f : layout.frames) {
    if (f.transparent >= 0 || f.delay > 0) {
      const uint8_t ext[] = {0x21,
                             0xF9,
                             4,
                             uint8_t(f.transparent >= 0 ? 1 : 0),
                             uint8_t(f.delay),
                             uint8_t(f.delay >> 8),
                             uint8_t(f.transparent >= 0 ? f.transparent : 0),
                             0};
      b.insert(b.end(), ext, ext + sizeof(ext));
    }
    b.push_back(0x2C);
    Put16(b, uint32_t(f.left));
    Put16(b, uint32_t(f.top));
    Put16(b, uint32_t(f.width));
    Put16(b, uint32_t(f.height));
    const int localBits = f.localPalette.empty() ? 0 : TableBits(f.localPalette.size());
    b.push_back(uint8_t((f.interlaced ? 0x40 : 0) | (localBits ? 0x80 | (localBits - 1) : 0)));
    if (localBits) PutTable(b, f.localPalette, localBits);
    // Rows go into the stream in pass order when interlaced.
    std::vector<uint8_t> ordered;
    if (f.interlaced) {
      const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
      for (int p = 0; p < 4; ++p) {
        for (int y = starts[p]; y < f.height; y += steps[p]) {
          ordered.insert(ordered.end(), f.indices.begin() + long(y) * f.width,
                         f.indices.begin() + long(y + 1) * f.width);
        }
      }
    } else {
      ordered = f.indices;
    }
    const size_t entries = f.localPalette.empty() ? layout.globalPalette.size() : f.localPalette.size();
    const int m = f.minCodeSize ? f.minCodeSize : std::max(2, TableBits(entries));
    b.push_back(uint8_t(m));
    const Bytes lzw = PackCodes(LzwCodes(ordered, m, f.neverClear));
    b.insert(b.end(), lzw.begin(), lzw.end());
  }
  b.push_back(0x3B);
  return b;
}

Bytes MakeGifRaw(int screenW, int screenH, int width, int height, const std::vector<uint32_t>& palette, int minCodeSize,
                 const Bytes& lzw) {
  Bytes b;
  PutScreen(b, screenW, screenH, palette);
  b.push_back(0x2C);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, uint32_t(width));
  Put16(b, uint32_t(height));
  b.push_back(0);
  b.push_back(uint8_t(minCodeSize));
  b.insert(b.end(), lzw.begin(), lzw.end());
  b.push_back(0x3B);
  return b;
}

Bytes MakeJpeg(int width, int height, const std::vector<uint32_t>& pixels, bool grey, int quality, bool progressive) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &mem, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(size_t(width) * 3);
  while (info.next_scanline < info.image_height) {
    const uint32_t* src = pixels.data() + size_t(info.next_scanline) * size_t(width);
    for (int x = 0; x < width; ++x) {
      if (grey) {
        row[size_t(x)] = uint8_t(src[x]);
      } else {
        row[size_t(x) * 3] = uint8_t(src[x] >> 16);
        row[size_t(x) * 3 + 1] = uint8_t(src[x] >> 8);
        row[size_t(x) * 3 + 2] = uint8_t(src[x]);
      }
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(mem, mem + size);
  jpeg_destroy_compress(&info);
  free(mem);
  return out;
}

namespace {

// libtiff writing into a growing byte vector.
struct MemFile {
  Bytes data;
  uint64_t pos = 0;
  static MemFile* Of(thandle_t h) { return static_cast<MemFile*>(h); }
  static tmsize_t Read(thandle_t h, void* buf, tmsize_t n) {
    MemFile* f = Of(h);
    if (f->pos >= f->data.size()) return 0;
    const size_t count = std::min<size_t>(size_t(n), f->data.size() - size_t(f->pos));
    std::memcpy(buf, f->data.data() + f->pos, count);
    f->pos += count;
    return tmsize_t(count);
  }
  static tmsize_t Write(thandle_t h, void* buf, tmsize_t n) {
    MemFile* f = Of(h);
    if (f->pos + uint64_t(n) > f->data.size()) f->data.resize(size_t(f->pos + uint64_t(n)));
    std::memcpy(f->data.data() + f->pos, buf, size_t(n));
    f->pos += uint64_t(n);
    return n;
  }
  static toff_t Seek(thandle_t h, toff_t off, int whence) {
    MemFile* f = Of(h);
    if (whence == SEEK_SET)
      f->pos = off;
    else if (whence == SEEK_CUR)
      f->pos += off;
    else
      f->pos = f->data.size() + off;
    return f->pos;
  }
  static int Close(thandle_t) { return 0; }
  static toff_t Size(thandle_t h) { return Of(h)->data.size(); }
  static int Map(thandle_t, void**, toff_t*) { return 0; }
  static void Unmap(thandle_t, void*, toff_t) {}
};

}  // namespace

Bytes MakeTiff(int width, int height, const std::vector<uint32_t>& pixels, int compression, bool alpha,
               const std::vector<uint8_t>& alphaValues) {
  MemFile file;
  TIFF* tif = TIFFClientOpen("forge", "w", &file, MemFile::Read, MemFile::Write, MemFile::Seek, MemFile::Close,
                             MemFile::Size, MemFile::Map, MemFile::Unmap);
  if (!tif) return {};
  const int spp = alpha ? 4 : 3;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(height));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, spp);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 8);
  if (alpha) {
    const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
  }
  std::vector<uint8_t> row(size_t(width) * size_t(spp));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t i = size_t(y) * size_t(width) + size_t(x);
      const uint32_t c = pixels[i];
      uint8_t* p = row.data() + size_t(x) * size_t(spp);
      p[0] = uint8_t(c >> 16);
      p[1] = uint8_t(c >> 8);
      p[2] = uint8_t(c);
      if (alpha) p[3] = alphaValues.empty() ? 255 : alphaValues[i];
    }
    TIFFWriteScanline(tif, row.data(), uint32_t(y), 0);
  }
  TIFFClose(tif);
  return file.data;
}

Bytes MakeEpsWithTiff(const Bytes& tiff, uint32_t tiffLengthField) {
  const char ps[] = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 1 1\n";
  const uint32_t psOffset = 30, psLength = uint32_t(sizeof(ps) - 1);
  const uint32_t tiffOffset = psOffset + psLength;
  Bytes b = {0xC5, 0xD0, 0xD3, 0xC6};
  Put32(b, psOffset);
  Put32(b, psLength);
  Put32(b, 0);  // no metafile
  Put32(b, 0);
  Put32(b, tiffOffset);
  Put32(b, tiffLengthField);
  Put16(b, 0xFFFF);  // no checksum
  b.insert(b.end(), ps, ps + psLength);
  b.insert(b.end(), tiff.begin(), tiff.end());
  return b;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(f);
}

Bytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace tests
