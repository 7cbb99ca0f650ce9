// The generator's sequence and the scramble's turns and draws, from known and from crafted states.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/cube_helpers.h"

namespace {

int32_t DrawAt(uint32_t state, int index) {
  return static_cast<int32_t>((After(state, index) >> 16) & 0x7FFF);
}

// How many draws lead from one state to the other (-1 if more than 5000).
int DrawsBetween(uint32_t from, uint32_t to) {
  Lcg lcg{from};
  for (int draws = 0; draws <= 5000; ++draws, lcg.Next())
    if (lcg.state == to) return draws;
  return -1;
}

uint32_t Before(uint32_t state) {
  uint32_t inverse = 214013u;  // Newton's iteration for the inverse modulo 2^32
  for (int k = 0; k < 5; ++k) inverse *= 2u - 214013u * inverse;
  return (state - 2531011u) * inverse;
}

// A start state whose draw number `index` (from 1) gives `value`, and which `accept` likes.
uint32_t StateDrawing(int index, int32_t value, std::function<bool(uint32_t)> accept = nullptr) {
  for (uint32_t free = 0; free < (1u << 17); ++free) {
    uint32_t state = (static_cast<uint32_t>(value) << 16) | (free & 0xFFFFu) | ((free >> 16) << 31);
    for (int k = 0; k < index; ++k) state = Before(state);
    if (accept && !accept(state)) continue;
    EXPECT_EQ(DrawAt(state, index), value) << "crafted state";
    return state;
  }
  ADD_FAILURE() << "no state draws " << value;
  return 1;
}

// The scramble as the design states it, drawing from `lcg` and turning the global cube; passes are
// capped so that a pattern no turn can unsolve still ends.
void DescribedScramble(Lcg& lcg, int repeat) {
  const Operation faces[6] = {QuarterTurnU, QuarterTurnD, QuarterTurnF,
                              QuarterTurnB, QuarterTurnL, QuarterTurnR};
  const int n = document.cube.size;
  if (n < 2) return;
  int32_t divisor = -6048;
  for (int pass = 0; pass < 64; ++pass) {
    const int32_t length = 10 + lcg.Next() / divisor;
    for (int step = 1; step <= length; ++step) {
      divisor = 32767 / (n + 4);
      const int32_t choice = lcg.Next() / divisor + 1;
      Operation turn = nullptr;
      if (choice <= 6) {
        turn = faces[choice - 1];
      } else if (n >= 4) {
        const int32_t side = lcg.Next() / 16383 + 1;
        divisor = 32767 / (n - 2);
        lcg.Next();
        turn = side == 1 ? TurnColumnSlice : TurnRowSlice;
      }
      for (int k = 0; turn && k < repeat; ++k) turn(document.cube);
    }
    if (CheckSolved(document.cube.size, document.cube.live) != 0) return;
  }
}

// Scrambles the cube as it stands from `state`, and checks turns and draws against the described scramble.
void ExpectAsDescribed(uint32_t state, int repeat) {
  CubeState start;
  CopyCube(document.cube.size, document.cube.live, start);
  document.random.state = state;
  Scramble(document.cube, document.random, static_cast<int16_t>(repeat));
  const std::vector<int32_t> made = UsedCells();
  const uint32_t madeState = document.random.state;
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  CopyCube(document.cube.size, start, document.cube.live);
  CopyCube(document.cube.size, start, document.cube.shadow);
  Lcg lcg{state};
  DescribedScramble(lcg, repeat);
  EXPECT_EQ(made, UsedCells()) << "N " << document.cube.size << " repeat " << repeat << " state " << state;
  EXPECT_EQ(madeState, lcg.state) << "N " << document.cube.size << " repeat " << repeat << " state " << state;
}

TEST(NextRandom, FirstValuesFromTheStartState) {
  document.random.state = 1;
  const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464, 5705, 28145};
  for (int32_t value : expected) EXPECT_EQ(NextRandom(document.random), value);
  EXPECT_EQ(document.random.state, After(1, 12));
}

