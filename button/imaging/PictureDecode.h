#pragma once
// Decoding a picture file into a pixel buffer: the one entry point for the control's picture sources
// and for the tools.
//
// Routing: a path longer than 2 characters whose name ends in "GIF" (any letter case) goes to the
// GIF decoder, which writes straight into `target` and paints transparent pixels with `background`.
// Any other path goes to the decoder family (BMP, JPEG, TIFF, EPS with a TIFF preview, recognised by
// content, not by name) at 32 bits per pixel; the decoded pixels are then copied into `target`,
// re-created at the picture's size.
//
// Never throws. A failure leaves `target` as it was, except BufferFailed, which leaves it empty. A
// damaged GIF stream is no failure: the result is Decoded with the rows decoded so far (the rest
// white).
#include <cstdint>
#include <string>

namespace button {

class CImageDIB;

enum class PictureOutcome {
  Decoded,        // `target` holds the picture
  DecoderFailed,  // the decoder family threw: `code` and `text` are the CTextException's
  GifUnreadable,  // GIF decoder result 0: the file cannot be read
  GifNotGif,      // GIF decoder result 2: the file does not begin with "GIF"; `target` untouched
  BufferFailed,   // CImageDIB::Create failed: `text` is the buffer's ErrorText
};

struct PictureResult {
  PictureOutcome outcome = PictureOutcome::Decoded;
  bool viaGif = false;  // the path went to the GIF decoder
  int code = 0;         // CTextException code for DecoderFailed; the GIF decoder's result when viaGif
  std::string text;
  bool Ok() const { return outcome == PictureOutcome::Decoded; }
};

// True when `path` goes to the GIF decoder.
bool IsGifPicturePath(const std::string& path);

// Decodes the picture file at `path` (UTF-8) into `target`. `background` is a 0x00BBGGRR colour used
// for the transparent pixels of a GIF.
PictureResult DecodePictureFile(const std::string& path, uint32_t background, CImageDIB& target) noexcept;

}  // namespace button
