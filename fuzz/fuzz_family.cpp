// The whole decoder family (recognition, BMP, JPEG, TIFF, EPS preview) over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "button/imaging/CAnyPicDecoder.h"
#include "button/imaging/CTextException.h"
#include "fuzz/imaging_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  button::CDataSource source;
  source.Attach("fuzz", data, size);
  button::CAnyPicDecoder decoder;
  decoder.SetLimits(FuzzLimits());
  button::CDecodedBitmap bitmap;
  try {
    decoder.Decode(source, bitmap, 32);
    // A decoded picture is never empty and never beyond the limits.
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0 || !FuzzLimits().Allows(bitmap.Width(), bitmap.Height())) {
      std::abort();
    }
  } catch (const button::CTextException& e) {
    if (e.GetText().empty()) std::abort();
  }
  return 0;
}
