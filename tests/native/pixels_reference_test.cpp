// Every CImageDIB operation against a plain per-pixel, per-channel model written straight from the
// formulas, over many random buffers and arguments (including hostile ones). Any difference in any
// bit of any word, or a write past the width x height words, fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "button/pixels/ImageDIB.h"

namespace {

struct Img {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t& at(int x, int y) { return px[size_t(y) * w + x]; }
};

int Ch(uint32_t p, int i) { return int((p >> (8 * i)) & 255); }
uint32_t WithCh(uint32_t p, int i, int v) { return (p & ~(255u << (8 * i))) | (uint32_t(v & 255) << (8 * i)); }
uint32_t Rgb(int r, int g, int b) { return uint32_t(r & 255) << 16 | uint32_t(g & 255) << 8 | uint32_t(b & 255); }
int RefCh(uint32_t colorref, int i) { return Ch(colorref, 2 - i); }  // channel i of a COLORREF
int Mix(int c, int k, int a) { return (c * 256 + (k - c) * a) >> 8; }

// Clipping steps 1-5, in 64 bits.
bool ClipR(int64_t& x, int64_t& y, int64_t& w, int64_t& h, int W, int H) {
  if (x + w >= W) w = W - x;
  if (x < 0) w += x, x = 0;
  if (y + h >= H) h = H - y;
  if (y < 0) h += y, y = 0;
  return w > 0 && h > 0;
}

void RBlendRect(Img& m, int x, int y, int w, int h, uint32_t colour, int alpha) {
  int64_t X = x, Y = y, Wd = w, Ht = h;
  if (!ClipR(X, Y, Wd, Ht, m.w, m.h)) return;
  for (int64_t j = Y; j < Y + Ht; ++j)
    for (int64_t i = X; i < X + Wd; ++i)
      for (int c = 0; c < 3; ++c)
        m.at(i, j) = WithCh(m.at(i, j), c, Mix(Ch(m.at(i, j), c), RefCh(colour, c), alpha & 255));
}

void PerChannel(Img& m, const Img& o, const std::function<int(int, int)>& f) {
  for (size_t i = 0; i < m.px.size(); ++i)
    for (int c = 0; c < 3; ++c) m.px[i] = WithCh(m.px[i], c, f(Ch(m.px[i], c), Ch(o.px[i], c)));
}

void RBlur(Img& m) {
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      const int nx[5] = {x, x - 1, x + 1, x, x}, ny[5] = {y, y, y, y - 1, y + 1};
      int sum[3] = {0, 0, 0}, count = 0;
      for (int k = 0; k < 5; ++k) {
        if (nx[k] < 0 || nx[k] >= m.w || ny[k] < 0 || ny[k] >= m.h) continue;
        ++count;
        for (int c = 0; c < 3; ++c) sum[c] += Ch(m.at(nx[k], ny[k]), c);
      }
      m.at(x, y) = Rgb(sum[2] / count, sum[1] / count, sum[0] / count);
    }
}

void RGradient4(Img& m, int x, int y, int w, int h, const uint32_t col[4], const int alp[4]) {
  if (m.px.empty()) return;
  if (w == -1) w = m.w;
  if (h == -1) h = m.h;
  int64_t X = x, Y = y, Wd = w, Ht = h;
  if (!ClipR(X, Y, Wd, Ht, m.w, m.h)) return;
  // Tables per displayed row: left/right colour channels and opacities.
  std::vector<int> tab[8];
  for (int q = 0; q < 8; ++q) {
    const int side = q < 4 ? 0 : 2;  // corners 0/1 on the left, 2/3 on the right
    auto value = [&](int corner) { return (q % 4) == 3 ? alp[corner] & 255 : RefCh(col[corner], q % 4); };
    float v = float(value(side));
    const float step = float(value(side + 1) - value(side)) / float(Ht);
    for (int r = 0; r < Ht; ++r, v += step) tab[q].push_back(int(v));
  }
  for (int r = 0; r < Ht; ++r) {
    float cur[4], step[4];
    for (int q = 0; q < 4; ++q) cur[q] = float(tab[q][r]), step[q] = float(tab[q + 4][r] - tab[q][r]) / float(Wd);
    for (int64_t i = 0; i < Wd; ++i) {
      uint32_t& p = m.at(int(X + i), int(Y + Ht - 1 - r));
      for (int c = 0; c < 3; ++c) p = WithCh(p, c, Mix(Ch(p, c), int(cur[c]), int(cur[3])));
      for (int q = 0; q < 4; ++q) cur[q] += step[q];
    }
  }
}

