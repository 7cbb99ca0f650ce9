// The move player at 10x10x10 on 2,000,000 moves: opening, a step and a jump with all the window then
// asks, and parsing that many moves with their places; a GIF of the largest net's size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "files/alg_notation.h"
#include "ui/player/player_controller.h"
#ifdef PLEXARO_HAVE_GIF
#include "files/gif_file.h"
#include "ui/picture.h"
#endif

namespace {

const int kSize = 10;
const int64_t kMoves = kMaxPlayerMoves;

// Every move turns all ten layers, the most a move can: the worst case for opening and jumping.
std::vector<BlockMove> Rotations() {
  std::vector<BlockMove> moves;
  moves.reserve(kMoves);
  for (int64_t k = 0; k < kMoves; ++k)
    moves.push_back({static_cast<int8_t>(k % 6), 1, kSize, static_cast<int8_t>(1 + k % 3)});
  return moves;
}

// Blocks of every kind, chosen as a generator of the program's own kind chooses them.
std::vector<BlockMove> Mixed() {
  std::vector<BlockMove> moves;
  moves.reserve(kMoves);
  uint32_t state = 1;
  auto next = [&state]() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
  };
  for (int64_t k = 0; k < kMoves; ++k) {
    int first = 1 + next() % kSize, last = 1 + next() % kSize;
    if (first > last) std::swap(first, last);
    moves.push_back({static_cast<int8_t>(next() % 6), static_cast<int8_t>(first), static_cast<int8_t>(last),
                     static_cast<int8_t>(1 + next() % 3)});
  }
  return moves;
}

Cube Solved() {
  Cube cube;
  MakeSolved(cube, kSize);
  return cube;
}

// The memory a sequence holds: its moves, places and kept patterns.
double Megabytes(int64_t moves, bool places) {
  const int64_t kept = (moves + kPlayerSnapshotSpacing - 1) / kPlayerSnapshotSpacing + 1;
  const int64_t bytes = moves * static_cast<int64_t>(sizeof(BlockMove) + (places ? sizeof(TextPlace) : 0)) +
                        kept * (6 * kSize * kSize * 2 + static_cast<int64_t>(sizeof(MoveCounts)));
  return static_cast<double>(bytes) / 1e6;
}

void Open(benchmark::State& state, std::vector<BlockMove> (*make)()) {
  const std::vector<BlockMove> moves = make();
  const Cube start = Solved();
  Player player;
  for (auto _ : state) {
    std::string reason;
    if (!player.Open(start, moves, {}, &reason)) state.SkipWithError(reason.c_str());
    benchmark::ClobberMemory();
  }
  state.counters["MB held"] = Megabytes(kMoves, true);
}
BENCHMARK_CAPTURE(Open, WorstRotations, Rotations)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, MixedBlocks, Mixed)->Unit(benchmark::kMillisecond);

// What the window asks after a move: the pattern, the next move's layers and the counts.
void Show(const PlayerController& controller, Cube* shown) {
  controller.player().Pattern(shown);
  benchmark::DoNotOptimize(controller.player().NextMoveCells());
  benchmark::DoNotOptimize(controller.Counts());
}

// A step forward or back from a random position, with what the window then shows.
void StepAnywhere(benchmark::State& state, std::vector<BlockMove> (*make)()) {
  PlayerController controller;
  std::string reason;
  controller.Open(Solved(), make(), {}, &reason);
  uint32_t random = 7;
  Cube shown;
  int64_t steps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    random = random * 214013u + 2531011u;
    controller.JumpTo(static_cast<int64_t>(random % (kMoves + 1)));
    state.ResumeTiming();
    if (!(steps++ % 2 ? controller.StepBack() : controller.StepForward())) controller.StepBack();
    Show(controller, &shown);
  }
}
BENCHMARK_CAPTURE(StepAnywhere, WorstRotations, Rotations)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StepAnywhere, MixedBlocks, Mixed)->Unit(benchmark::kMicrosecond);

