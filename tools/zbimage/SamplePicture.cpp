#include "tools/zbimage/SamplePicture.h"

#include "button/pixels/ImageDIB.h"

namespace tools {

bool MakeSamplePicture(button::CImageDIB& out) {
  constexpr int W = 96, H = 64;
  if (!out.Create(W, H)) return false;
  // Positions below are as displayed (top = 0); memory rows count from the bottom.
  auto put = [&](int x, int top, int r, int g, int b) { out.SetPixel(x, H - 1 - top, uint32_t(r << 16 | g << 8 | b)); };
  for (int top = 0; top < H; ++top)
    for (int x = 0; x < W; ++x) {
      put(x, top, x * 255 / (W - 1), top * 255 / (H - 1), 160 - x);
      const int dx = x - 64, dy = top - 30;
      if (dx * dx + dy * dy <= 18 * 18) put(x, top, 255, 180 - (dx + dy) * 2, 40 + top);  // the disc
      if (top >= 44 && x < 32) {                                                          // the checkerboard
        const int v = ((x / 4 + top / 4) & 1) ? 255 : 0;
        put(x, top, v, v, v);
      }
    }
  // The Mask colour, a near miss inside the default tolerance of 32, and one just outside it.
  out.FillRect(4, H - 1 - 17, 24, 14, 250, 0, 0);
  out.FillRect(28, H - 1 - 17, 6, 14, 220, 30, 25);
  out.FillRect(34, H - 1 - 17, 6, 14, 217, 0, 0);
  for (int i = 0; i < 40; ++i) put(50 + i, 60 - i, 255, 255, 255);  // a diagonal
  return true;
}

}  // namespace tools
