// The solved test, the comparison and the copies: what counts, and which cells are looked at.
#include <gtest/gtest.h>

#include "support/cube_helpers.h"

namespace {

// The solved pattern in both copies, with junk outside the used squares.
void SolvedWithJunk(int n) {
  cubeSize = static_cast<int16_t>(n);
  for (int cell = 0; cell < kCellCount; ++cell) {
    liveCube[cell] = IsUsedCell(cell, n) ? cell / kFaceStride : 77 + cell;
    shadowCube[cell] = IsUsedCell(cell, n) ? cell / kFaceStride : -77 - cell;
  }
}

class CubeStateSizes : public ::testing::TestWithParam<int> {
 protected:
  int N() const { return GetParam(); }
};

TEST_P(CubeStateSizes, CheckSolvedLooksOnlyAtTheUsedCellsOfUToB) {
  SolvedWithJunk(N());
  EXPECT_EQ(CheckSolved(liveCube), 0) << "junk outside the squares must not count";
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (!IsUsedCell(cell, N())) continue;
    const int32_t saved = liveCube[cell];
    liveCube[cell] = 9;
    // One odd cell unsolves faces U to B (the reference cell too), except on a one-cell face; D is not looked
    // at.
    const int32_t expected = cell / kFaceStride == D || N() == 1 ? 0 : -1;
    EXPECT_EQ(CheckSolved(liveCube), expected) << "cell " << cell;
    liveCube[cell] = saved;
  }
}

TEST_P(CubeStateSizes, CheckSolvedNeedsNoHomeOrDistinctColours) {
  SolvedWithJunk(N());
  for (int cell = 0; cell < kCellCount; ++cell)
    if (IsUsedCell(cell, N())) liveCube[cell] = cell / kFaceStride == D ? cell % 7 : 4;
  EXPECT_EQ(CheckSolved(liveCube), 0);  // U to B all green, D anything
  RotateLeft(liveCube, shadowCube);
  RotateUp(liveCube, shadowCube);
  EXPECT_EQ(CheckSolved(liveCube), N() == 1 ? 0 : -1);  // D's mixture now lies on F
}

TEST_P(CubeStateSizes, CompareCubesSeesEveryUsedCellAndNothingElse) {
  SolvedWithJunk(N());
  EXPECT_EQ(CompareCubes(liveCube, shadowCube), 0);
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (!IsUsedCell(cell, N())) continue;
    shadowCube[cell] += 100;
    EXPECT_EQ(CompareCubes(liveCube, shadowCube), 1) << "cell " << cell;
    EXPECT_EQ(CompareCubes(shadowCube, liveCube), 1) << "cell " << cell;
    shadowCube[cell] -= 100;
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, CubeStateSizes, ::testing::Range(1, 11));

TEST(CubeState, OneColourEverywhereCountsAsSolved) {
  cubeSize = 3;
  for (int cell = 0; cell < kCellCount; ++cell) liveCube[cell] = 2;
  EXPECT_EQ(CheckSolved(liveCube), 0);
}

TEST(CubeState, OneFaceletCubeIsAlwaysSolved) {
  cubeSize = 1;
  for (int face = 0; face < 6; ++face) liveCube[CellIndex(face, 0, 0)] = 3 * face - 4;
  EXPECT_EQ(CheckSolved(liveCube), 0);
}

TEST(CubeState, SizeZeroCountsAsSolvedAndEqual) {
  cubeSize = 0;
  for (int cell = 0; cell < kCellCount; ++cell) liveCube[cell] = cell, shadowCube[cell] = -cell - 1;
  EXPECT_EQ(CheckSolved(liveCube), 0);
  EXPECT_EQ(CompareCubes(liveCube, shadowCube), 0);
}

// R and three L on a 2x2x2 turn the whole cube; on a 3x3x3 the middle layer stays behind.
TEST(CubeState, QuarterTurnRAndThreeLSolvedOnlyWithoutAMiddleLayer) {
  for (int n : {2, 3}) {
    StartSolved(n);
    QuarterTurnR(liveCube, shadowCube);
    for (int k = 0; k < 3; ++k) QuarterTurnL(liveCube, shadowCube);
    if (n == 2) {
      EXPECT_EQ(CheckSolved(liveCube), 0);
      const int32_t colours[6] = {2, 1, 5, 3, 0, 4};  // U yellow, L red, F blue, R orange, B white, D green
      for (int face = 0; face < 6; ++face)
        for (int cell = 0; cell < 4; ++cell)
          EXPECT_EQ(liveCube[CellIndex(face, cell / 2, cell % 2)], colours[face]) << "face " << face;
    } else {
      EXPECT_EQ(CheckSolved(liveCube), -1);
    }
  }
}

}  // namespace
