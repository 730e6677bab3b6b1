#include "button/tooltip/TooltipPicture.h"

namespace button {

namespace {

struct Channels {
  int r, g, b;
};

Channels FromOle(uint32_t c) { return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)}; }

}  // namespace

int32_t FrameTotal(int effect, int32_t width, int32_t height) {
  switch (effect) {
    case kBlend: return 128;
    case kUpToDown: return height;
    case kLeftToRight:
    case kRightToLeft: return width;
    default: return 1;
  }
}

void FillGradient(CImageDIB& image, uint32_t back, uint32_t gradient) {
  if (!image.HasPixels()) return;
  const Channels from = FromOle(back), to = FromOle(gradient);
  const int32_t w = image.Width();
  const double dr = double(to.r - from.r) / w, dg = double(to.g - from.g) / w, db = double(to.b - from.b) / w;
  double r = from.r, g = from.g, b = from.b;
  for (int32_t x = 0; x < w; ++x) {
    // Every value lies between two channel bytes, so truncation stays inside 0..255.
    image.VLine(x, 0, image.Height() - 1, int(r), int(g), int(b));
    r += dr;
    g += dg;
    b += db;
  }
}

void DrawBorder(CImageDIB& image, uint32_t border) {
  if (!image.HasPixels()) return;
  const Channels c = FromOle(border);
  const int32_t right = image.Width() - 1, top = image.Height() - 1;
  image.VLine(0, 0, top, c.r, c.g, c.b);
  image.VLine(right, 0, top, c.r, c.g, c.b);
  image.HLine(0, 0, right, c.r, c.g, c.b);
  image.HLine(0, top, right, c.r, c.g, c.b);
}

void AnimationStep(CImageDIB& display, const CImageDIB& final, int effect, int32_t k) {
  const int32_t w = final.Width(), h = final.Height();
  switch (effect) {
    case kBlend: display.BlendWith(final, k); break;
    // Rows count from the bottom: the final picture's lowest k rows land at the top.
    case kUpToDown: display.BlitFrom(final, 0, h - k); break;
    case kLeftToRight: display.BlitFrom(final, k - w, 0); break;
    case kRightToLeft: display.BlitFrom(final, w - k, 0); break;
    default: display.BlitFrom(final, 0, 0); break;
  }
}

}  // namespace button
