// Benchmarks of the net's pictures: the raster, the SVG text and a whole PNG file of the largest net.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "support/fresh_start.h"
#include "ui/picture.h"
#include "ui/ui.h"

namespace {

QuietPlatform quiet;

void StartScrambledTen() {
  StartFresh(quiet, 10);
  Scramble(document.cube, document.random, 1);
}

NetRaster raster;

void RasterOfTheTenNet(benchmark::State& state) {
  StartScrambledTen();
  for (auto _ : state) {
    RenderNetRaster(&raster, kLettersColours);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(RasterOfTheTenNet)->Unit(benchmark::kMicrosecond);

void SvgOfTheTenNet(benchmark::State& state) {
  StartScrambledTen();
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    RenderNetSvg(
        2, kLettersColours,
        [](void* total, const char*, size_t size) {
          *static_cast<size_t*>(total) += size;
          return true;
        },
        &bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(SvgOfTheTenNet)->Unit(benchmark::kMicrosecond);

// The whole save: raster, compression and the file's flush to disk and rename.
void PngFileOfTheTenNetAtScaleTwo(benchmark::State& state) {
  StartScrambledTen();
  const std::string path = std::string(P_tmpdir) + "/plexaro_bench_net.png";
  char reason[256] = "";
  for (auto _ : state)
    if (!SaveNetPicture(path.c_str(), 2, kLettersColours, reason, sizeof reason)) state.SkipWithError(reason);
  std::remove(path.c_str());
}
BENCHMARK(PngFileOfTheTenNetAtScaleTwo)->Unit(benchmark::kMillisecond);

// An animated GIF of 100 random block moves of the 7x7x7 in the cube view at scale 1: 6 frames a quarter
// turn, every frame drawn from the turning cube, quantised to the palette and compressed.
void GifOfAHundredMovesOnTheSevenCube(benchmark::State& state) {
  StartFresh(quiet, 7);
  std::vector<BlockMove> moves;
  for (int k = 0; k < 100; ++k) {
    const int8_t first = static_cast<int8_t>(1 + k * 5 % 3), last = static_cast<int8_t>(first + k % 3);
    moves.push_back({static_cast<int8_t>(k * 7 % 6), first, last, static_cast<int8_t>(1 + k % 3)});
  }
  const MovingPictureRequest request = {
      {kPictureCube, kDefaultCubeCamera, kLettersNone, 1}, kDefaultFramesPerQuarter, kDefaultFrameDelay};
  const std::string path = std::string(P_tmpdir) + "/plexaro_bench_moves.gif";
  char reason[256] = "";
  int64_t frames = 0;
  for (auto _ : state)
    if (!SaveMovingPicture(document.cube, moves.data(), moves.size(), document.layout, request, path.c_str(),
                           reason, sizeof reason, &frames))
      state.SkipWithError(reason);
  state.counters["frames"] = static_cast<double>(frames);
  std::remove(path.c_str());
}
BENCHMARK(GifOfAHundredMovesOnTheSevenCube)->Unit(benchmark::kMillisecond);

}  // namespace
