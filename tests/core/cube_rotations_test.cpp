// Recolouring's argument order and pass-through, and how rotations and reflections relate to turns.
#include <gtest/gtest.h>

#include <vector>

#include "cube/cube.h"

namespace {

typedef void (*Operation)(CubeState, CubeState);

void StartSolved(int n) {
  cubeSize = static_cast<int16_t>(n);
  FillSolved();
  CopyCube(liveCube, shadowCube);
}

std::vector<int32_t> UsedCells() {
  std::vector<int32_t> cells;
  for (int face = 0; face < 6; ++face)
    for (int r = 0; r < cubeSize; ++r)
      for (int c = 0; c < cubeSize; ++c) cells.push_back(liveCube[CellIndex(face, r, c)]);
  return cells;
}

std::vector<int32_t> SolvedAfter(int n, std::vector<Operation> operations) {
  StartSolved(n);
  for (Operation operation : operations) operation(liveCube, shadowCube);
  return UsedCells();
}

class RotationSizes : public ::testing::TestWithParam<int> {
 protected:
  int N() const { return GetParam(); }
  // Values -2 to 8 spread over the used cells; unused cells hold markers.
  void FillMixed() {
    cubeSize = static_cast<int16_t>(N());
    for (int cell = 0; cell < kCellCount; ++cell) {
      const bool used = cell % kFaceStride / kMaxSize < N() && cell % kMaxSize < N();
      liveCube[cell] = shadowCube[cell] = used ? (cell * 5 + cell / 11) % 11 - 2 : 500 + cell;
    }
  }
};

TEST_P(RotationSizes, RecolourTakesOldColoursInTheOrder012453) {
  FillMixed();
  const std::vector<int32_t> before = UsedCells();
  Recolour(10, 11, 12, 14, 15, 13);
  const std::vector<int32_t> after = UsedCells();
  for (size_t k = 0; k < before.size(); ++k) {
    const int32_t v = before[k];
    EXPECT_EQ(after[k], v >= 0 && v <= 5 ? 10 + v : v) << "old value " << v;
  }
  for (int cell = 0; cell < kCellCount; ++cell) {
    const bool used = cell % kFaceStride / kMaxSize < N() && cell % kMaxSize < N();
    ASSERT_EQ(shadowCube[cell], used ? liveCube[cell] : 500 + cell) << cell;
    if (!used) {
      ASSERT_EQ(liveCube[cell], 500 + cell) << cell;
    }
  }
}

TEST_P(RotationSizes, RecolourMapsEachCellOnceAndExtendsTheSign) {
  FillMixed();
  const std::vector<int32_t> before = UsedCells();
  Recolour(0, 1, 2, 4, 5, 3);
  EXPECT_EQ(UsedCells(), before) << "the identity map";
  Recolour(1, 2, 3, 5, 0, 4);  // 0->1->2->...->5->0: each value moves one step only
  Recolour(-3, -3, -3, -3, -3, -3);
  const std::vector<int32_t> after = UsedCells();
  for (size_t k = 0; k < before.size(); ++k) {
    const int32_t v = before[k];
    EXPECT_EQ(after[k], v >= 0 && v <= 5 ? -3 : v) << "old value " << v;
  }
  FillMixed();
  Recolour(1, 2, 3, 5, 0, 4);
  const std::vector<int32_t> shifted = UsedCells();
  for (size_t k = 0; k < before.size(); ++k) {
    const int32_t v = before[k];
    EXPECT_EQ(shifted[k], v >= 0 && v <= 5 ? (v + 1) % 6 : v) << "old value " << v;
  }
}

TEST_P(RotationSizes, InversesAndFourfoldRotationsGiveBackAnyPattern) {
  const struct {
    std::vector<Operation> operations;
  } identities[] = {
      {{RotateLeft, RotateRight}},
      {{RotateUp, RotateDown}},
      {{RotateRight, RotateLeft}},
      {{RotateDown, RotateUp}},
      {{ReflectCentral, ReflectCentral}},
      {{ReflectRightLeft, ReflectRightLeft}},
      {{RotateLeft, RotateLeft, RotateLeft, RotateLeft}},
      {{RotateUp, RotateUp, RotateUp, RotateUp}},
  };
  for (const auto& identity : identities) {
    FillMixed();
    const std::vector<int32_t> before = UsedCells();
    for (Operation operation : identity.operations) operation(liveCube, shadowCube);
    EXPECT_EQ(UsedCells(), before);
  }
}

TEST_P(RotationSizes, ReflectionsOfOneTurnAreTheMirroredTurn) {
  const struct {
    Operation turn, reflection, mirrored;
  } cases[] = {
      {QuarterTurnU, ReflectCentral, QuarterTurnD},   {QuarterTurnU, ReflectRightLeft, QuarterTurnU},
      {QuarterTurnR, ReflectCentral, QuarterTurnL},   {QuarterTurnR, ReflectRightLeft, QuarterTurnL},
      {QuarterTurnF, ReflectRightLeft, QuarterTurnF}, {QuarterTurnF, ReflectCentral, QuarterTurnB},
  };
  for (const auto& test : cases) {
    const std::vector<int32_t> mirrored = SolvedAfter(N(), {test.mirrored, test.mirrored, test.mirrored});
    EXPECT_EQ(SolvedAfter(N(), {test.turn, test.reflection}), mirrored);
  }
  const std::vector<int32_t> solved = SolvedAfter(N(), {});
  EXPECT_EQ(SolvedAfter(N(), {ReflectCentral}), solved);
  EXPECT_EQ(SolvedAfter(N(), {ReflectRightLeft}), solved);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RotationSizes, ::testing::Values(1, 2, 3, 4, 7, 10));

}  // namespace
