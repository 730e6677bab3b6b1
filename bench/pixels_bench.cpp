// Throughput of every whole-buffer CImageDIB operation and of the effect pass per filter, on a
// 1920 x 1080 and a 96 x 96 buffer. Every iteration also memcpy's the second buffer over the first,
// timed apart (thread CPU time), so that each operation's pixel rate is compared with memcpy's under
// the same machine load and cache state (counter x_memcpy). After the run a table lists the ratios
// and checks the large buffer's targets: single-source operations 0.5, two-source 0.35, Blur and
// Gradient4 0.1.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "button/pixels/EffectPass.h"
#include "button/pixels/ImageDIB.h"

namespace {

struct Buffers {
  button::CImageDIB a, b, work;
  int w, h;
  Buffers(int width, int height) : w(width), h(height) {
    for (button::CImageDIB* d : {&a, &b, &work}) d->Create(w, h);
    std::mt19937 rng(7);
    for (int i = 0; i < w * h; ++i) a.m_bits[i] = rng(), b.m_bits[i] = rng();
  }
  void Copy() { std::memcpy(a.m_bits, b.m_bits, size_t(w) * h * 4); }
};

struct Op {
  std::string name;
  double target;  // minimum ratio to memcpy on the large buffer; 0 for none
  std::function<void(Buffers&)> run;
};

constexpr double kSingle = 0.5, kTwo = 0.35, kNeighbourhood = 0.1;

std::vector<Op> Operations() {
  std::vector<Op> ops = {
      {"memcpy", 0, [](Buffers& f) { f.Copy(); }},
      {"Fill", kSingle, [](Buffers& f) { f.a.Fill(1, 2, 3); }},
      {"FillRect", kSingle, [](Buffers& f) { f.a.FillRect(0, 0, f.w, f.h, 1, 2, 3); }},
      {"BlendRect", kSingle, [](Buffers& f) { f.a.BlendRect(0, 0, f.w, f.h, 0x123456, 77); }},
      {"DitherRect", kSingle, [](Buffers& f) { f.a.DitherRect(0, 0, f.w, f.h, 1, 2, 3); }},
      {"Tint", kSingle, [](Buffers& f) { f.a.Tint(250, 0, 0, 100); }},
      {"Desaturate", kSingle, [](Buffers& f) { f.a.Desaturate(1, 1, 1); }},
      {"FlipVertical", kSingle, [](Buffers& f) { f.a.Flip(1, 0); }},
      {"FlipHorizontal", kSingle, [](Buffers& f) { f.a.Flip(0, 1); }},
      {"FlipBoth", kSingle, [](Buffers& f) { f.a.Flip(1, 1); }},
      {"CopyFrom", kTwo, [](Buffers& f) { f.a.CopyFrom(f.b); }},
      {"BlitFrom", kTwo, [](Buffers& f) { f.a.BlitFrom(f.b, 0, 0); }},
      {"Difference", kTwo, [](Buffers& f) { f.a.Difference(f.b); }},
      {"Lighten", kTwo, [](Buffers& f) { f.a.Lighten(f.b); }},
      {"Multiply", kTwo, [](Buffers& f) { f.a.Multiply(f.b); }},
      {"Blend50", kTwo, [](Buffers& f) { f.a.Blend50(f.b); }},
      {"Add", kTwo, [](Buffers& f) { f.a.Add(f.b); }},
      {"Screen", kTwo, [](Buffers& f) { f.a.Screen(f.b); }},
      {"Darken", kTwo, [](Buffers& f) { f.a.Darken(f.b); }},
      {"BlendWith", kTwo, [](Buffers& f) { f.a.BlendWith(f.b, 127); }},
      {"BlendText", kTwo, [](Buffers& f) { f.a.BlendText(f.b, 128); }},
      {"MaskTransparent", kTwo, [](Buffers& f) { f.work.MaskTransparent(&f.a, 0, 0, 255, 100, 0xFA, 32); }},
      {"Blur", kNeighbourhood, [](Buffers& f) { f.a.Blur(0); }},
      {"Gradient4", kNeighbourhood,
       [](Buffers& f) { f.a.Gradient4(0, 0, -1, -1, 0xFFFFFF, 0x00FF00, 0x0000FF, 0xFF0000, 128, 80, 80, 80); }},
  };
  // Filter 0 alone does nothing, so it runs with the global blend (as do none of the others).
  for (int filter = 0; filter < button::kEffectFilterCount; ++filter) {
    ops.push_back({"EffectPass/" + std::to_string(filter) + (filter ? "" : "+blend"), 0, [filter](Buffers& f) {
                     button::EffectSettings s;
                     s.EffectFilter = short(filter);
                     s.EffectGlobalBlend = filter == 0;
                     button::RunEffectPass(f.a, f.work, s, button::PictureState{});
                   }});
  }
  ops.push_back({"EffectPass/bevel+mask+blend", 0, [](Buffers& f) {
                   button::EffectSettings s;
                   s.EffectColorMask = s.EffectGlobalBlend = true;
                   button::PictureState st;
                   st.buttonMode = 2;
                   button::RunEffectPass(f.a, f.work, s, st);
                 }});
  return ops;
}

struct Size {
  int w, h;
  std::string Name() const { return std::to_string(w) + "x" + std::to_string(h); }
};
const Size kSizes[] = {{1920, 1080}, {96, 96}};

// Collects each run's pixel rate and memcpy ratio while the console shows the usual lines.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  struct Result {
    double rate = 0, ratio = 0;
  };
  std::map<std::string, Result> results;  // by "op/size"
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const auto rate = r.counters.find("items_per_second"), ratio = r.counters.find("x_memcpy");
      if (rate != r.counters.end() && ratio != r.counters.end())
        results[r.run_name.function_name] = Result{rate->second.value, ratio->second.value};
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