void RButtonize(Img& m, int n, uint32_t A, uint32_t B, int intensity) {
  if (m.px.empty() || n <= 0) return;
  const int W = m.w, H = m.h;
  const float step = float(intensity) / n;
  float v = float(intensity);
  for (int i = 0; i < n; ++i) {
    const int a = int(v);
    RBlendRect(m, i, n, 1, H - n, A, a);
    RBlendRect(m, 0, H - 1 - i, W - n, 1, A, a);
    RBlendRect(m, W - 1 - i, 0, 1, H - n, B, a);
    RBlendRect(m, n, i, W - n, 1, B, a);
    v = v - step;
    float u = v + step * 0.5f;
    const float du = u / float(n - i);
    for (int j = 0; j <= n - 1 - i; ++j) {
      const int r = n - 1 - j, b = int(u);
      RBlendRect(m, i, r, 1, 1, A, b);
      RBlendRect(m, W - 1 - i, H - n + j, 1, 1, B, b);
      RBlendRect(m, W - n + j, H - 1 - i, 1, 1, A, b);
      RBlendRect(m, r, i, 1, 1, B, b);
      u = u - du;
    }
  }
}

struct Fixture {
  std::mt19937 rng{12345};
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  uint32_t Word() { return uint32_t(rng()); }
  // Coordinates and sizes mostly near the buffer, sometimes far outside or extreme.
  int Coord(int size) {
    switch (Int(0, 9)) {
      case 0: return Int(-1, 1) * 2147483000 + Int(-600, 600);
      case 1: return Int(-size - 3, -1);
      default: return Int(-2, size + 2);
    }
  }
  int Amount() { return Int(0, 5) == 0 ? Int(-1000, 1000) : Int(0, 255); }

  // A random buffer and its model; values are biased towards the bytes 0 and 255.
  void Make(button::CImageDIB& d, Img& m, int w, int h) {
    ASSERT_TRUE(d.Create(w, h));
    m.w = w, m.h = h, m.px.assign(size_t(w) * h, 0);
    for (auto& p : m.px)
      for (int c = 0; c < 4; ++c) p = WithCh(p, c, Int(0, 3) == 0 ? Int(0, 1) * 255 : Int(0, 255));
    std::copy(m.px.begin(), m.px.end(), d.m_bits);
  }
  void Make(button::CImageDIB& d, Img& m) {
    Make(d, m, Int(0, 3) == 0 ? Int(0, 3) : Int(1, 37), Int(0, 3) == 0 ? Int(0, 3) : Int(1, 23));
  }
};

// Same words as the model, and the spare words after them untouched.
::testing::AssertionResult Same(const button::CImageDIB& d, const Img& m) {
  for (size_t i = 0; i < m.px.size(); ++i)
    if (d.m_bits[i] != m.px[i])
      return ::testing::AssertionFailure() << "word " << i << " of " << m.w << "x" << m.h << ": " << std::hex
                                           << d.m_bits[i] << " expected " << m.px[i];
  const size_t total = size_t(m.w + 1) * size_t(m.h + 1);
  for (size_t i = m.px.size(); i < total; ++i)
    if (d.m_bits[i] != 0xFFFFFFFFu) return ::testing::AssertionFailure() << "spare word " << i << " written";
  return ::testing::AssertionSuccess();
}

constexpr int kRounds = 400;

