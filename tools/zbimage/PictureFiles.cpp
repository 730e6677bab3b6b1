#include "tools/zbimage/PictureFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "button/imaging/PictureDecode.h"
#include "button/pixels/ImageDIB.h"
#include "tools/zbimage/FileMove.h"

namespace tools {

namespace {

std::string LowerExtension(const std::string& path) {
  const size_t slash = path.find_last_of("/\\"), dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  for (char& c : ext) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext;
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& data, std::string& error) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) error = "cannot read " + path;
  return !failed;
}

uint32_t U32(const std::vector<uint8_t>& d, size_t at) {
  return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& d, size_t at) { return uint16_t(d[at] | d[at + 1] << 8); }
void PutU32(std::vector<uint8_t>& d, uint32_t v) {
  for (int i = 0; i < 4; ++i) d.push_back(uint8_t(v >> (8 * i)));
}
void PutU16(std::vector<uint8_t>& d, uint16_t v) {
  d.push_back(uint8_t(v));
  d.push_back(uint8_t(v >> 8));
}

bool IsSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A decimal count of at most nine digits (netpbm sizes and maxvals).
bool ParseCount(const std::string& s, uint32_t& v) {
  if (s.empty() || s.size() > 9) return false;
  v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + uint32_t(c - '0');
  }
  return true;
}

// Checks that width x height pixels of the given size fit in the available bytes, then creates
// the buffer. Nothing is allocated for a header that promises more than the file holds.
bool CreateChecked(button::CImageDIB& out, uint64_t w, uint64_t h, uint64_t bytesPerPixel, uint64_t available,
                   std::string& error) {
  if (w == 0 || h == 0) {
    error = "the picture has no pixels";
    return false;
  }
  if (w > INT32_MAX || h > INT32_MAX || w * h > available / bytesPerPixel) {
    error = "the file holds fewer pixels than its header promises";
    return false;
  }
  if (!out.Create(int32_t(w), int32_t(h))) {
    error = "picture too large: " + out.ErrorText;
    return false;
  }
  return true;
}

// The pixel word's bytes in file order.
uint32_t Word(uint8_t r, uint8_t g, uint8_t b, uint8_t fourth) {
  return uint32_t(fourth) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

}  // namespace

bool DecodePam(const std::vector<uint8_t>& d, button::CImageDIB& out, std::string& error) {
  if (d.size() < 3 || std::memcmp(d.data(), "P7\n", 3) != 0) {
    error = "not a PAM file (no P7 signature)";
    return false;
  }
  uint32_t width = 0, height = 0, depth = 0, maxval = 0;
  std::string tupltype;
  size_t pos = 3;
  for (;;) {
    const size_t end = std::find(d.begin() + long(pos), d.end(), uint8_t('\n')) - d.begin();
    if (end == d.size()) {
      error = "PAM header ends without ENDHDR";
      return false;
    }
    std::string line(d.begin() + long(pos), d.begin() + long(end));
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line == "ENDHDR") break;
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space), value = space == std::string::npos ? "" : line.substr(space + 1);
    uint32_t* field = key == "WIDTH"    ? &width
                      : key == "HEIGHT" ? &height
                      : key == "DEPTH"  ? &depth
                      : key == "MAXVAL" ? &maxval
                                        : nullptr;
    if (key == "TUPLTYPE") {
      tupltype = value;
    } else if (!field || !ParseCount(value, *field)) {
      error = "bad PAM header line: " + line.substr(0, 60);
      return false;
    }
  }
  if (maxval != 255 || (depth != 3 && depth != 4)) {
    error = "only 8-bit RGB or RGB_ALPHA PAM files are supported (MAXVAL 255, DEPTH 3 or 4)";
    return false;
  }
  if (!tupltype.empty() && tupltype != (depth == 4 ? "RGB_ALPHA" : "RGB")) {
    error = "PAM TUPLTYPE " + tupltype + " does not match DEPTH " + std::to_string(depth);
    return false;
  }
  if (!CreateChecked(out, width, height, depth, d.size() - pos, error)) return false;
  const uint8_t* p = d.data() + pos;
  for (uint32_t top = 0; top < height; ++top)
    for (uint32_t x = 0; x < width; ++x, p += depth)
      out.SetPixel(int(x), int(height - 1 - top), Word(p[0], p[1], p[2], depth == 4 ? p[3] : 0));
  return true;
}

bool DecodePpm(const std::vector<uint8_t>& d, button::CImageDIB& out, std::string& error) {
  if (d.size() < 2 || d[0] != 'P' || d[1] != '6') {
    error = "not a binary PPM file (no P6 signature)";
    return false;
  }
  size_t pos = 2;
  uint32_t values[3];
  for (uint32_t& v : values) {
    for (;;) {  // white space and comments
      while (pos < d.size() && IsSpace(d[pos])) ++pos;
      if (pos < d.size() && d[pos] == '#')
        while (pos < d.size() && d[pos] != '\n') ++pos;
      else
        break;
    }
    std::string token;
    while (pos < d.size() && d[pos] >= '0' && d[pos] <= '9') token += char(d[pos++]);
    if (!ParseCount(token, v) || pos >= d.size()) {
      error = "bad PPM header";
      return false;
    }
  }
  ++pos;  // the single white-space byte before the samples
  if (values[2] != 255) {
    error = "only 8-bit PPM files are supported (maxval 255)";
    return false;
  }
  if (!CreateChecked(out, values[0], values[1], 3, d.size() - pos, error)) return false;
  const uint8_t* p = d.data() + pos;
  for (uint32_t top = 0; top < values[1]; ++top)
    for (uint32_t x = 0; x < values[0]; ++x, p += 3)
      out.SetPixel(int(x), int(values[1] - 1 - top), Word(p[0], p[1], p[2], 0));
  return true;
}

