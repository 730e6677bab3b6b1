#pragma once
// CAnyPicDecoder: recognises a picture by its first bytes (never by its name) and hands it to the
// family's decoder for that format: Windows bitmap, TIFF, JPEG, or the TIFF preview of an EPS file.
#include <cstddef>
#include <cstdint>

#include "button/imaging/CBmpDecoder.h"
#include "button/imaging/CJPEGDecoder.h"
#include "button/imaging/CPicDecoder.h"
#include "button/imaging/CTIFFDecoder.h"

namespace button {

enum class PictureFormat { None, Bitmap, Targa, Tiff, Pict, Jpeg, Png, EpsTiff };

class CAnyPicDecoder : public CPicDecoder {
 public:
  // The format of `size` bytes at `data`, by the tests in their fixed order.
  static PictureFormat Recognise(const uint8_t* data, size_t size);

  void Decode(CDataSource& source, CDecodedBitmap& bitmap, int bpp) override;
  void SetLimits(const DecodeLimits& limits) override;
  void SetTraceHook(DecodeTraceHook hook) override;

 private:
  CBmpDecoder m_bmp;
  CTIFFDecoder m_tiff;
  CJPEGDecoder m_jpeg;
};

}  // namespace button
