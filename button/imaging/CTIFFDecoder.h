#pragma once
// CTIFFDecoder: TIFF (and the TIFF preview of an EPS file) through libtiff's RGBA interface, read from
// memory. Always produces 32 bits: blue, green, red, alpha.
#include "button/imaging/CPicDecoder.h"

namespace button {

class CTIFFDecoder : public CPicDecoder {
 protected:
  void DecodeData() override;

 private:
  struct Client;  // libtiff's view of the data and the last error text
};

}  // namespace button
