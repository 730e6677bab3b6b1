// The Windows bitmap decoder over arbitrary bytes, at both destination depths.
#include <cstddef>
#include <cstdint>

#include "button/imaging/CBmpDecoder.h"
#include "button/imaging/CTextException.h"
#include "fuzz/imaging_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (int bpp : {32, 0}) {
    button::CDataSource source;
    source.Attach("fuzz", data, size);
    button::CBmpDecoder decoder;
    decoder.SetLimits(FuzzLimits());
    button::CDecodedBitmap bitmap;
    try {
      decoder.Decode(source, bitmap, bpp);
    } catch (const button::CTextException&) {
    }
  }
  return 0;
}