bool DecodeBmp32(const std::vector<uint8_t>& d, button::CImageDIB& out, std::string& error) {
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M' || U32(d, 14) < 40) {
    error = "not a Windows bitmap file";
    return false;
  }
  const uint32_t offset = U32(d, 10);
  const int32_t w = int32_t(U32(d, 18)), h = int32_t(U32(d, 22));
  if (U16(d, 26) != 1 || U16(d, 28) != 32 || U32(d, 30) != 0) {
    error = "only 32-bit BI_RGB bitmaps can be read";
    return false;
  }
  if (w <= 0 || h == 0 || h == INT32_MIN || offset > d.size()) {
    error = "bad bitmap header";
    return false;
  }
  const uint32_t rows = uint32_t(h < 0 ? -h : h);
  if (!CreateChecked(out, uint32_t(w), rows, 4, d.size() - offset, error)) return false;
  for (uint32_t i = 0; i < rows; ++i) {  // file row i: from the bottom, or from the top when h < 0
    const int y = h < 0 ? int(rows - 1 - i) : int(i);
    std::memcpy(&out.m_bits[size_t(y) * size_t(w)], d.data() + offset + size_t(i) * size_t(w) * 4, size_t(w) * 4);
  }
  return true;
}

std::vector<uint8_t> EncodePam(const button::CImageDIB& picture) {
  const std::string header = "P7\nWIDTH " + std::to_string(picture.Width()) + "\nHEIGHT " +
                             std::to_string(picture.Height()) + "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  std::vector<uint8_t> d(header.begin(), header.end());
  d.reserve(d.size() + size_t(picture.Width()) * size_t(picture.Height()) * 4);
  for (int y = picture.Height() - 1; y >= 0; --y)
    for (int x = 0; x < picture.Width(); ++x) {
      const uint32_t p = picture.Pixel(x, y);
      for (int shift : {16, 8, 0, 24}) d.push_back(uint8_t(p >> shift));
    }
  return d;
}

std::vector<uint8_t> EncodeBmp32(const button::CImageDIB& picture) {
  const uint32_t pixelBytes = uint32_t(picture.Width()) * uint32_t(picture.Height()) * 4;  // below 1 GiB
  std::vector<uint8_t> d{'B', 'M'};
  PutU32(d, 54 + pixelBytes);
  PutU32(d, 0);
  PutU32(d, 54);
  PutU32(d, 40);
  PutU32(d, uint32_t(picture.Width()));
  PutU32(d, uint32_t(picture.Height()));
  PutU16(d, 1);
  PutU16(d, 32);
  PutU32(d, 0);  // BI_RGB
  PutU32(d, pixelBytes);
  for (int i = 0; i < 4; ++i) PutU32(d, 0);
  const auto* bytes = reinterpret_cast<const uint8_t*>(picture.m_bits);  // rows already bottom-up
  d.insert(d.end(), bytes, bytes + pixelBytes);
  return d;
}

namespace {

// The control's decoders: GIF by name (transparent parts on white), anything else by content.
bool ReadWithDecoders(const std::string& path, button::CImageDIB& out, std::string& error) {
  const button::PictureResult result = button::DecodePictureFile(path, 0x00FFFFFF, out);
  if (result.Ok()) return true;
  std::string text = result.text;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  std::replace(text.begin(), text.end(), '\n', ' ');
  if (result.outcome == button::PictureOutcome::DecoderFailed)
    error = "error " + std::to_string(result.code) + ": " + text;
  else if (result.outcome == button::PictureOutcome::GifUnreadable)
    error = "cannot read " + path;
  else if (result.outcome == button::PictureOutcome::GifNotGif)
    error = path + ": not a GIF file (no GIF signature)";
  else
    error = path + ": " + text;
  return false;
}

}  // namespace

// The one place where a file name picks its reader.
bool ReadPicture(const std::string& path, button::CImageDIB& out, std::string& error) {
  const std::string ext = LowerExtension(path);
  if (ext != ".pam" && ext != ".ppm") return ReadWithDecoders(path, out, error);
  bool (*decode)(const std::vector<uint8_t>&, button::CImageDIB&, std::string&) = ext == ".pam" ? DecodePam : DecodePpm;
  std::vector<uint8_t> data;
  if (!ReadFileBytes(path, data, error)) return false;
  if (decode(data, out, error)) return true;
  error = path + ": " + error;
  return false;
}

bool CanWritePicture(const std::string& path) {
  const std::string ext = LowerExtension(path);
  return ext == ".pam" || ext == ".bmp";
}

bool WritePicture(const std::string& path, const button::CImageDIB& picture, std::string& error) {
  if (!CanWritePicture(path)) {
    error = "cannot write " + path + ": unknown picture type (use .pam or .bmp)";
    return false;
  }
  if (!picture.HasPixels()) {
    error = "cannot write " + path + ": the picture has no pixels";
    return false;
  }
  const std::vector<uint8_t> data = LowerExtension(path) == ".pam" ? EncodePam(picture) : EncodeBmp32(picture);
  const std::string temp = path + ".zbimage-part";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  if (std::fclose(f) != 0 || !written || !MoveFileOver(temp, path, error)) {
    if (error.empty()) error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace tools
