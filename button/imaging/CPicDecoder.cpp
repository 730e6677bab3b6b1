#include "button/imaging/CPicDecoder.h"

#include <cstdarg>
#include <cstdio>

#include "button/imaging/CFileSource.h"
#include "button/imaging/CTextException.h"

namespace button {

void CPicDecoder::DecodeFile(const std::string& path, CDecodedBitmap& bitmap, int bpp) {
  Trace(0, "--- Decoding file %s. ---\n", path.c_str());
  CFileSource source;  // unmapped and closed when it goes, also when Decode throws
  int result = source.Open(path);
  // An empty file cannot be mapped on Windows; it fails the same way everywhere.
  if (result == CFileSource::kOpened && source.Size() == 0) result = kDecodeAccessDenied;
  if (result != CFileSource::kOpened) throw CTextException::Decoder(result, "Opening " + path + " failed");
  Decode(source, bitmap, bpp);
}

void CPicDecoder::Decode(CDataSource& source, CDecodedBitmap& bitmap, int bpp) {
  m_source = &source;
  m_bitmap = &bitmap;
  m_bpp = bpp;
  DecodeData();
}

void CPicDecoder::Trace(int level, const char* format, ...) {
  if (!m_trace) return;
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  m_trace(level, text);
}

}  // namespace button