TEST(ReferenceTest, RectanglesLinesAndCopies) {
  Fixture f;
  for (int round = 0; round < kRounds; ++round) {
    button::CImageDIB d, s;
    Img m, sm;
    f.Make(d, m);
    f.Make(s, sm);
    const int x = f.Coord(m.w), y = f.Coord(m.h), w = f.Coord(m.w), h = f.Coord(m.h);
    const int r = f.Int(-300, 300), g = f.Int(0, 255), b = f.Int(0, 255);
    const uint32_t v = Rgb(r, g, b);
    int64_t X = x, Y = y, Wd = w, Ht = h;
    const bool inside = ClipR(X, Y, Wd, Ht, m.w, m.h);
    switch (round % 8) {
      case 0:
        d.FillRect(x, y, w, h, r, g, b);
        for (int64_t j = Y; inside && j < Y + Ht; ++j)
          for (int64_t i = X; i < X + Wd; ++i) m.at(i, j) = v;
        break;
      case 1: {
        const uint32_t colour = f.Word();
        const int alpha = f.Amount();
        d.BlendRect(x, y, w, h, colour, alpha);
        RBlendRect(m, x, y, w, h, colour, alpha);
        break;
      }
      case 2:
        d.DitherRect(x, y, w, h, r, g, b);
        for (int64_t j = Y; inside && j < Y + Ht; ++j)
          for (int64_t i = X; i < X + Wd; ++i)
            if ((i - X + j - Y) % 2 == 1) m.at(i, j) = v;
        break;
      case 3:  // lines are cut to the buffer
        d.HLine(x, y, w, r, g, b);
        for (int i = std::max(x, 0); y >= 0 && y < m.h && i <= std::min(w, m.w - 1); ++i) m.at(i, y) = v;
        break;
      case 4:
        d.VLine(x, y, w, r, g, b);
        for (int j = std::max(y, 0); x >= 0 && x < m.w && j <= std::min(w, m.h - 1); ++j) m.at(x, j) = v;
        break;
      case 5:
        d.BlitFrom(s, x, y);
        for (int j = 0; j < sm.h; ++j)
          for (int i = 0; i < sm.w; ++i)
            if (int64_t(x) + i >= 0 && int64_t(x) + i < m.w && int64_t(y) + j >= 0 && int64_t(y) + j < m.h)
              m.at(x + i, y + j) = sm.at(i, j);
        break;
      case 6: {  // an equal-size source copies; any other leaves the buffer
        button::CImageDIB e;
        Img em;
        f.Make(e, em, m.w, m.h);
        button::CImageDIB& from = f.Int(0, 1) ? e : s;
        d.CopyFrom(from);
        if (&from == &e && !m.px.empty()) m.px = em.px;
        if (&from == &s && sm.w == m.w && sm.h == m.h && !m.px.empty()) m.px = sm.px;
        break;
      }
      case 7: {
        const int fv = f.Int(0, 2), fh = f.Int(0, 2);
        d.Flip(fv, fh);
        Img o = m;
        for (int j = 0; j < m.h; ++j)
          for (int i = 0; i < m.w; ++i) m.at(i, j) = o.at(fh == 1 ? m.w - 1 - i : i, fv == 1 ? m.h - 1 - j : j);
        break;
      }
    }
    ASSERT_TRUE(Same(d, m)) << "round " << round << " args " << x << "," << y << "," << w << "," << h;
  }
}

TEST(ReferenceTest, TwoSourceOperations) {
  Fixture f;
  const std::function<int(int, int)> ops[] = {[](int c, int o) { return std::abs(o - c); },
                                              [](int c, int o) { return std::max(c, o); },
                                              [](int c, int o) { return (c * o) >> 8; },
                                              [](int c, int o) { return std::min(255, c + o); },
                                              [](int c, int o) { return 255 - (((255 - c) * (255 - o)) >> 8); },
                                              [](int c, int o) { return std::min(c, o); }};
  for (int round = 0; round < kRounds; ++round) {
    button::CImageDIB d, o;
    Img m, om;
    f.Make(d, m);
    if (f.Int(0, 5) == 0)
      f.Make(o, om);
    else
      f.Make(o, om, m.w, m.h);
    const bool same = om.w == m.w && om.h == m.h && !m.px.empty();
    const int op = round % 10, amount = f.Amount();
    switch (op) {
      case 0: d.Difference(o); break;
      case 1: d.Lighten(o); break;
      case 2: d.Multiply(o); break;
      case 3: d.Add(o); break;
      case 4: d.Screen(o); break;
      case 5: d.Darken(o); break;
      case 6: d.Blend50(o); break;
      case 7: d.BlendWith(o, amount); break;
      case 8: d.BlendText(o, amount); break;
      case 9: {
        const int x = f.Coord(m.w), y = f.Coord(m.h), ok = f.Amount(), oo = f.Amount();
        const int tol = f.Int(0, 4) == 0 ? f.Int(-5, 300) : f.Int(0, 40);
        const uint32_t key = f.Int(0, 1) ? f.Word() : (om.px.empty() ? 0 : om.px[0]);        // often a real colour
        const uint32_t keyRef = Rgb(Ch(key, 0), Ch(key, 1), Ch(key, 2)) | (f.Word() << 24);  // as COLORREF
        const bool withSource = f.Int(0, 9) != 0;
        d.MaskTransparent(withSource ? &o : nullptr, x, y, oo, ok, keyRef, tol);
        for (int j = 0; withSource && j < om.h; ++j)
          for (int i = 0; i < om.w; ++i) {
            if (int64_t(x) + i < 0 || int64_t(x) + i >= m.w || int64_t(y) + j < 0 || int64_t(y) + j >= m.h) continue;
            const uint32_t sp = om.at(i, j);
            bool match = true;
            for (int c = 0; c < 3; ++c) match = match && std::abs(Ch(sp, c) - Ch(key, c)) <= tol;
            uint32_t& p = m.at(x + i, y + j);
            for (int c = 0; c < 3; ++c) p = WithCh(p, c, Mix(Ch(p, c), Ch(sp, c), (match ? ok : oo) & 255));
          }
        break;
      }
    }
    if (same && op < 6) PerChannel(m, om, ops[op]);
    if (same && op == 6)
      for (size_t i = 0; i < m.px.size(); ++i) m.px[i] = ((m.px[i] >> 1) & 0x7F7F7F) + ((om.px[i] >> 1) & 0x7F7F7F);
    if (same && op == 7) PerChannel(m, om, [&](int c, int t) { return Mix(c, t, amount & 255); });
    if (same && op == 8)
      for (size_t i = 0; i < m.px.size(); ++i)
        if ((m.px[i] ^ om.px[i]) & 0xFFF) {
          uint32_t p = m.px[i] & 0xFFFFFF;
          for (int c = 0; c < 3; ++c) p = WithCh(p, c, Mix(Ch(p, c), Ch(om.px[i], c), amount & 255));
          m.px[i] = p;
        }
    ASSERT_TRUE(Same(d, m)) << "round " << round << " op " << op;
  }
}

