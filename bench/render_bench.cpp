// Paint cost of the button against a plain BitBlt of the same size, measured in the same run.
// Prints each paint as a multiple of its BitBlt and fails when painting the composed 78 x 62 button
// (caption, filter and bevel) costs 10 BitBlts or more, unchanged or flipping between two states.
//   Repaint   the unchanged button again (uncovered windows, container redraws);
//   Flipping  the pointer moving on and off it: hover toggles before every paint;
//   New       a frame never seen before every paint (the caption's offset cycles through more values
//             than the renderer keeps frames): what composing a frame costs, for information.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "button/control/ButtonRenderer.h"
#include "tests/win/render_canvas.h"

using namespace button;

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
  Target(int w, int h) : m_w(w), m_h(h) {
    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    m_bitmap = ::CreateCompatibleBitmap(screen, w, h);
    ::ReleaseDC(nullptr, screen);
    m_old = ::SelectObject(m_dc, m_bitmap);
  }
  ~Target() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  HDC dc() const { return m_dc; }
  RECT Rect() const { return RECT{0, 0, m_w, m_h}; }

 private:
  int m_w, m_h;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

void BitBltOf(benchmark::State& st, Size2 size) {
  Target source(size.w, size.h), target(size.w, size.h);
  for (auto _ : st) {
    ::BitBlt(target.dc(), 0, 0, size.w, size.h, source.dc(), 0, 0, SRCCOPY);
    ::GdiFlush();
  }
}

enum class Change { None, Flip, New };
constexpr int kNewFrames = 16;  // well above the frames the renderer keeps

void PaintOf(benchmark::State& st, Size2 picture, Size2 bounds, ButtonPaintProps props, ButtonPaintState state,
             Change change = Change::None) {
  button::CImageDIB pic;
  tests::MakeCoordinates(pic, picture.w, picture.h);
  Target target(bounds.w, bounds.h);
  HFONT font = ::CreateFontW(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  button::CButtonRenderer renderer;
  const RECT r = target.Rect();
  bool failed = false;
  int n = 0;
  for (auto _ : st) {
    if (change == Change::Flip) state.picture.hover = !state.picture.hover;
    if (change == Change::New) props.TextVerticalOffset = n++ % kNewFrames;
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
void BM_Paint_Button_Composed_Repaint(benchmark::State& st) { PaintOf(st, kButton, kButton, Composed(), Bevelled()); }
void BM_Paint_Button_Composed_Flipping(benchmark::State& st) {
  PaintOf(st, kButton, kButton, Composed(), Bevelled(), Change::Flip);
}
void BM_Paint_Button_Composed_New(benchmark::State& st) {
  PaintOf(st, kButton, kButton, Composed(), Bevelled(), Change::New);
}
void BM_BitBlt_Screen(benchmark::State& st) { BitBltOf(st, kScreen); }
void BM_Paint_Screen_Stretched_Repaint(benchmark::State& st) { PaintOf(st, kButton, kScreen, Stretched(), Showing()); }
void BM_Paint_Screen_Stretched_Flipping(benchmark::State& st) {
  PaintOf(st, kButton, kScreen, Stretched(), Showing(), Change::Flip);
}

BENCHMARK(BM_BitBlt_Button);
BENCHMARK(BM_Paint_Button_Direct);
BENCHMARK(BM_Paint_Button_Composed_Repaint);
BENCHMARK(BM_Paint_Button_Composed_Flipping);
BENCHMARK(BM_Paint_Button_Composed_New);
BENCHMARK(BM_BitBlt_Screen);
BENCHMARK(BM_Paint_Screen_Stretched_Repaint);
BENCHMARK(BM_Paint_Screen_Stretched_Flipping);

// Keeps each benchmark's CPU time per iteration for the ratios: the build machine is shared, and
// wall time there measures the neighbours as much as the paint. GDI runs in-process under Wine too.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration) continue;
      if (r.error_occurred)
        failed.insert(r.benchmark_name());
      else
        times[r.benchmark_name()] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
    }
  }
  std::map<std::string, double> times;  // seconds of CPU time per iteration
  std::set<std::string> failed;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& t = reporter.times;
  struct Ratio {
    const char* label;
    const char* paint;
    const char* base;
    bool limited;  // must stay under kComposedLimit
  };
  const Ratio ratios[] = {
      {"78x62 direct copy", "BM_Paint_Button_Direct", "BM_BitBlt_Button", false},
      {"78x62 composed, repaint", "BM_Paint_Button_Composed_Repaint", "BM_BitBlt_Button", true},
      {"78x62 composed, flipping", "BM_Paint_Button_Composed_Flipping", "BM_BitBlt_Button", true},
      {"78x62 composed, new frame", "BM_Paint_Button_Composed_New", "BM_BitBlt_Button", false},
      {"1920x1080 stretched, repaint", "BM_Paint_Screen_Stretched_Repaint", "BM_BitBlt_Screen", false},
      {"1920x1080 stretched, flipping", "BM_Paint_Screen_Stretched_Flipping", "BM_BitBlt_Screen", false},
  };
  int status = 0;
  std::printf("\n%-31s %10s %12s\n", "paint", "CPU time", "x BitBlt");
  for (const Ratio& r : ratios) {
    if (reporter.failed.count(r.paint) || reporter.failed.count(r.base)) {
      std::printf("%-31s %10s %12s  error: the run failed\n", r.label, "-", "-");
      status = 1;
      continue;
    }
    if (!t.count(r.paint) || !t.count(r.base) || t[r.base] <= 0) continue;  // filtered out
    const double ratio = t[r.paint] / t[r.base];
    const bool over = r.limited && ratio >= kComposedLimit;
    std::printf("%-31s %8.2f us %10.2f x  ", r.label, t[r.paint] * 1e6, ratio);
    if (over)
      std::printf("error: at or above the limit of %.0f x\n", kComposedLimit);
    else if (r.limited)
      std::printf("(limit %.0f x)\n", kComposedLimit);
    else
      std::printf("\n");
    if (over) status = 1;
  }
  benchmark::Shutdown();
  return status;
}
