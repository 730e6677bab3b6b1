// Throughput of every whole-buffer CImageDIB operation and of the effect pass per filter, on a
// 1920 x 1080 and a 96 x 96 buffer, each beside memcpy of the same buffer in the same run. After the
// run a table gives every operation's pixel rate as a ratio of memcpy's and checks the large
// buffer's targets: single-source operations 0.5, two-source 0.35, Blur and Gradient4 0.1.
#include <benchmark/benchmark.h>

#include <cstdio>
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
  CImageDIB a, b, work;
  int w, h;
  Buffers(int width, int height) : w(width), h(height) {
    a.Create(w, h);
    b.Create(w, h);
    work.Create(w, h);
    std::mt19937 rng(7);
    for (int i = 0; i < w * h; ++i) a.m_Bits[i] = rng(), b.m_Bits[i] = rng();
  }
};

struct Op {
  std::string name;
  double target;  // minimum ratio to memcpy on the large buffer; 0 for none
  std::function<void(Buffers&)> run;
};

constexpr double kSingle = 0.5, kTwo = 0.35, kNeighbourhood = 0.1;

std::vector<Op> Operations() {
  std::vector<Op> ops = {
      {"memcpy", 0, [](Buffers& f) { std::memcpy(f.a.m_Bits, f.b.m_Bits, size_t(f.w) * f.h * 4); }},
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
  for (int filter = 0; filter < kEffectFilterCount; ++filter) {
    ops.push_back({"EffectPass/" + std::to_string(filter), 0, [filter](Buffers& f) {
                     EffectSettings s;
                     s.EffectFilter = short(filter);
                     RunEffectPass(f.a, f.work, s, PictureState{});
                   }});
  }
  ops.push_back({"EffectPass/bevel+mask+blend", 0, [](Buffers& f) {
                   EffectSettings s;
                   s.EffectColorMask = s.EffectGlobalBlend = true;
                   PictureState st;
                   st.buttonMode = 2;
                   RunEffectPass(f.a, f.work, s, st);
                 }});
  return ops;
}

struct Size {
  int w, h;
  std::string Name() const { return std::to_string(w) + "x" + std::to_string(h); }
};
const Size kSizes[] = {{1920, 1080}, {96, 96}};

// Collects each run's pixel rate while the console shows the usual lines.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> rates;  // "op/size" -> pixels per second
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const auto it = r.counters.find("items_per_second");
      if (it != r.counters.end()) rates[r.benchmark_name()] = it->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const std::vector<Op> ops = Operations();
  for (const Size& size : kSizes) {
    for (const Op& op : ops) {
      benchmark::RegisterBenchmark((op.name + "/" + size.Name()).c_str(), [op, size](benchmark::State& state) {
        Buffers f(size.w, size.h);
        for (auto _ : state) {
          op.run(f);
          benchmark::ClobberMemory();
        }
        state.SetItemsProcessed(state.iterations() * int64_t(size.w) * size.h);
      });
    }
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  int below = 0;
  std::printf("\n%-32s %12s %10s %8s %8s\n", "operation", "size", "Mpixel/s", "x memcpy", "target");
  for (const Size& size : kSizes) {
    const auto base = reporter.rates.find("memcpy/" + size.Name());
    if (base == reporter.rates.end() || base->second <= 0) continue;
    for (const Op& op : ops) {
      const auto it = reporter.rates.find(op.name + "/" + size.Name());
      if (it == reporter.rates.end()) continue;
      const double ratio = it->second / base->second;
      const bool checked = op.target > 0 && size.w == kSizes[0].w;
      const bool ok = !checked || ratio >= op.target;
      below += !ok;
      std::printf("%-32s %12s %10.1f %8.3f %8s%s\n", op.name.c_str(), size.Name().c_str(), it->second / 1e6, ratio,
                  checked ? std::to_string(op.target).substr(0, 4).c_str() : "", ok ? "" : "  BELOW TARGET");
    }
  }
  std::printf("%d operation(s) below target\n", below);
  benchmark::Shutdown();
  return below == 0 ? 0 : 1;
}
