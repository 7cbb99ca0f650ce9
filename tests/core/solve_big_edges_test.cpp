// The edge stage: its beam ends with every edge paired and the centres kept, the moves it lists replay to
// the state it leaves, a cancel ends it, the stages take it when given a width; the greedy's cheaper step
// search picks the very steps the full rescoring picks; and each step found gains what it says.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>

#include "solve/big/big_cube.h"
#include "solve/big/edge_steps.h"
#include "solve/phase/answer_moves.h"
#include "solve/phase/bigger/bigger_stages.h"
#include "support/big_patterns.h"
#include "support/sanitized.h"

namespace {

// A random pattern taken as far as the edge stage begins: centres solved, wing parities fixed.
void BeforeEdges(int n, Lcg& lcg, BigState* state) {
  int32_t cells[kCellCount];
  RandomBigPattern(n, lcg, state, cells);
  std::unique_ptr<BigMoveList> list(new BigMoveList);
  list->count = 0;
  ASSERT_TRUE(SolveBigCentresOuter(state, list.get(), 3));
  list->count = 0;
  ASSERT_TRUE(FixWingParity(state, list.get(), true));
  ASSERT_TRUE(CentresSolved(*state));
}

TEST(BigEdges, BeamPairsEveryEdgeKeepingTheCentresAtEvenAndOddSizes) {
  Lcg lcg{2718};
  for (int n : {6, 7, 8, 9}) {
    BigState start;
    BeforeEdges(n, lcg, &start);
    ASSERT_FALSE(EdgesPaired(start)) << n;
    for (const EdgeBeam beam : {EdgeBeam{1, 1, nullptr}, EdgeBeam{4, 3, nullptr}}) {
      BigState state = start;
      std::unique_ptr<BigMoveList> list(new BigMoveList);
      list->count = 0;
      ASSERT_TRUE(PairBigEdgesBeam(&state, list.get(), beam)) << n << " width " << beam.width;
      EXPECT_TRUE(EdgesPaired(state)) << n;
      EXPECT_TRUE(CentresSolved(state)) << n;
      BigState replayed = start;
      for (int k = 0; k < list->count; ++k) BigApply(&replayed, list->moves[k]);
      EXPECT_EQ(0, std::memcmp(replayed.cells, state.cells, sizeof state.cells)) << n;
    }
  }
}

TEST(BigEdges, BeamLeavesPairedEdgesAloneAndStopsOnACancel) {
  BigState state;
  BigSolved(9, &state);
  BigMoveList list;
  list.count = 0;
  ASSERT_TRUE(PairBigEdgesBeam(&state, &list, EdgeBeam{8, 4, nullptr}));
  EXPECT_EQ(0, list.count);

  Lcg lcg{31};
  BeforeEdges(8, lcg, &state);
  std::atomic<bool> cancel{true};
  SolveLimit limit;
  limit.cancel = &cancel;
  EXPECT_FALSE(PairBigEdgesBeam(&state, &list, EdgeBeam{8, 4, &limit}));
}

// The stages with an edge width take the beam: the answer still makes the pattern, the edges paired
// where their span ends.
TEST(BigEdges, StagesWithAnEdgeWidthAnswerThroughTheBeam) {
  Lcg lcg{8080};
  static PhaseAnswer answer;
  for (int n : {7, 8}) {
    BigState pattern;
    int32_t cells[kCellCount];
    RandomBigPattern(n, lcg, &pattern, cells);
    StageOptions options;
    options.edgeWidth = 3;
    options.edgeBranch = 2;
    SolveLimit limit;
    limit.seconds = 0;
    ASSERT_EQ(StageResult::kSolved, RunBiggerStages(pattern, options, limit, &answer)) << n;
    BigState made;
    BigSolved(n, &made);
    for (int k = 0; k < answer.count; ++k) BigApply(&made, answer.moves[k]);
    EXPECT_EQ(0, std::memcmp(made.cells, pattern.cells, sizeof made.cells)) << n;
    int edgesBegin = -1;
    for (int s = 0; s < answer.spanCount; ++s)
      if (std::strcmp(answer.spans[s].name, "edges") == 0) edgesBegin = answer.spans[s].begin;
    ASSERT_GE(edgesBegin, 0) << n;
    BigState undo = pattern;
    for (int k = answer.count - 1; k >= edgesBegin; --k) BigApply(&undo, InverseBlockMove(answer.moves[k]));
    EXPECT_TRUE(CentresSolved(undo) && EdgesPaired(undo)) << n;
  }
}

// The step search bounds each macro's gain and rescores only the edges it does not move whole; the
// greedy must still take the same steps as when every macro is fully rescored, with every wing or only
// those inside the ones next to the corners. Under the sanitizers, an even size and an odd one.
TEST(BigEdges, GreedyTakesTheSameStepsWithTheCheaperSearch) {
  Lcg lcg{1618};
  for (int n = 6; n <= (kSanitized ? 7 : 10); ++n)
    for (int lookahead : {0, 3}) {
      const bool inner = lookahead > 0;
      BigState start;
      BeforeEdges(n, lcg, &start);
      std::unique_ptr<BigMoveList> fast(new BigMoveList), full(new BigMoveList);
      fast->count = full->count = 0;
      BigState a = start, b = start;
      const bool fastDone = big_edge::PairEdgesGreedy(&a, fast.get(), lookahead, true, inner);
      const bool fullDone = big_edge::PairEdgesGreedy(&b, full.get(), lookahead, false, inner);
      ASSERT_EQ(fullDone, fastDone) << n;
      ASSERT_EQ(full->count, fast->count) << n << " lookahead " << lookahead;
      for (int k = 0; k < full->count; ++k) {
        const BlockMove &x = full->moves[k], &y = fast->moves[k];
        ASSERT_TRUE(x.face == y.face && x.first == y.first && x.last == y.last &&
                    x.quarterTurns == y.quarterTurns)
            << n << " move " << k;
      }
      // The inner wings alone may stall with two wings of an orbit swapped twice over (the stages
      // then take another path); every wing, never here.
      if (fastDone) {
        EXPECT_EQ(big_edge::EveryWing(n, inner), big_edge::PairedWings(a, inner)) << n;
      }
      if (!inner) {
        EXPECT_TRUE(fastDone) << n;
        EXPECT_TRUE(EdgesPaired(a)) << n;
      }
    }
}

// Each step offered gains the wings it claims, keeps the centres, and they come best first.
TEST(BigEdges, StepsGainWhatTheyClaimBestFirst) {
  Lcg lcg{99};
  for (int n : {7, 10}) {
    BigState state;
    BeforeEdges(n, lcg, &state);
    big_edge::EdgeStep steps[big_edge::kMaxEdgeSteps];
    const int found = big_edge::BestEdgeSteps(state, big_edge::kMaxEdgeSteps, false, steps);
    ASSERT_EQ(big_edge::kMaxEdgeSteps, found) << n;
    const int before = big_edge::PairedWings(state);
    for (int s = 0; s < found; ++s) {
      BigState turned = state;
      for (int k = 0; k < steps[s].count; ++k) BigApply(&turned, steps[s].moves[k]);
      EXPECT_GT(steps[s].gain, 0) << n;
      EXPECT_EQ(before + steps[s].gain, big_edge::PairedWings(turned)) << n << " step " << s;
      EXPECT_TRUE(CentresSolved(turned)) << n;
      EXPECT_EQ(steps[s].cost, OuterBlockTurns(steps[s].moves, steps[s].count, n)) << n;
      if (s > 0) {
        EXPECT_GE(steps[s - 1].gain * steps[s].cost, steps[s].gain * steps[s - 1].cost) << n << " step " << s;
      }
    }
  }
}

// Taking the best step until none gains alone: the one behind a face turn found then gains what it
// claims, its first move that face turn.
TEST(BigEdges, WhereNoStepGainsAloneOneBehindAFaceTurnDoes) {
  Lcg lcg{4711};
  for (int n : {7, 8}) {
    BigState state;
    BeforeEdges(n, lcg, &state);
    big_edge::EdgeStep steps[big_edge::kMaxEdgeSteps];
    int taken = 0;
    while (big_edge::BestEdgeSteps(state, 1, false, steps) > 0 && taken++ < 200)
      for (int k = 0; k < steps[0].count; ++k) BigApply(&state, steps[0].moves[k]);
    ASSERT_FALSE(EdgesPaired(state)) << n;
    ASSERT_EQ(1, big_edge::BestEdgeSteps(state, 4, true, steps)) << n;
    const int before = big_edge::PairedWings(state);
    EXPECT_EQ(1, steps[0].moves[0].first) << n;
    EXPECT_EQ(1, steps[0].moves[0].last) << n;
    for (int k = 0; k < steps[0].count; ++k) BigApply(&state, steps[0].moves[k]);
    EXPECT_GT(steps[0].gain, 0) << n;
    EXPECT_EQ(before + steps[0].gain, big_edge::PairedWings(state)) << n;
    EXPECT_TRUE(CentresSolved(state)) << n;
  }
}

}  // namespace
