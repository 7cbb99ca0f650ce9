// The centres' beam: every way it hands on leaves every centre home from the state it began at, each
// way leaves the rest of the cube differently (what the stages after choose among), none much longer
// than the first, some need no wing parity fix, two threads find what one does, and a cancel ends it
// with none.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "solve/big/big_cube.h"
#include "solve/phase/answer_moves.h"
#include "support/big_patterns.h"

namespace {

int Turns(const std::vector<BlockMove>& moves, int n) {
  return OuterBlockTurns(moves.data(), static_cast<int>(moves.size()), n);
}

TEST(CentreBeam, EveryWayEndsWithTheCentresHomeAndLeavesTheRestApart) {
  Lcg lcg{4242};
  int needsNoFix = 0;
  for (int n : {6, 7}) {
    BigState pattern;
    int32_t cells[kCellCount];
    RandomBigPattern(n, lcg, &pattern, cells);
    CentreBeam beam;
    beam.width = 16;
    beam.ends = 4;
    beam.slack = 8;
    const std::vector<std::vector<BlockMove>> ends = CentreBeamEnds(pattern, nullptr, beam);
    ASSERT_FALSE(ends.empty()) << n;
    const int first = Turns(ends.front(), n);
    std::vector<BigState> reached;
    for (const std::vector<BlockMove>& end : ends) {
      BigState state = pattern;
      for (const BlockMove& move : end) BigApply(&state, move);
      EXPECT_TRUE(CentresSolved(state)) << n;
      // The beam reads the wings' parity as the stage after it does.
      BigState fixed = state;
      static BigMoveList fix;
      fix.count = 0;
      ASSERT_TRUE(FixWingParity(&fixed, &fix, true));
      needsNoFix += fix.count == 0;
      for (const BigState& other : reached)
        EXPECT_NE(0, std::memcmp(other.cells, state.cells, sizeof state.cells)) << n;
      reached.push_back(state);
      // The steps are costed with the merges they allow, which the plain count here does not make.
      EXPECT_LE(Turns(end, n), first + beam.slack + 8) << n;
    }
  }
  // Ways that leave every wing orbit even are looked for beyond the first few.
  EXPECT_GT(needsNoFix, 0);
}

TEST(CentreBeam, TwoThreadsFindWhatOneDoes) {
  Lcg lcg{808};
  BigState pattern;
  int32_t cells[kCellCount];
  RandomBigPattern(6, lcg, &pattern, cells);
  CentreBeam beam;
  beam.width = 5;
  beam.ends = 3;
  const std::vector<std::vector<BlockMove>> one = CentreBeamEnds(pattern, nullptr, beam);
  beam.threads = 2;
  const std::vector<std::vector<BlockMove>> two = CentreBeamEnds(pattern, nullptr, beam);
  ASSERT_EQ(one.size(), two.size());
  for (size_t k = 0; k < one.size(); ++k) {
    ASSERT_EQ(one[k].size(), two[k].size()) << k;
    for (size_t m = 0; m < one[k].size(); ++m) {
      EXPECT_EQ(one[k][m].face, two[k][m].face);
      EXPECT_EQ(one[k][m].first, two[k][m].first);
      EXPECT_EQ(one[k][m].last, two[k][m].last);
      EXPECT_EQ(one[k][m].quarterTurns, two[k][m].quarterTurns);
    }
  }
}

TEST(CentreBeam, SolvedCentresNeedNoTurnsAndACancelGivesNoWay) {
  BigState state;
  BigSolved(8, &state);
  const std::vector<std::vector<BlockMove>> none = CentreBeamEnds(state, nullptr, CentreBeam{});
  ASSERT_EQ(1u, none.size());
  EXPECT_TRUE(none.front().empty());

  Lcg lcg{5};
  int32_t cells[kCellCount];
  RandomBigPattern(8, lcg, &state, cells);
  std::atomic<bool> cancel{true};
  SolveLimit limit;
  limit.cancel = &cancel;
  CentreBeam beam;
  beam.limit = &limit;
  EXPECT_TRUE(CentreBeamEnds(state, nullptr, beam).empty());
}

}  // namespace
