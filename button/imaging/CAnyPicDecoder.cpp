#include "button/imaging/CAnyPicDecoder.h"

#include <cstring>

#include "button/imaging/CTextException.h"

namespace button {

namespace {

uint32_t LE32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

bool IsTarga(const uint8_t* d, size_t n) {
  if (n < 17) return false;
  const uint8_t type = d[2], mapType = d[1], entryBits = d[7], depth = d[16];
  const bool typeOk = type <= 3 || (type >= 9 && type <= 11);
  const bool entryOk =
      entryBits == 0 || entryBits == 8 || entryBits == 15 || entryBits == 16 || entryBits == 24 || entryBits == 32;
  const bool depthOk = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
  return typeOk && mapType < 2 && entryOk && depthOk;
}

bool StartsWith(const uint8_t* d, size_t n, const char* bytes, size_t count) {
  return n >= count && std::memcmp(d, bytes, count) == 0;
}

}  // namespace

PictureFormat CAnyPicDecoder::Recognise(const uint8_t* d, size_t n) {
  if (StartsWith(d, n, "BM", 2)) return PictureFormat::Bitmap;
  if (IsTarga(d, n)) return PictureFormat::Targa;
  if (StartsWith(d, n, "II*\0", 4) || StartsWith(d, n, "MM\0*", 4)) return PictureFormat::Tiff;
  if (n > 540) {
    const uint8_t* p = d + 522;
    if (std::memcmp(p, "\x00\x11\x02\xFF", 4) == 0 || std::memcmp(p, "\x00\x11\x01", 3) == 0 ||
        std::memcmp(p, "\x11\x01\x01\x00", 4) == 0) {
      return PictureFormat::Pict;
    }
  }
  if (StartsWith(d, n, "\xFF\xD8\xFF", 3)) return PictureFormat::Jpeg;
  if (StartsWith(d, n, "\x89PNG", 4)) return PictureFormat::Png;
  if ((StartsWith(d, n, "\xC5\xD0\xD3\xC6", 4) || StartsWith(d, n, "\xC6\xD3\xD0\xC5", 4)) && n >= 28 &&
      LE32(d + 20) != 0 && LE32(d + 24) != 0) {
    return PictureFormat::EpsTiff;
  }
  return PictureFormat::None;
}

void CAnyPicDecoder::Decode(CDataSource& source, CDecodedBitmap& bitmap, int bpp) {
  m_source = &source;
  m_bitmap = &bitmap;
  m_bpp = bpp;
  switch (Recognise(source.Current(), source.Remaining())) {
    case PictureFormat::Bitmap:
      Trace(1, "Windows bitmap recognized.\n");
      m_bmp.Decode(source, bitmap, bpp);
      break;
    case PictureFormat::Tiff:
      Trace(1, "TIFF file recognized.\n");
      m_tiff.Decode(source, bitmap, bpp);
      break;
    case PictureFormat::Jpeg:
      Trace(1, "JPEG file recognized.\n");
      m_jpeg.Decode(source, bitmap, bpp);
      break;
    case PictureFormat::EpsTiff: {
      Trace(1, "TIFF preview in EPS file recognized.\n");
      const size_t start = source.Position();
      const uint32_t offset = LE32(source.Current() + 20);
      if (offset > source.Remaining()) throw CTextException::EndOfData();
      source.SeekTo(start + offset);
      m_tiff.Decode(source, bitmap, bpp);
      break;
    }
    case PictureFormat::Targa:
    case PictureFormat::Pict:
    case PictureFormat::Png:
      throw CTextException::Decoder(kDecodeNoDecoder, "Library not compiled for this file type.");
    case PictureFormat::None: throw CTextException::Decoder(kDecodeUnknownType, "Unknown file type.");
  }
}

void CAnyPicDecoder::SetLimits(const DecodeLimits& limits) {
  CPicDecoder::SetLimits(limits);
  m_bmp.SetLimits(limits);
  m_tiff.SetLimits(limits);
  m_jpeg.SetLimits(limits);
}

void CAnyPicDecoder::SetTraceHook(DecodeTraceHook hook) {
  m_bmp.SetTraceHook(hook);
  m_tiff.SetTraceHook(hook);
  m_jpeg.SetTraceHook(hook);
  CPicDecoder::SetTraceHook(std::move(hook));
}

}  // namespace button
