// Recolouring's argument order and pass-through, and how rotations and reflections relate to turns.
#include <gtest/gtest.h>

#include <vector>

#include "support/cube_helpers.h"

namespace {

std::vector<int32_t> SolvedAfter(int n, const std::vector<Operation>& operations) {
  StartSolved(n);
  Apply(operations);
  return UsedCells();
}

class RotationSizes : public ::testing::TestWithParam<int> {
 protected:
  int N() const { return GetParam(); }
  // Values -2 to 8, colours and others, spread over the cells.
  void FillMixed() {
    document.cube.size = static_cast<int16_t>(N());
    for (int cell = 0; cell < kCellCount; ++cell)
      document.cube.live[cell] = document.cube.shadow[cell] = (cell * 5 + cell / 11) % 11 - 2;
  }
};

TEST_P(RotationSizes, RecolourTakesOldColoursInTheOrder012453) {
  FillMixed();
  const std::vector<int32_t> before = UsedCells();
  Recolour(document.cube, 10, 11, 12, 14, 15, 13);
  const std::vector<int32_t> after = UsedCells();
  for (size_t k = 0; k < before.size(); ++k) {
    const int32_t v = before[k];
    EXPECT_EQ(after[k], v >= 0 && v <= 5 ? 10 + v : v) << "old value " << v;
  }
}

TEST_P(RotationSizes, RecolourMapsEachCellOnceAndExtendsTheSign) {
  FillMixed();
  const std::vector<int32_t> before = UsedCells();
  Recolour(document.cube, 0, 1, 2, 4, 5, 3);
  EXPECT_EQ(UsedCells(), before) << "the identity map";
  Recolour(document.cube, 1, 2, 3, 5, 0, 4);  // 0->1->2->...->5->0: each value moves one step only
  const std::vector<int32_t> shifted = UsedCells();
  Recolour(document.cube, -3, -3, -3, -3, -3, -3);
  const std::vector<int32_t> after = UsedCells();
  for (size_t k = 0; k < before.size(); ++k) {
    const bool colour = before[k] >= 0 && before[k] <= 5;
    EXPECT_EQ(shifted[k], colour ? (before[k] + 1) % 6 : before[k]) << "old value " << before[k];
    EXPECT_EQ(after[k], colour ? -3 : before[k]) << "old value " << before[k];
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
