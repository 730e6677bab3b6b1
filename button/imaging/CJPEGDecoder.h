#pragma once
// CJPEGDecoder: JPEG through libjpeg's 6b interface. Colour pictures come out at 32 bits (blue, green,
// red, 255) decoded straight into the destination rows; grey ones at 8 bits unless 32 are asked for.
#include <memory>

#include "button/imaging/CPicDecoder.h"

namespace button {

class CJPEGDecoder : public CPicDecoder {
 public:
  CJPEGDecoder();
  ~CJPEGDecoder() override;

  // Most scans a progressive picture may have; hostile files repeat tiny scans to burn time.
  static constexpr int kMaxScans = 1000;

 protected:
  void DecodeData() override;

 private:
  struct State;  // the decompression object, its error manager and source manager
  std::unique_ptr<State> m_state;
  bool m_fastDecode = true;  // fancy upsampling off
};

}  // namespace button
