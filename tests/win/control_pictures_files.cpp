#include "tests/win/control_pictures_files.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>
#include <tiffio.h>

namespace tests {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File OpenForWriting(const std::wstring& path) { return File(_wfopen(path.c_str(), L"wb")); }

std::string Narrow(const std::wstring& s) {
  std::string out(size_t(WideCharToMultiByte(CP_ACP, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_ACP, 0, s.c_str(), -1, &out[0], int(out.size()), nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

bool WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  File f = OpenForWriting(path);
  return f && fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

}  // namespace

bool WriteBmp24(const std::wstring& path, int w, int h) {
  const uint32_t stride = (uint32_t(w) * 3 + 3) & ~3u;
  std::vector<uint8_t> b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, 54 + stride * h);
  Put32(b, 0);
  Put32(b, 54);
  Put32(b, 40);
  Put32(b, w);
  Put32(b, h);
  Put16(b, 1);
  Put16(b, 24);
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  for (int row = h - 1; row >= 0; --row) {  // bottom-up
    for (int x = 0; x < w; ++x) {
      const uint32_t c = Colour(x, row);
      b.push_back(uint8_t(c));
      b.push_back(uint8_t(c >> 8));
      b.push_back(uint8_t(c >> 16));
    }
    for (uint32_t pad = uint32_t(w) * 3; pad < stride; ++pad) b.push_back(0);
  }
  return WriteAll(path, b);
}

bool WriteJpeg(const std::wstring& path, int w, int h) {
  File f = OpenForWriting(path);
  if (!f) return false;
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f.get());
  c.image_width = JDIMENSION(w);
  c.image_height = JDIMENSION(h);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  std::vector<uint8_t> row(size_t(w) * 3);
  jpeg_start_compress(&c, TRUE);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t v = Colour(x, y);
      row[size_t(x) * 3] = uint8_t(v >> 16);
      row[size_t(x) * 3 + 1] = uint8_t(v >> 8);
      row[size_t(x) * 3 + 2] = uint8_t(v);
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return true;
}

bool WriteTiff(const std::wstring& path, int w, int h) {
  TIFF* t = TIFFOpen(Narrow(path).c_str(), "w");
  if (!t) return false;
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, uint32_t(w));
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, uint32_t(h));
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, uint32_t(h));
  std::vector<uint8_t> row(size_t(w) * 3);
  bool ok = true;
  for (int y = 0; y < h && ok; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t v = Colour(x, y);
      row[size_t(x) * 3] = uint8_t(v >> 16);
      row[size_t(x) * 3 + 1] = uint8_t(v >> 8);
      row[size_t(x) * 3 + 2] = uint8_t(v);
    }
    ok = TIFFWriteScanline(t, row.data(), uint32_t(y), 0) == 1;
  }
  TIFFClose(t);
  return ok;
}

bool WriteGif(const std::wstring& path, int w, int h, bool transparentBlue) {
  std::vector<uint8_t> b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, w);
  Put16(b, h);
  b.push_back(0x80);  // global table of 2 entries
  b.push_back(0);
  b.push_back(0);
  const uint8_t table[] = {255, 0, 0, 0, 0, 255};
  b.insert(b.end(), table, table + 6);
  if (transparentBlue) {
    const uint8_t gce[] = {0x21, 0xF9, 4, 0x01, 0, 0, 1, 0};
    b.insert(b.end(), gce, gce + sizeof(gce));
  }
  b.push_back(0x2C);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, w);
  Put16(b, h);
  b.push_back(0);
  // LZW with minimum code size 2: a clear code before every two pixels keeps every code 3 bits wide.
  b.push_back(2);
  std::vector<uint8_t> data;
  uint32_t acc = 0;
  int bits = 0;
  auto emit = [&](uint32_t code) {
    acc |= code << bits;
    bits += 3;
    while (bits >= 8) {
      data.push_back(uint8_t(acc));
      acc >>= 8;
      bits -= 8;
    }
  };
  const int total = w * h;
  for (int i = 0; i < total; ++i) {
    if (i % 2 == 0) emit(4);
    emit(uint32_t((i % w) & 1));
  }
  emit(5);
  if (bits) data.push_back(uint8_t(acc));
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    b.push_back(uint8_t(n));
    b.insert(b.end(), data.begin() + at, data.begin() + at + n);
  }
  b.push_back(0);
  b.push_back(0x3B);
  return WriteAll(path, b);
}

bool WriteText(const std::wstring& path, const std::string& text) {
  return WriteAll(path, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace tests
