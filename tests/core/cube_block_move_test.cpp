// Moves as data: their spelling in the standard notation, their counts and their inverses.
#include <gtest/gtest.h>

#include <string>

#include "cube/block_move.h"
#include "support/cube_helpers.h"

namespace {

std::string Text(BlockMove move, int n) {
  char text[kMaxMoveText];
  const int length = FormatBlockMove(move, n, text);
  EXPECT_EQ(length, static_cast<int>(std::string(text).size()));
  return text;
}

TEST(BlockMove, SpelledInTheStandardNotation) {
  const struct {
    BlockMove move;
    int n;
    const char* text;
  } cases[] = {
      {{R, 1, 1, 1}, 3, "R"},      {{U, 1, 1, 2}, 3, "U2"},   {{F, 1, 1, 3}, 3, "F'"},
      {{R, 1, 2, 1}, 4, "Rw"},     {{L, 1, 3, 3}, 7, "3Lw'"}, {{B, 3, 3, 2}, 7, "3B2"},
      {{D, 2, 4, 1}, 10, "2-4Dw"}, {{R, 1, 3, 1}, 3, "x"},    {{L, 1, 3, 1}, 3, "x'"},
      {{U, 1, 4, 2}, 4, "y2"},     {{D, 1, 2, 1}, 2, "y'"},   {{B, 1, 10, 3}, 10, "z"},
      {{L, 2, 2, 1}, 3, "2L"},
  };
  for (const auto& test : cases) EXPECT_EQ(Text(test.move, test.n), test.text);
}

TEST(BlockMove, CountsLeaveOutRotations) {
  EXPECT_EQ(BlockTurns({R, 1, 1, 2}, 3), 1);
  EXPECT_EQ(QuarterBlockTurns({R, 1, 1, 2}, 3), 2);
  EXPECT_EQ(QuarterBlockTurns({R, 2, 5, 3}, 7), 1);
  EXPECT_EQ(BlockTurns({R, 1, 3, 1}, 3), 0);
  EXPECT_EQ(QuarterBlockTurns({U, 1, 5, 2}, 5), 0);
}

TEST(BlockMove, InverseUndoesEveryMoveAtEverySize) {
  for (int n = 2; n <= 10; ++n) {
    StartSolved(n);
    for (int cell = 0; cell < kCellCount; ++cell)
      document.cube.live[cell] = document.cube.shadow[cell] = cell;
    CubeState start;
    CopyCube(document.cube.size, document.cube.live, start);
    for (int face = U; face <= D; ++face)
      for (int8_t turns = 1; turns <= 3; ++turns) {
        const BlockMove move = {static_cast<int8_t>(face), 2, static_cast<int8_t>(n), turns};
        ApplyBlockMove(document.cube, move);
        ApplyBlockMove(document.cube, InverseBlockMove(move));
      }
    EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, start), 0) << n;
  }
}

}  // namespace