TEST(Scramble, KnownSequencesFromTheStartState) {
  const Operation b = QuarterTurnB, d = QuarterTurnD, r = QuarterTurnR, l = QuarterTurnL, f = QuarterTurnF,
                  u = QuarterTurnU, row = TurnRowSlice;
  const struct {
    int n, repeat;
    bool turnedFirst;  // a QuarterTurnU made before: the scramble adds to the pattern
    std::vector<Operation> turns;
    int draws;
  } cases[] = {
      {3, 1, false, {b, d, r, l, b, f, r, r, d}, 11},
      {3, 2, false, {b, b, d, d, r, r, l, l, b, b, f, f, r, r, r, r, d, d}, 11},
      {3, 1, true, {u, b, d, r, l, b, f, r, r, d}, 11},
      {4, 1, false, {l, d, row, f, row, d, row, f, u, u}, 17},
  };
  for (const auto& test : cases) {
    StartSolved(test.n);
    Apply(test.turns);
    const std::vector<int32_t> expected = UsedCells();
    StartSolved(test.n);
    if (test.turnedFirst) QuarterTurnU(document.cube);
    document.random.state = 1;
    Scramble(document.cube, document.random, static_cast<int16_t>(test.repeat));
    EXPECT_EQ(UsedCells(), expected) << "N " << test.n << " repeat " << test.repeat;
    EXPECT_EQ(DrawsBetween(1, document.random.state), test.draws)
        << "N " << test.n << " repeat " << test.repeat;
    EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  }
}

TEST(Scramble, FirstPassLengthFallsFromTenToFive) {
  // On cubes below 4 every step draws once, so a single pass draws 1 + L values.
  const struct {
    int32_t r0, length;
  } cases[] = {{0, 10}, {6047, 10}, {6048, 9}, {30239, 6}, {30240, 5}, {32767, 5}};
  for (int n : {2, 3})
    for (const auto& test : cases) {
      StartSolved(n);
      const uint32_t state = StateDrawing(1, test.r0);
      document.random.state = state;
      Scramble(document.cube, document.random, 1);
      ASSERT_EQ(CheckSolved(document.cube.size, document.cube.live), -1);
      EXPECT_EQ(DrawsBetween(state, document.random.state), 1 + test.length)
          << "N " << n << " r0 " << test.r0;
    }
}

TEST(Scramble, TopChoicesAndSliceSidesAtTheirBoundaries) {
  // N = 2: choice 7 (r1 of 32766 or 32767) turns nothing and draws nothing more.
  for (int32_t r1 : {32765, 32766, 32767}) {
    StartSolved(2);
    const uint32_t state = StateDrawing(2, r1);
    document.random.state = state;
    Scramble(document.cube, document.random, 1);
    EXPECT_EQ(DrawsBetween(state, document.random.state), 1 + 10 - DrawAt(state, 1) / 6048) << "r1 " << r1;
  }
  // N = 5: a first step that slices, with r2 at the edges of the column and row sides.
  auto slicesFirst = [](uint32_t state) { return DrawAt(state, 2) >= 6 * (32767 / 9); };
  for (int32_t r2 : {16382, 16383, 32765, 32766, 32767})
    for (int repeat : {1, 2}) {
      StartSolved(5);
      ExpectAsDescribed(StateDrawing(3, r2, slicesFirst), repeat);
    }
}

TEST(Scramble, MatchesTheDescribedDrawsForEverySize) {
  for (int n = 2; n <= 10; ++n)
    for (int repeat : {1, 2})
      for (int k = 0; k < 6; ++k) {
        StartSolved(n);
        if (k % 2) {
          QuarterTurnF(document.cube);
          TurnRowSlice(document.cube);
        }
        ExpectAsDescribed(After(7, 1000 * k + 31 * n + repeat), repeat);
        EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), -1);
      }
}

TEST(Scramble, PatternsNoTurnCanUnsolveStillEnd) {
  for (int n : {3, 5}) {
    document.cube.size = static_cast<int16_t>(n);
    for (int cell = 0; cell < kCellCount; ++cell) document.cube.live[cell] = document.cube.shadow[cell] = 0;
    ExpectAsDescribed(1, 1);
    EXPECT_GE(DrawsBetween(1, document.random.state), 64 * 11) << "64 passes of at least ten steps";
    EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  }
}

TEST(Scramble, OneFaceletCubeIsLeftAlone) {
  for (int n : {0, 1}) {
    document.cube.size = static_cast<int16_t>(n);
    for (int face = 0; face < 6; ++face)
      document.cube.live[CellIndex(face, 0, 0)] = document.cube.shadow[CellIndex(face, 0, 0)] = face;
    document.random.state = 99;
    Scramble(document.cube, document.random, 1);
    EXPECT_EQ(document.random.state, 99u);
    for (int face = 0; face < 6; ++face) EXPECT_EQ(document.cube.live[CellIndex(face, 0, 0)], face);
  }
}

TEST(Scramble, CommaKeyLeavesTheSolvedCubeUnsolved) {
  RecordingPlatform recording;
  StartFresh(recording, 3);
  HandleCharacter(',');
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), -1);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  EXPECT_EQ(DrawsBetween(1, document.random.state), 11);
}

}  // namespace
