// Decode throughput of the picture decoders, each beside an independent tool decoding the same file
// in the same run: djpeg for JPEG, giflib's gif2rgb for GIF, tiff2rgba for TIFF, ImageMagick for the
// bitmaps, and memcpy of the pixel data for the 24-bit bitmap. Rows report MP/s and `ratio`, our time
// divided by the tool's (below 1: we are faster). Targets: JPEG ratio <= 1.15; GIF ratio <= 1;
// 24-bit BMP `memcpy_share` >= 0.3 (our MB/s over memcpy's MB/s on the pixel bytes).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "button/imaging/CAnyPicDecoder.h"
#include "button/imaging/CGifDecoder.h"
#include "button/pixels/ImageDIB.h"
#include "tests/native/imaging_forge.h"

extern char** environ;

namespace {

constexpr int kWidth = 3000, kHeight = 2000;

struct Files {
  std::string dir, bmp24, rle8, jpeg, tiff, gif, scratch;
  Files() {
    char tmpl[] = "/tmp/zb-imaging-bench-XXXXXX";
    dir = mkdtemp(tmpl);
    const std::vector<uint32_t> rgb = tests::Pattern(kWidth, kHeight, 1);
    const std::vector<uint8_t> idx = tests::IndexPattern(kWidth, kHeight, 256, 2);
    const std::vector<uint32_t> pal = tests::Palette(256, 3);
    bmp24 = Write("big24.bmp", tests::MakeBmp({kWidth, kHeight, 24}, rgb));
    rle8 = Write("big-rle8.bmp", tests::MakeBmpIndexed({kWidth, kHeight, 8, 1, false, pal}, idx));
    jpeg = Write("big.jpg", tests::MakeJpeg(kWidth, kHeight, rgb, false, 90));
    tiff = Write("big.tif", tests::MakeTiff(kWidth, kHeight, rgb, 5 /* LZW */, false));
    gif = Write("big.gif", tests::MakeGif({kWidth, kHeight, pal, {{0, 0, kWidth, kHeight, false, {}, idx}}}));
    scratch = dir + "/out";
  }
  ~Files() {
    const std::string cmd = "rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", dir.c_str());
  }
  std::string Write(const char* name, const tests::Bytes& b) {
    const std::string path = dir + "/" + name;
    tests::WriteFile(path, b);
    return path;
  }
};

Files& Pictures() {
  static Files files;
  return files;
}

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// Wall time of one run of a tool, or a negative value when it cannot be run.
double RunTool(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const double start = Now();
  pid_t pid;
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (rc != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return Now() - start;
}

void Report(benchmark::State& state, double ours, double tool, int64_t runs) {
  const double pixels = double(kWidth) * kHeight * double(runs);
  state.counters["MP/s"] = benchmark::Counter(pixels / 1e6 / ours);
  if (tool > 0) state.counters["ratio"] = ours / tool;
}

void DecodeFamily(const std::string& path) {
  button::CAnyPicDecoder decoder;
  button::CDecodedBitmap bitmap;
  decoder.DecodeFile(path, bitmap, 32);
  benchmark::DoNotOptimize(bitmap.Bits());
}

// Our decoder and a tool, alternating in each iteration; the iteration time is ours.
void Pair(benchmark::State& state, const std::string& path, const std::vector<std::string>& tool,
          void (*decode)(const std::string&)) {
  double ours = 0, theirs = 0;
  int64_t runs = 0;
  for (auto _ : state) {
    const double t0 = Now();
    decode(path);
    const double t = Now() - t0;
    state.SetIterationTime(t);
    ours += t;
    const double u = tool.empty() ? 0 : RunTool(tool);
    if (!tool.empty() && u < 0) {
      state.SkipWithError(("cannot run " + tool[0]).c_str());
      return;
    }
    theirs += u;
    ++runs;
  }
  Report(state, ours, theirs, runs);
}

void BM_Jpeg(benchmark::State& state) {
  Files& f = Pictures();
  Pair(state, f.jpeg, {"djpeg", "-dct", "float", "-nosmooth", "-outfile", "/dev/null", f.jpeg}, DecodeFamily);
}

void BM_Gif(benchmark::State& state) {
  Files& f = Pictures();
  Pair(state, f.gif, {"gif2rgb", "-1", "-o", f.scratch + ".rgb", f.gif}, [](const std::string& path) {
    button::CImageDIB dib;
    button::CGifDecoder decoder;
    decoder.Decode(&dib, 0, path);
    benchmark::DoNotOptimize(dib.m_bits);
  });
}

void BM_Tiff(benchmark::State& state) {
  Files& f = Pictures();
  Pair(state, f.tiff, {"tiff2rgba", "-c", "none", f.tiff, f.scratch + ".tif"}, DecodeFamily);
}

void BM_Bmp24(benchmark::State& state) {
  Files& f = Pictures();
  // memcpy of the file's pixel bytes, timed the same way, as the baseline.
  const tests::Bytes data = tests::ReadFile(f.bmp24);
  std::vector<uint8_t> copy(data.size());
  double ours = 0, copies = 0, tool = 0;
  int64_t runs = 0;
  for (auto _ : state) {
    double t0 = Now();
    DecodeFamily(f.bmp24);
    const double t = Now() - t0;
    state.SetIterationTime(t);
    ours += t;
    t0 = Now();
    std::memcpy(copy.data(), data.data() + 54, data.size() - 54);
    benchmark::ClobberMemory();
    copies += Now() - t0;
    tool += RunTool({"convert", f.bmp24, "-depth", "8", "rgba:/dev/null"});
    ++runs;
  }
  Report(state, ours, tool, runs);
  state.counters["memcpy_share"] = copies / ours;
}

void BM_BmpRle8(benchmark::State& state) {
  Files& f = Pictures();
  Pair(state, f.rle8, {"convert", f.rle8, "-depth", "8", "rgba:/dev/null"}, DecodeFamily);
}

BENCHMARK(BM_Bmp24)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_BmpRle8)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Jpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Tiff)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Gif)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