TEST(ReferenceTest, SingleSourceFilters) {
  Fixture f;
  for (int round = 0; round < kRounds; ++round) {
    button::CImageDIB d;
    Img m;
    f.Make(d, m);
    const int op = round % 5;
    if (op == 0) {
      const int r = f.Int(-300, 300), g = f.Int(0, 255), b = f.Int(0, 255), a = f.Amount();
      d.Tint(r, g, b, a);
      const uint32_t k = Rgb(r, g, b);
      for (auto& p : m.px)
        for (int c = 0; c < 3; ++c) p = WithCh(p, c, Mix(Ch(p, c), Ch(k, c), a & 255));
    } else if (op == 1) {
      const int u[3] = {f.Int(0, 2), f.Int(0, 2), f.Int(0, 2)};  // r, g, b flags; 2 counts but adds nothing
      d.Desaturate(u[0], u[1], u[2]);
      const int k = (u[0] != 0) + (u[1] != 0) + (u[2] != 0);
      for (auto& p : m.px) {
        if (!k) break;
        const int s = (u[0] == 1 ? Ch(p, 2) : 0) + (u[1] == 1 ? Ch(p, 1) : 0) + (u[2] == 1 ? Ch(p, 0) : 0);
        p = uint32_t(s / k) * 0x010101u;
      }
    } else if (op == 2) {
      const int n = f.Int(-2, 3);
      d.Blur(n);
      for (int i = 0; i <= n; ++i) RBlur(m);
    } else if (op == 3) {
      const uint32_t col[4] = {f.Word(), f.Word(), f.Word(), f.Word()};
      const int alp[4] = {f.Amount(), f.Amount(), f.Amount(), f.Amount()};
      const int x = f.Int(0, 1) ? 0 : f.Coord(m.w), y = f.Int(0, 1) ? 0 : f.Coord(m.h);
      const int w = f.Int(0, 2) ? -1 : f.Coord(m.w), h = f.Int(0, 2) ? -1 : f.Coord(m.h);
      d.Gradient4(x, y, w, h, col[0], col[1], col[2], col[3], alp[0], alp[1], alp[2], alp[3]);
      RGradient4(m, x, y, w, h, col, alp);
    } else {
      const int n = f.Int(-1, 14), intensity = f.Int(0, 3) ? f.Int(0, 255) : f.Int(256, 600);
      const uint32_t a = f.Word() & 0xFFFFFF, b = f.Word() & 0xFFFFFF;
      d.Buttonize(n, a, b, intensity);
      RButtonize(m, n, a, b, intensity);
    }
    ASSERT_TRUE(Same(d, m)) << "round " << round << " op " << op;
  }
}

// Large buffers take the vector paths end to end, including row tails of every length.
TEST(ReferenceTest, WideBuffersAndChunkEdges) {
  Fixture f;
  for (int w : {255, 256, 257, 258, 515, 1030}) {
    button::CImageDIB d, o;
    Img m, om;
    const int h = 3 + w % 2;  // rows in pairs, and a last row on its own
    f.Make(d, m, w, h);
    f.Make(o, om, w, h);
    d.Blur(1);
    RBlur(m);
    RBlur(m);
    d.Screen(o);
    PerChannel(m, om, [](int c, int t) { return 255 - (((255 - c) * (255 - t)) >> 8); });
    const uint32_t col[4] = {0x123456, 0xFEDCBA, 0x00FF00, 0xFF00FF};
    const int alp[4] = {255, 3, 128, 77};
    d.Gradient4(0, 0, -1, -1, col[0], col[1], col[2], col[3], alp[0], alp[1], alp[2], alp[3]);
    RGradient4(m, 0, 0, -1, -1, col, alp);
    ASSERT_TRUE(Same(d, m)) << "width " << w;
  }
}

}  // namespace
