#pragma once
// CGifDecoder: the control's own GIF decoder. Decodes the first image of a file straight into a
// CImageDIB, interlaced or not; the transparent colour becomes the caller's background colour with 0
// in the fourth byte. A broken stream ends decoding cleanly, keeping the rows decoded so far.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "button/imaging/DecodeLimits.h"

namespace button {

class CImageDIB;

class CGifDecoder {
 public:
  // Decode's results.
  enum Result { kUnreadable = 0, kDecoded = 1, kNotGif = 2 };

  // Reads the file at `path` (UTF-8) and decodes it into `target`. `background` is a 0x00BBGGRR
  // colour. Returns kUnreadable when the file cannot be read (or `target` is null), kNotGif when it does
  // not begin with "GIF" in any letter case, else kDecoded, whatever happens while decoding.
  int Decode(CImageDIB* target, uint32_t background, const std::string& path);
  // The same over `size` bytes in memory.
  int DecodeMemory(CImageDIB* target, uint32_t background, const uint8_t* data, size_t size);

  void SetLimits(const DecodeLimits& limits) { m_limits = limits; }

  // What the last decode found.
  int Delay() const { return m_delay; }                        // hundredths of a second
  int TransparentIndex() const { return m_transparentIndex; }  // -1 when none
  int RowsDecoded() const { return m_rowsDecoded; }

 private:
  class Reader;
  void DecodeStream(Reader& in);
  bool SizeTarget(int width, int height);
  void DecodeImage(Reader& in);
  size_t DecodeLzw(Reader& in, int minCodeSize, uint8_t* out, size_t total);
  void WriteRows(const uint8_t* indices, int width, int height, bool interlaced, size_t decoded);

  DecodeLimits m_limits;
  CImageDIB* m_target = nullptr;
  uint32_t m_background = 0;
  uint32_t m_global[256] = {};  // the global colour table as 32-bit pixels (blue, green, red, 255)
  uint32_t m_colors[256] = {};  // the table of the image being decoded
  int m_transparentIndex = -1;
  int m_delay = 0;
  int m_packed = 0;
  int m_rowsDecoded = 0;
  bool m_targetFresh = false;  // the target was created by this decode
  std::vector<uint8_t> m_indices;
};

}  // namespace button
