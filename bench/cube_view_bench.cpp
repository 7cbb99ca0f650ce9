// Benchmarks of the solid cube: a frame of the largest cube, still and turning, and its pictures.
#include <benchmark/benchmark.h>

#include <vector>

#include "support/cube_helpers.h"
#include "ui/solid/cube_picture.h"

namespace {

CubeFrame frame;
CubeRaster raster;
CubeState cells;

void ScrambledTen() {
  Lcg lcg{10};
  RandomLayerPattern(10, lcg);
  CopyCube(document.cube.size, document.cube.live, cells);
}

const FitBox kWindow = {0, 0, 800, 600};

void StillFrameOfTheTen(benchmark::State& state) {
  ScrambledTen();
  const CubeLayout layout = static_cast<CubeLayout>(state.range(0));
  for (auto _ : state) {
    BuildCubeFrame(&frame, 10, cells, kDefaultCubeCamera, layout, kWindow);
    benchmark::DoNotOptimize(frame.count);
  }
  state.counters["polygons"] = frame.count;
}
BENCHMARK(StillFrameOfTheTen)->Arg(kLayoutCube)->Arg(kLayoutFrontAndBack)->Unit(benchmark::kMicrosecond);

// An inner block, so that the frame has all three pieces.
void TurnFrameOfTheTen(benchmark::State& state) {
  ScrambledTen();
  const CubeLayout layout = static_cast<CubeLayout>(state.range(0));
  double fraction = 0;
  for (auto _ : state) {
    BuildTurnFrame(&frame, 10, cells, BlockMove{R, 3, 6, 1}, fraction, kDefaultCubeCamera, layout, kWindow);
    benchmark::DoNotOptimize(frame.count);
    fraction = fraction < 0.95 ? fraction + 0.05 : 0;
  }
  state.counters["polygons"] = frame.count;
}
BENCHMARK(TurnFrameOfTheTen)->Arg(kLayoutCube)->Arg(kLayoutFrontAndBack)->Unit(benchmark::kMicrosecond);

// Every row of a 400 by 300 picture of both views at the scale given.
void PictureOfTheTen(benchmark::State& state) {
  ScrambledTen();
  const int scale = static_cast<int>(state.range(0));
  BuildCubeFrame(&frame, 10, cells, kDefaultCubeCamera, kLayoutFrontAndBack, FitBox{0, 0, 400, 300});
  std::vector<uint8_t> row(400 * scale);
  for (auto _ : state) {
    PrepareCubeRaster(&raster, frame, 400, 300, scale);
    for (int y = 0; y < raster.height; ++y) CubeRasterRow(raster, y, row.data());
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = 400.0 * 300 * scale * scale;
}
BENCHMARK(PictureOfTheTen)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void SvgOfTheTen(benchmark::State& state) {
  ScrambledTen();
  BuildCubeFrame(&frame, 10, cells, kDefaultCubeCamera, kLayoutFrontAndBack, FitBox{0, 0, 400, 300});
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    RenderCubeSvg(
        frame, 400, 300, 2, nullptr,
        [](void* total, const char*, size_t size) {
          *static_cast<size_t*>(total) += size;
          return true;
        },
        &bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(SvgOfTheTen)->Unit(benchmark::kMicrosecond);

}  // namespace
