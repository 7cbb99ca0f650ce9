// Patterns a few block turns from solved, in any orientation, at every size: answers no longer than
// the turns that made them, which make the pattern again.
#include <gtest/gtest.h>

#include <cstring>

#include "solve/short/short_answers.h"
#include "support/cube_helpers.h"

namespace {

// A random block of layers that is not the whole cube.
BlockMove RandomBlock(int n, Lcg& lcg) {
  for (;;) {
    const int first = 1 + lcg.Next() % n, last = first + lcg.Next() % (n - first + 1);
    if (first == 1 && last == n) continue;
    return Block(lcg.Next() % 6, first, last, 1 + lcg.Next() % 3);
  }
}

bool Makes(const BlockMove* moves, int count, const BigState& pattern) {
  BigState state;
  BigSolved(pattern.n, &state);
  for (int k = 0; k < count; ++k) BigApply(&state, moves[k]);
  return std::memcmp(state.cells, pattern.cells, sizeof state.cells) == 0;
}

int BlockTurnsOf(const BlockMove* moves, int count, int n) {
  int turns = 0;
  for (int k = 0; k < count; ++k) turns += BlockTurns(moves[k], n);
  return turns;
}

TEST(SolvePhaseShort, FewBlockTurnsGetAnAnswerNoLonger) {
  Lcg lcg{4242};
  for (int n : {2, 3, 4, 5, 6, 10}) {
    const int trials = n == 10 ? 4 : 12;
    for (int trial = 0; trial < trials; ++trial) {
      const int turns = 1 + trial % kShortAnswerTurns;
      BigState pattern;
      BigSolved(n, &pattern);
      for (int k = 0; k < turns; ++k) BigApply(&pattern, RandomBlock(n, lcg));
      const BigRotation& rotation = BigRotations(n)[lcg.Next() % 24];
      for (int k = 0; k < rotation.count; ++k) BigApply(&pattern, rotation.moves[k]);
      BlockMove answer[kShortAnswerTurns + 8];
      const int count = ShortAnswer(pattern, answer, kShortAnswerTurns + 8);
      ASSERT_GE(count, 0) << "n " << n << " trial " << trial;
      EXPECT_LE(BlockTurnsOf(answer, count, n), turns) << "n " << n << " trial " << trial;
      EXPECT_TRUE(Makes(answer, count, pattern)) << "n " << n << " trial " << trial;
      // The rotation, if any, comes last.
      for (int k = 1; k < count; ++k) EXPECT_FALSE(IsRotation(answer[k - 1], n) && !IsRotation(answer[k], n));
    }
  }
}

TEST(SolvePhaseShort, SolvedTurnedWholeIsOnlyItsRotation) {
  for (int r = 0; r < 24; ++r) {
    BigState pattern;
    BigSolved(4, &pattern);
    const BigRotation& rotation = BigRotations(4)[r];
    for (int k = 0; k < rotation.count; ++k) BigApply(&pattern, rotation.moves[k]);
    BlockMove answer[12];
    const int count = ShortAnswer(pattern, answer, 12);
    ASSERT_GE(count, 0);
    EXPECT_EQ(0, BlockTurnsOf(answer, count, 4));
    EXPECT_TRUE(Makes(answer, count, pattern));
  }
}

TEST(SolvePhaseShort, FartherPatternsAreLeftToThePhases) {
  Lcg lcg{99};
  BigState pattern;
  BigSolved(4, &pattern);
  for (int k = 0; k < 40; ++k) BigApply(&pattern, RandomBlock(4, lcg));
  BlockMove answer[12];
  EXPECT_EQ(-1, ShortAnswer(pattern, answer, 12));
}

}  // namespace
