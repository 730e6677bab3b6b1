#pragma once
// CTextException: what every decoder of the family throws: an error code and a message text.
#include <exception>
#include <string>

namespace button {

// Codes carried by CTextException.
enum DecodeErrorCode {
  kDecodeNotBitmap = 1,     // no "BM" signature; TIFF that libtiff cannot open or read
  kDecodeBadHeader = 2,     // bitmap header size or bits per pixel not supported; unusable image size
  kDecodePathNotFound = 3,  // a folder of the path does not exist
  kDecodeOpenFailed = 4,    // the file cannot be opened for any other reason
  kDecodeAccessDenied = 5,  // access denied, sharing violation, or the file cannot be mapped
  kDecodeNoDecoder = 6,     // known format without a decoder; RLE delta escape; libjpeg fatal error
  kDecodeUnknownType = 8,   // no format recognised
  kDecodeNoMemory = 10,     // pixel buffer refused: out of memory or beyond the decoder's limits
  kDecodeEndOfData = 11,    // the data ends before a read or a declared size
};

class CTextException : public std::exception {
 public:
  CTextException(int code, std::string text) : m_code(code), m_text(std::move(text)) {}

  // The usual form: the message wrapped as "Decoder error: <message>\n".
  static CTextException Decoder(int code, const std::string& message);
  // Code 11, whose text is not wrapped.
  static CTextException EndOfData();

  int GetCode() const { return m_code; }
  const std::string& GetText() const { return m_text; }
  const char* what() const noexcept override { return m_text.c_str(); }

 private:
  int m_code;
  std::string m_text;
};

}  // namespace button