// CPU time of this thread where the system measures it finely, so that other programs' load does
// not count; elsewhere the monotonic clock.
double Now() {
#if defined(CLOCK_THREAD_CPUTIME_ID) && !defined(_WIN32)
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
#else
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#endif
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const std::vector<Op> ops = Operations();
  for (const Size& size : kSizes) {
    for (const Op& op : ops) {
      benchmark::RegisterBenchmark((op.name + "/" + size.Name()).c_str(), [op, size](benchmark::State& state) {
        Buffers f(size.w, size.h);
        const int batch = std::max(1, (1 << 20) / (size.w * size.h));  // keeps clock reads rare
        double opSeconds = 0, copySeconds = 0;
        for (auto _ : state) {
          const double t0 = Now();
          for (int i = 0; i < batch; ++i) {
            op.run(f);
            benchmark::ClobberMemory();
          }
          const double t1 = Now();
          for (int i = 0; i < batch; ++i) {
            f.Copy();
            benchmark::ClobberMemory();
          }
          const double t2 = Now();
          opSeconds += t1 - t0;
          copySeconds += t2 - t1;
          state.SetIterationTime(t1 - t0);
        }
        state.SetItemsProcessed(state.iterations() * batch * int64_t(size.w) * size.h);
        state.counters["x_memcpy"] = opSeconds > 0 ? copySeconds / opSeconds : 0;
      })->UseManualTime();
    }
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  int below = 0;
  std::printf("\n%-32s %12s %10s %8s %8s\n", "operation", "size", "Mpixel/s", "x memcpy", "target");
  for (const Size& size : kSizes) {
    for (const Op& op : ops) {
      const auto it = reporter.results.find(op.name + "/" + size.Name());
      if (it == reporter.results.end()) continue;
      const double ratio = it->second.ratio;
      const bool checked = op.target > 0 && size.w == kSizes[0].w;
      const bool ok = !checked || ratio >= op.target;
      below += !ok;
      std::printf("%-32s %12s %10.1f %8.3f %8s%s\n", op.name.c_str(), size.Name().c_str(), it->second.rate / 1e6, ratio,
                  checked ? std::to_string(op.target).substr(0, 4).c_str() : "", ok ? "" : "  BELOW TARGET");
    }
  }
  std::printf("%d operation(s) below target\n", below);
  benchmark::Shutdown();
  return below == 0 ? 0 : 1;
}
