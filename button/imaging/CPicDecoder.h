#pragma once
// CPicDecoder: the base of the decoder family. A decode reads a data source and fills a decoded bitmap
// at the requested bits per pixel (0 lets the decoder choose: 8 for sources of 8 bits or fewer, else
// 32). Every failure throws CTextException.
#include <functional>
#include <string>

#include "button/imaging/CDecodedBitmap.h"
#include "button/imaging/CDataSource.h"
#include "button/imaging/DecodeLimits.h"

namespace button {

// Receives the decoders' progress notes (level 0 to 3). Nothing listens by default.
using DecodeTraceHook = std::function<void(int level, const std::string& text)>;

class CPicDecoder {
 public:
  CPicDecoder() = default;
  CPicDecoder(const CPicDecoder&) = delete;
  CPicDecoder& operator=(const CPicDecoder&) = delete;
  virtual ~CPicDecoder() = default;

  // Maps the file at `path` (UTF-8) and decodes it; the file is closed again whatever happens.
  virtual void DecodeFile(const std::string& path, CDecodedBitmap& bitmap, int bpp);
  // Decodes from the source's current read position.
  virtual void Decode(CDataSource& source, CDecodedBitmap& bitmap, int bpp);

  virtual void SetLimits(const DecodeLimits& limits) { m_limits = limits; }
  const DecodeLimits& Limits() const { return m_limits; }
  virtual void SetTraceHook(DecodeTraceHook hook) { m_trace = std::move(hook); }

 protected:
  // The format's own work on m_source, m_bitmap and m_bpp.
  virtual void DecodeData() {}

  // The destination depth for a source of `sourceBpp` bits: 8 only when the caller asked for 8 or let
  // the decoder choose and the source has 8 bits or fewer; 32 otherwise.
  int DestinationBpp(int sourceBpp) const { return (m_bpp == 0 || m_bpp == 8) && sourceBpp <= 8 ? 8 : 32; }
  void Trace(int level, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 3, 4)))
#endif
      ;

  CDataSource* m_source = nullptr;
  CDecodedBitmap* m_bitmap = nullptr;
  int m_bpp = 0;
  DecodeLimits m_limits;
  DecodeTraceHook m_trace;
};

}  // namespace button