// A jump from a random position to another, the farthest from kept patterns included.
void JumpAnywhere(benchmark::State& state, std::vector<BlockMove> (*make)()) {
  PlayerController controller;
  std::string reason;
  controller.Open(Solved(), make(), {}, &reason);
  uint32_t random = 9;
  Cube shown;
  for (auto _ : state) {
    random = random * 214013u + 2531011u;
    const int64_t target =
        static_cast<int64_t>(random % (kMoves / kPlayerSnapshotSpacing)) * kPlayerSnapshotSpacing +
        (random % 2 ? kPlayerSnapshotSpacing / 2 : random % kPlayerSnapshotSpacing);
    controller.JumpTo(target);
    Show(controller, &shown);
  }
}
BENCHMARK_CAPTURE(JumpAnywhere, WorstRotations, Rotations)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(JumpAnywhere, MixedBlocks, Mixed)->Unit(benchmark::kMicrosecond);

// A click in the text of 2,000,000 moves on the one token whose move is the last: the search goes
// through every place, then the jump.
void ClickInTheText(benchmark::State& state) {
  const std::string text = "(R U)999999 F";
  std::vector<BlockMove> moves;
  std::vector<TextPlace> places;
  char reason[256];
  if (!ParseAlgPlaces(text.data(), text.size(), kSize, &moves, &places, reason, sizeof reason))
    state.SkipWithError(reason);
  PlayerController controller;
  std::string refused;
  controller.Open(Solved(), moves, places, &refused);
  for (auto _ : state) {
    controller.JumpToTextOffset(12);
    if (controller.Position() != controller.Length() - 1) state.SkipWithError("the click found another move");
    controller.GoToStart();
  }
}
BENCHMARK(ClickInTheText)->Unit(benchmark::kMillisecond);

// The notation's 2,000,000 moves with and without their places.
void Parse(benchmark::State& state, bool withPlaces) {
  const std::string text = "(R U2 3Rw' 2-5Lw 4F2 m' Bw 7D y s2)200000";
  std::vector<BlockMove> moves;
  std::vector<TextPlace> places;
  char reason[256];
  for (auto _ : state) {
    if (!ParseAlgPlaces(text.data(), text.size(), kSize, &moves, withPlaces ? &places : nullptr, reason,
                        sizeof reason))
      state.SkipWithError(reason);
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(Parse, WithoutPlaces, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Parse, WithPlaces, true)->Unit(benchmark::kMillisecond);

#ifdef PLEXARO_HAVE_GIF
// Frames the size of the largest net, each of changing stripes, written to a file in the temporary folder.
void GifOfTheLargestNet(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  uint8_t palette[kRasterColourCount][3];
  for (int k = 0; k < kRasterColourCount; ++k) {
    palette[k][0] = kRasterColours[k].red;
    palette[k][1] = kRasterColours[k].green;
    palette[k][2] = kRasterColours[k].blue;
  }
  struct Context {
    int frame;
  } context = {0};
  const GifAnimation animation = {kRasterWidthCapacity,
                                  kRasterHeightCapacity,
                                  frames,
                                  palette,
                                  kRasterColourCount,
                                  [](void* c, int frame) {
                                    static_cast<Context*>(c)->frame = frame;
                                    return 50;
                                  },
                                  [](void* c, int y, uint8_t* row) {
                                    const int frame = static_cast<Context*>(c)->frame;
                                    for (int x = 0; x < kRasterWidthCapacity; ++x)
                                      row[x] = static_cast<uint8_t>((x / 60 + y / 48 + frame) % 6);
                                  },
                                  &context};
  const std::string path = "/tmp/plexaro_bench.gif";
  for (auto _ : state) {
    char reason[256];
    if (!WriteGifFile(path.c_str(), animation, reason, sizeof reason)) state.SkipWithError(reason);
  }
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(GifOfTheLargestNet)->Arg(100)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
