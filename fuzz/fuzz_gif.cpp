// The GIF decoder over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "button/imaging/CGifDecoder.h"
#include "button/pixels/ImageDIB.h"
#include "fuzz/imaging_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  button::CImageDIB target;
  button::CGifDecoder decoder;
  decoder.SetLimits(FuzzLimits());
  const int result = decoder.DecodeMemory(&target, 0x00FF00FF, data, size);
  if (result != button::CGifDecoder::kDecoded && result != button::CGifDecoder::kNotGif) std::abort();
  if (decoder.RowsDecoded() > target.Height()) std::abort();
  return 0;
}
