// The solved test, the comparison and the copies: what counts, and which cells are looked at.
#include <gtest/gtest.h>

#include "support/cube_helpers.h"

namespace {

// The solved pattern in both copies, with junk outside the used squares.
void SolvedWithJunk(int n) {
  document.cube.size = static_cast<int16_t>(n);
  for (int cell = 0; cell < kCellCount; ++cell) {
    document.cube.live[cell] = IsUsedCell(cell, n) ? cell / kFaceStride : 77 + cell;
    document.cube.shadow[cell] = IsUsedCell(cell, n) ? cell / kFaceStride : -77 - cell;
  }
}

class CubeStateSizes : public ::testing::TestWithParam<int> {
 protected:
  int N() const { return GetParam(); }
};

TEST_P(CubeStateSizes, CheckSolvedLooksOnlyAtTheUsedCellsOfUToB) {
  SolvedWithJunk(N());
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0)
      << "junk outside the squares must not count";
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (!IsUsedCell(cell, N())) continue;
    const int32_t saved = document.cube.live[cell];
    document.cube.live[cell] = 9;
    // One odd cell unsolves faces U to B (the reference cell too), except on a one-cell face; D is not looked
    // at.
    const int32_t expected = cell / kFaceStride == D || N() == 1 ? 0 : -1;
    EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), expected) << "cell " << cell;
    document.cube.live[cell] = saved;
  }
}

TEST_P(CubeStateSizes, CheckSolvedNeedsNoHomeOrDistinctColours) {
  SolvedWithJunk(N());
  for (int cell = 0; cell < kCellCount; ++cell)
    if (IsUsedCell(cell, N())) document.cube.live[cell] = cell / kFaceStride == D ? cell % 7 : 4;
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);  // U to B all green, D anything
  RotateLeft(document.cube);
  RotateUp(document.cube);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live),
            N() == 1 ? 0 : -1);  // D's mixture now lies on F
}

TEST_P(CubeStateSizes, CompareCubesSeesEveryUsedCellAndNothingElse) {
  SolvedWithJunk(N());
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (!IsUsedCell(cell, N())) continue;
    document.cube.shadow[cell] += 100;
    EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 1)
        << "cell " << cell;
    EXPECT_EQ(CompareCubes(document.cube.size, document.cube.shadow, document.cube.live), 1)
        << "cell " << cell;
    document.cube.shadow[cell] -= 100;
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, CubeStateSizes, ::testing::Range(1, 11));

TEST(CubeState, OneColourEverywhereCountsAsSolved) {
  document.cube.size = 3;
  for (int cell = 0; cell < kCellCount; ++cell) document.cube.live[cell] = 2;
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
}

TEST(CubeState, OneFaceletCubeIsAlwaysSolved) {
  document.cube.size = 1;
  for (int face = 0; face < 6; ++face) document.cube.live[CellIndex(face, 0, 0)] = 3 * face - 4;
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
}

TEST(CubeState, SizeZeroCountsAsSolvedAndEqual) {
  document.cube.size = 0;
  for (int cell = 0; cell < kCellCount; ++cell)
    document.cube.live[cell] = cell, document.cube.shadow[cell] = -cell - 1;
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
}

// R and three L on a 2x2x2 turn the whole cube; on a 3x3x3 the middle layer stays behind.
TEST(CubeState, QuarterTurnRAndThreeLSolvedOnlyWithoutAMiddleLayer) {
  for (int n : {2, 3}) {
    StartSolved(n);
    QuarterTurnR(document.cube);
    for (int k = 0; k < 3; ++k) QuarterTurnL(document.cube);
    if (n == 2) {
      EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
      const int32_t colours[6] = {2, 1, 5, 3, 0, 4};  // U yellow, L red, F blue, R orange, B white, D green
      for (int face = 0; face < 6; ++face)
        for (int cell = 0; cell < 4; ++cell)
          EXPECT_EQ(document.cube.live[CellIndex(face, cell / 2, cell % 2)], colours[face])
              << "face " << face;
    } else {
      EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), -1);
    }
  }
}

// Two cubes of two sizes side by side: every operation turns the cube it is given, its own face
// included, and leaves every other cube as it was; the same operation on the window's cube agrees.
TEST(CubeState, EveryOperationWorksOnTheCubeItIsGivenAndNoOther) {
  typedef void (*Whole)(Cube&);
  const Whole kOperations[] = {QuarterTurnU, QuarterTurnL, QuarterTurnF, QuarterTurnR,    QuarterTurnB,
                               QuarterTurnD, HalfTurnU,    HalfTurnL,    HalfTurnF,       HalfTurnR,
                               HalfTurnB,    HalfTurnD,    TurnRowSlice, TurnColumnSlice, RotateLeft,
                               RotateRight,  RotateUp,     RotateDown,   ReflectCentral,  ReflectRightLeft,
                               StepRight,    StepDown};
  StartSolved(5);
  QuarterTurnR(document.cube);
  QuarterTurnU(document.cube);
  TurnRowSlice(document.cube);
  const std::vector<int32_t> window = UsedCells();
  for (Whole operation : kOperations) {
    Cube own;
    MakeSolved(own, 4);
    QuarterTurnF(own);
    TurnBlock(own, L, 2, 3, 1);
    Cube same = own;
    operation(own);
    EXPECT_EQ(UsedCells(), window) << "the window's cube changed";
    EXPECT_EQ(CompareCubes(4, own.live, own.shadow), 0);
    // The window's cube made the same at size 4 gives the same pattern.
    document.cube = same;
    operation(document.cube);
    EXPECT_EQ(CompareCubes(4, own.live, document.cube.live), 0);
    StartSolved(5);
    QuarterTurnR(document.cube);
    QuarterTurnU(document.cube);
    TurnRowSlice(document.cube);
  }
  // A block turn's own face turns in its own cube.
  Cube own;
  MakeSolved(own, 3);
  for (int cell = 0; cell < kCellCount; ++cell) own.live[cell] = own.shadow[cell] = cell;
  TurnBlock(own, U, 1, 1, 1);
  EXPECT_EQ(own.live[CellIndex(U, 0, 0)], CellIndex(U, 2, 0));
  EXPECT_EQ(UsedCells(), window);
}

}  // namespace
