#include "button/imaging/CTIFFDecoder.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <tiffio.h>

#include "button/imaging/CTextException.h"

namespace button {

struct CTIFFDecoder::Client {
  const uint8_t* data = nullptr;
  uint64_t size = 0;
  uint64_t pos = 0;
  char error[256] = {};
  CTIFFDecoder* owner = nullptr;

  static Client* Of(thandle_t h) { return static_cast<Client*>(h); }

  static tmsize_t Read(thandle_t h, void* buffer, tmsize_t n) {
    Client* c = Of(h);
    if (n <= 0 || c->pos >= c->size) return 0;
    const uint64_t count = std::min<uint64_t>(uint64_t(n), c->size - c->pos);
    std::memcpy(buffer, c->data + c->pos, size_t(count));
    c->pos += count;
    return tmsize_t(count);
  }
  static tmsize_t Write(thandle_t h, void*, tmsize_t) {
    std::snprintf(Of(h)->error, sizeof(Of(h)->error), "Function disabled.");
    return 0;
  }
  static toff_t Seek(thandle_t h, toff_t offset, int whence) {
    // Positions past the end are allowed; reads from there deliver nothing.
    Client* c = Of(h);
    switch (whence) {
      case SEEK_SET: c->pos = offset; break;
      case SEEK_CUR: c->pos += offset; break;
      case SEEK_END: c->pos = c->size + offset; break;
      default: return toff_t(-1);
    }
    return c->pos;
  }
  static int Close(thandle_t) { return 0; }
  static toff_t Size(thandle_t h) { return Of(h)->size; }
  static int Map(thandle_t, void**, toff_t*) { return 0; }  // not mapped: libtiff reads through Read
  static void Unmap(thandle_t, void*, toff_t) {}

  static int OnError(TIFF*, void* user, const char*, const char* format, va_list args) {
    std::vsnprintf(static_cast<Client*>(user)->error, sizeof(error), format, args);
    return 1;  // handled: no console output
  }
  static int OnWarning(TIFF*, void* user, const char*, const char* format, va_list args) {
    char text[256];
    std::vsnprintf(text, sizeof(text), format, args);
    static_cast<Client*>(user)->owner->Trace(3, "Warning in LIBTIFF: %s\n", text);
    return 1;
  }
};

namespace {

struct OptionsDeleter {
  void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};
struct TiffDeleter {
  void operator()(TIFF* t) const { TIFFClose(t); }
};
struct RgbaImage {
  TIFFRGBAImage image{};
  bool begun = false;
  ~RgbaImage() {
    if (begun) TIFFRGBAImageEnd(&image);
  }
};

}  // namespace

void CTIFFDecoder::DecodeData() {
  Client client;
  client.data = m_source->Current();
  client.size = m_source->Remaining();
  client.owner = this;
  auto failure = [&client](const char* fallback) {
    return CTextException::Decoder(kDecodeNotBitmap, client.error[0] ? client.error : fallback);
  };

  std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
  if (!options) throw CTextException::Decoder(kDecodeNoMemory, "Out of memory allocating TIFF buffer.");
  // No single allocation of libtiff may exceed what the largest allowed picture needs (16-bit RGBA).
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), tmsize_t(m_limits.maxPixels * 8 + (uint64_t(1) << 20)));
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Client::OnError, &client);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Client::OnWarning, &client);
  std::unique_ptr<TIFF, TiffDeleter> tif(TIFFClientOpenExt("MemSource", "r", &client, Client::Read, Client::Write,
                                                           Client::Seek, Client::Close, Client::Size, Client::Map,
                                                           Client::Unmap, options.get()));
  if (!tif) throw failure("Cannot open TIFF data.");

  RgbaImage rgba;
  char message[1024] = {};
  if (!TIFFRGBAImageOK(tif.get(), message) || !TIFFRGBAImageBegin(&rgba.image, tif.get(), 0, message)) {
    if (!client.error[0]) std::snprintf(client.error, sizeof(client.error), "%.250s", message);
    throw failure("Cannot read TIFF image.");
  }
  rgba.begun = true;
  const uint32_t width = rgba.image.width, height = rgba.image.height;
  // A picture beyond the limits is refused as one whose buffer cannot be had.
  try {
    m_bitmap->Create(int32_t(width), int32_t(height), 32, rgba.image.alpha != 0, m_limits);
  } catch (const CTextException& e) {
    if (e.GetCode() != kDecodeNoMemory) throw;
    throw CTextException::Decoder(kDecodeNoMemory, "Out of memory allocating TIFF buffer.");
  }
  // The raster's rows run bottom-up like the bitmap's, so libtiff writes straight into its pixels;
  // only red and blue change places afterwards (libtiff packs red into the low byte).
  uint32_t* raster = reinterpret_cast<uint32_t*>(m_bitmap->Bits());
  const int ok = TIFFRGBAImageGet(&rgba.image, raster, width, height);
  const size_t count = size_t(width) * height;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = raster[i];
    raster[i] = (p & 0xFF00FF00u) | ((p & 0xFFu) << 16) | ((p >> 16) & 0xFFu);
  }
  if (!ok) throw failure("Cannot read TIFF image.");
}

}  // namespace button
