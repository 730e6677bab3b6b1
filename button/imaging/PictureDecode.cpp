#include "button/imaging/PictureDecode.h"

#include <cstring>
#include <new>

#include "button/imaging/CAnyPicDecoder.h"
#include "button/imaging/CGifDecoder.h"
#include "button/imaging/CTextException.h"
#include "button/pixels/ImageDIB.h"

namespace button {

bool IsGifPicturePath(const std::string& path) {
  if (path.size() <= 2) return false;
  const char* tail = path.c_str() + path.size() - 3;
  return (tail[0] | 0x20) == 'g' && (tail[1] | 0x20) == 'i' && (tail[2] | 0x20) == 'f';
}

namespace {

PictureResult DecodeWithFamily(const std::string& path, CImageDIB& target) {
  PictureResult result;
  CDecodedBitmap bitmap;
  try {
    CAnyPicDecoder decoder;
    decoder.DecodeFile(path, bitmap, 32);
  } catch (const CTextException& e) {
    result.outcome = PictureOutcome::DecoderFailed;
    result.code = e.GetCode();
    result.text = e.GetText();
    return result;
  }
  if (!target.Create(bitmap.Width(), bitmap.Height())) {
    result.outcome = PictureOutcome::BufferFailed;
    result.text = target.ErrorText;
    return result;
  }
  // Both are bottom-up 32-bit rows of exactly `width` pixels: one copy, row order unchanged.
  std::memcpy(target.m_bits, bitmap.Bits(), size_t(bitmap.Width()) * size_t(bitmap.Height()) * 4);
  return result;
}

PictureResult DecodeWithGif(const std::string& path, uint32_t background, CImageDIB& target) {
  PictureResult result;
  result.viaGif = true;
  CGifDecoder decoder;
  result.code = decoder.Decode(&target, background, path);
  if (result.code == CGifDecoder::kUnreadable) {
    result.outcome = PictureOutcome::GifUnreadable;
    result.text = "Cannot read " + path;
  } else if (result.code == CGifDecoder::kNotGif) {
    result.outcome = PictureOutcome::GifNotGif;
    result.text = "Not a GIF file: " + path;
  }
  return result;
}

}  // namespace

PictureResult DecodePictureFile(const std::string& path, uint32_t background, CImageDIB& target) noexcept {
  try {
    return IsGifPicturePath(path) ? DecodeWithGif(path, background, target) : DecodeWithFamily(path, target);
  } catch (const std::bad_alloc&) {
    PictureResult result;
    result.outcome = PictureOutcome::DecoderFailed;
    result.viaGif = IsGifPicturePath(path);
    result.code = kDecodeNoMemory;
    result.text = "Decoder error: Out of memory.\n";
    return result;
  } catch (...) {
    PictureResult result;
    result.outcome = PictureOutcome::DecoderFailed;
    result.code = kDecodeNoDecoder;
    result.text = "Decoder error: Unexpected failure.\n";
    return result;
  }
}

}  // namespace button
