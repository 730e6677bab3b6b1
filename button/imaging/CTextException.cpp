#include "button/imaging/CTextException.h"

namespace button {

CTextException CTextException::Decoder(int code, const std::string& message) {
  return CTextException(code, "Decoder error: " + message + "\n");
}

CTextException CTextException::EndOfData() {
  return CTextException(kDecodeEndOfData, "End of file reached while decoding.\n");
}

}  // namespace button
