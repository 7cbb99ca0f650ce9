// The 5×5×5 finish of the larger sizes: a pattern made by turns of the grouped layers is finished by
// such turns alone, and a swap of two middle pairs (which no 5×5×5 can show) is mended first.
#include <gtest/gtest.h>

#include <memory>

#include "solve/big/edge_steps.h"
#include "solve/phase/bigger/five_finish.h"
#include "solve/phase/phase_table.h"
#include "support/cube_helpers.h"

namespace {

// The layers a 5×5×5 layer stands for at size n, written out apart from the code under test.
void Grouped(int n, int layer, int* first, int* last) {
  static const int kFirst[6] = {0, 1, 2, 3, -1, 0}, kLast[6] = {0, 1, 2, -2, -1, 0};
  *first = layer <= 3 ? kFirst[layer] : layer == 4 ? n - 1 : n;
  *last = layer <= 2 ? kLast[layer] : layer == 3 ? n - 2 : layer == 4 ? n - 1 : n;
}

// Random turns of the grouped layers, as a 5×5×5 would turn: a block of its layers about any face.
void ScrambleGrouped(int n, Lcg& lcg, int turns, BigState* state) {
  for (int k = 0; k < turns; ++k) {
    int a = 1 + lcg.Next() % 5, b = 1 + lcg.Next() % 5;
    if (a > b) std::swap(a, b);
    int first, last, unused;
    Grouped(n, a, &first, &unused);
    Grouped(n, b, &unused, &last);
    BigApply(state, Block(lcg.Next() % 6, first, last, 1 + lcg.Next() % 3));
  }
}

// Face turns alone, which keep every centre on its face and every pair whole.
void ScrambleFaces(Lcg& lcg, BigState* state) {
  for (int k = 0; k < 20; ++k) BigApply(state, Block(lcg.Next() % 6, 1, 1, 1 + lcg.Next() % 3));
}

// Whether each move turns whole groups of layers.
bool TurnsWholeGroups(int n, const BigMoveList& list) {
  for (int k = 0; k < list.count; ++k) {
    const BlockMove& move = list.moves[k];
    const bool firstStarts = move.first <= 3 || move.first >= n - 1;
    const bool lastEnds = move.last <= 2 || move.last >= n - 2;
    if (!firstStarts || !lastEnds) return false;
  }
  return true;
}

class FiveFinish : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(TableResult::kReady, PreparePhaseTables(5)); }
};

TEST_F(FiveFinish, GroupedTurnsAreUndoneByGroupedTurns) {
  Lcg lcg{505};
  std::unique_ptr<BigMoveList> list(new BigMoveList);
  for (int n = 6; n <= kMaxSize; ++n) {
    BigState state;
    BigSolved(n, &state);
    ScrambleGrouped(n, lcg, 30, &state);
    list->count = 0;
    SolveLimit limit;
    ASSERT_EQ(PhaseSolveStatus::kSolved, FinishAsFive(&state, limit, list.get())) << n;
    EXPECT_TRUE(BigSolvedState(state)) << n;
    EXPECT_GT(list->count, 0) << n;
    EXPECT_TRUE(TurnsWholeGroups(n, *list)) << n;
  }
}

// Two middle pairs swapped by the 4×4×4's edge swap with L's half of the middle as its inner layer, hidden
// behind face turns: the finish alone cannot end it, the swap mended first can, and the mend keeps
// the centres and the pairs.
TEST_F(FiveFinish, ASwapOfTwoMiddlePairsIsMendedFirst) {
  Lcg lcg{88};
  std::unique_ptr<BigMoveList> list(new BigMoveList);
  for (int n : {6, 8, 10}) {
    BigState state;
    BigSolved(n, &state);
    ScrambleFaces(lcg, &state);
    const BlockMove slice = Block(L, 3, n / 2, 2), up = Block(D, n / 2 + 1, n, 2), face = Block(U, 1, 1, 2);
    for (const BlockMove& move : {slice, face, slice, up, slice, up}) BigApply(&state, move);
    ScrambleFaces(lcg, &state);
    ASSERT_TRUE(CentresSolved(state)) << n;
    ASSERT_EQ(big_edge::EveryWing(n, true), big_edge::PairedWings(state, true)) << n;

    BigState unmended = state;
    list->count = 0;
    SolveLimit limit;
    EXPECT_NE(PhaseSolveStatus::kSolved, FinishAsFive(&unmended, limit, list.get())) << n;

    list->count = 0;
    ASSERT_TRUE(FixMiddleSwap(&state, list.get())) << n;
    EXPECT_GT(list->count, 0) << n;
    EXPECT_TRUE(CentresSolved(state, true)) << n;
    EXPECT_EQ(big_edge::EveryWing(n, true), big_edge::PairedWings(state, true)) << n;
    ASSERT_EQ(PhaseSolveStatus::kSolved, FinishAsFive(&state, limit, list.get())) << n;
    EXPECT_TRUE(BigSolvedState(state)) << n;

    // Nothing to mend: no moves.
    BigSolved(n, &state);
    ScrambleFaces(lcg, &state);
    list->count = 0;
    ASSERT_TRUE(FixMiddleSwap(&state, list.get())) << n;
    EXPECT_EQ(0, list->count) << n;
  }
}

}  // namespace
