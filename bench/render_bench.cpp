// Paint cost of the button against a plain BitBlt of the same size, measured in the same run.
// Prints each paint as a multiple of its BitBlt and fails when repainting the composed 78 x 62 button
// (caption, filter and bevel) costs 10 BitBlts or more. "Repaint" paints an unchanged button again (the
// common case: uncovered windows, container redraws); "Changing" changes the button's state before
// every paint, so every paint composes the frame from scratch.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "button/control/ButtonRenderer.h"
#include "tests/win/render_canvas.h"

using namespace zblayout;

namespace {

constexpr double kComposedLimit = 10.0;

struct Size2 {
  int w, h;
};
constexpr Size2 kButton{78, 62};
constexpr Size2 kScreen{1920, 1080};

// The paint target: a memory context over a screen-compatible bitmap, as a window's back buffer is.
class Target {
 public:
  Target(int w, int h) : m_W(w), m_H(h) {
    HDC screen = ::GetDC(nullptr);
    m_Dc = ::CreateCompatibleDC(screen);
    m_Bitmap = ::CreateCompatibleBitmap(screen, w, h);
    ::ReleaseDC(nullptr, screen);
    m_Old = ::SelectObject(m_Dc, m_Bitmap);
  }
  ~Target() {
    ::SelectObject(m_Dc, m_Old);
    ::DeleteObject(m_Bitmap);
    ::DeleteDC(m_Dc);
  }
  HDC dc() const { return m_Dc; }
  RECT Rect() const { return RECT{0, 0, m_W, m_H}; }

 private:
  int m_W, m_H;
  HDC m_Dc;
  HBITMAP m_Bitmap;
  HGDIOBJ m_Old;
};

void BitBltOf(benchmark::State& st, Size2 size) {
  Target source(size.w, size.h), target(size.w, size.h);
  for (auto _ : st) {
    ::BitBlt(target.dc(), 0, 0, size.w, size.h, source.dc(), 0, 0, SRCCOPY);
    ::GdiFlush();
  }
}

void PaintOf(benchmark::State& st, Size2 picture, Size2 bounds, const ButtonPaintProps& props,
             ButtonPaintState state, bool changing = false) {
  CImageDIB pic;
  zbtest::MakeCoordinates(pic, picture.w, picture.h);
  Target target(bounds.w, bounds.h);
  HFONT font = ::CreateFontW(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  CButtonRenderer renderer;
  const RECT r = target.Rect();
  bool failed = false;
  for (auto _ : st) {
    if (changing) state.picture.hover = !state.picture.hover;
    renderer.Paint(target.dc(), r, r, &pic, props, state, font, [&](const std::wstring&) { failed = true; });
    ::GdiFlush();
  }
  ::DeleteObject(font);
  if (failed) st.SkipWithError("the paint reported a failure");
}

ButtonPaintState Showing() {
  ButtonPaintState s;
  s.hasCurrent = true;
  s.currentKind = kKindPicture;
  return s;
}

ButtonPaintProps Composed() {
  ButtonPaintProps props;
  props.Text = L"Play";
  props.effects.EffectFilter = 9;  // blur
  return props;
}
ButtonPaintState Bevelled() {
  ButtonPaintState state = Showing();
  state.picture.buttonMode = 2;
  return state;
}
ButtonPaintProps Stretched() {
  ButtonPaintProps props;
  props.Stretch = kStretchFull;
  return props;
}

void BM_BitBlt_Button(benchmark::State& st) { BitBltOf(st, kButton); }
void BM_Paint_Button_Direct(benchmark::State& st) { PaintOf(st, kButton, kButton, ButtonPaintProps{}, Showing()); }
void BM_Paint_Button_Composed_Repaint(benchmark::State& st) {
  PaintOf(st, kButton, kButton, Composed(), Bevelled());
}
void BM_Paint_Button_Composed_Changing(benchmark::State& st) {
  PaintOf(st, kButton, kButton, Composed(), Bevelled(), true);
}
void BM_BitBlt_Screen(benchmark::State& st) { BitBltOf(st, kScreen); }
void BM_Paint_Screen_Stretched_Repaint(benchmark::State& st) {
  PaintOf(st, kButton, kScreen, Stretched(), Showing());
}
void BM_Paint_Screen_Stretched_Changing(benchmark::State& st) {
  PaintOf(st, kButton, kScreen, Stretched(), Showing(), true);
}

BENCHMARK(BM_BitBlt_Button);
BENCHMARK(BM_Paint_Button_Direct);
BENCHMARK(BM_Paint_Button_Composed_Repaint);
BENCHMARK(BM_Paint_Button_Composed_Changing);
BENCHMARK(BM_BitBlt_Screen);
BENCHMARK(BM_Paint_Screen_Stretched_Repaint);
BENCHMARK(BM_Paint_Screen_Stretched_Changing);

// Keeps each benchmark's CPU time per iteration for the ratios: the build machine is shared, and
// wall time there measures the neighbours as much as the paint. GDI runs in-process under Wine too.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (!r.error_occurred && r.run_type == Run::RT_Iteration) times[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& t = reporter.times;
  struct Ratio {
    const char* paint;
    const char* base;
  };
  int status = 0;
  for (Ratio r : {Ratio{"BM_Paint_Button_Direct", "BM_BitBlt_Button"},
                  Ratio{"BM_Paint_Button_Composed_Repaint", "BM_BitBlt_Button"},
                  Ratio{"BM_Paint_Button_Composed_Changing", "BM_BitBlt_Button"},
                  Ratio{"BM_Paint_Screen_Stretched_Repaint", "BM_BitBlt_Screen"},
                  Ratio{"BM_Paint_Screen_Stretched_Changing", "BM_BitBlt_Screen"}}) {
    if (!t.count(r.paint) || !t.count(r.base) || t[r.base] <= 0) continue;
    const double ratio = t[r.paint] / t[r.base];
    std::printf("%-36s %8.2f x %s\n", r.paint, ratio, r.base);
    if (std::string(r.paint) == "BM_Paint_Button_Composed_Repaint" && ratio >= kComposedLimit) {
      std::printf("  above the limit of %.0f x\n", kComposedLimit);
      status = 1;
    }
  }
  benchmark::Shutdown();
  return status;
}
