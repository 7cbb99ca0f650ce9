// The big-cube solver: answers replayed with the model's own layer turns at every size from 4 to 10,
// rotations alone, refusals with the reachability check's reasons, and the stages' counts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cube/block_move.h"
#include "cube/cube.h"
#include "files/files.h"
#include "solve/solve.h"
#include "support/cube_helpers.h"

namespace {

// The sanitizer build runs the same checks on fewer patterns.
#if defined(__SANITIZE_ADDRESS__)
const int kPatternsPerSize = 1;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
const int kPatternsPerSize = 1;
#else
const int kPatternsPerSize = 2;
#endif
#else
const int kPatternsPerSize = 2;
#endif

void Scramble(int n, uint32_t seed) {
  Lcg lcg{seed};
  RandomLayerPattern(n, lcg);
}

// The answer applied to the solved cube, with ApplyBlockMove; the pattern is put back afterwards.
std::vector<int32_t> Replay(const SolveResult& result, bool inverse) {
  const std::vector<int32_t> pattern = UsedCells();
  if (!inverse) {
    FillSolved();
    CopyCube(liveCube, shadowCube);
  }
  for (int k = 0; k < result.algCount; ++k)
    ApplyBlockMove(inverse ? InverseBlockMove(result.alg[result.algCount - 1 - k]) : result.alg[k], liveCube,
                   shadowCube);
  const std::vector<int32_t> made = UsedCells();
  Restore(pattern);
  return made;
}

std::vector<int32_t> SolvedCells(int n) {
  const std::vector<int32_t> pattern = UsedCells();
  StartSolved(n);
  const std::vector<int32_t> solved = UsedCells();
  Restore(pattern);
  return solved;
}

class SolveBig : public ::testing::Test {
 protected:
  void SetUp() override { PrepareSolverTables(); }
  void TearDown() override { StartSolved(3); }
  SolveResult result;
};

TEST_F(SolveBig, EveryAnswerMakesItsPatternAndItsInverseSolvesIt) {
  for (int n = 4; n <= 10; ++n)
    for (int k = 0; k < kPatternsPerSize; ++k) {
      Scramble(n, 1000u * n + k);
      const std::vector<int32_t> pattern = UsedCells();
      SolvePattern(0, &result);
      ASSERT_TRUE(result.solved) << n << ": " << result.problems[0];
      // Pure: the pattern, the size and the shadow copy as they were.
      EXPECT_EQ(cubeSize, n);
      EXPECT_EQ(UsedCells(), pattern);
      EXPECT_EQ(Replay(result, false), pattern) << "size " << n << " seed " << k;
      EXPECT_EQ(Replay(result, true), SolvedCells(n)) << "size " << n << " seed " << k;
      // The counts agree with the moves: stages add up to the block turns, each one a non-rotation.
      int turns = 0, stages = 0;
      for (int m = 0; m < result.algCount; ++m) turns += BlockTurns(result.alg[m], n);
      for (int stage = 0; stage < kBigStageCount; ++stage) stages += result.stageTurns[stage];
      EXPECT_EQ(result.lengthBtm, turns);
      EXPECT_EQ(stages, turns);
      EXPECT_GT(result.stageTurns[kStageCentres], 0) << n;
    }
}

TEST_F(SolveBig, SmallCubesSpellTheirAnswerAndRotationAsBlockMovesToo) {
  for (int n = 2; n <= 3; ++n)
    for (int k = 0; k < 3; ++k) {
      Scramble(n, 77u * n + k);
      const std::vector<int32_t> pattern = UsedCells();
      SolvePattern(0, &result);
      ASSERT_TRUE(result.solved);
      EXPECT_EQ(Replay(result, false), pattern) << "size " << n << " seed " << k;
      EXPECT_EQ(result.lengthBtm, result.lengthF);
    }
}

TEST_F(SolveBig, ATurnedSolvedCubeIsOnlyItsRotation) {
  for (int n : {4, 7, 10}) {
    StartSolved(n);
    RotateLeft(liveCube, shadowCube);
    RotateUp(liveCube, shadowCube);
    const std::vector<int32_t> pattern = UsedCells();
    SolvePattern(0, &result);
    ASSERT_TRUE(result.solved) << n;
    EXPECT_EQ(result.lengthBtm, 0);
    ASSERT_GT(result.algCount, 0);
    for (int m = 0; m < result.algCount; ++m) EXPECT_TRUE(IsRotation(result.alg[m], n));
    EXPECT_EQ(Replay(result, false), pattern);
    // The text spells the rotation with x, y and z alone.
    char text[64];
    FormatSolveAlg(result, false, text, sizeof text);
    EXPECT_EQ(std::string(text).find_first_not_of("xyz2' "), std::string::npos) << text;
  }
}

TEST_F(SolveBig, AFaceTurnAnswerAndAnInnerSlice) {
  // Solved centres and paired edges go straight to the last stage: face turns only.
  StartSolved(6);
  TurnBlock(R, 1, 1, 1, liveCube, shadowCube);
  TurnBlock(U, 1, 1, 2, liveCube, shadowCube);
  SolvePattern(0, &result);
  ASSERT_TRUE(result.solved);
  EXPECT_EQ(result.lengthBtm, 2);
  EXPECT_EQ(result.stageTurns[kStageThree], 2);
  char text[64];
  FormatSolveAlg(result, false, text, sizeof text);
  EXPECT_STREQ(text, "R U2");
  FormatSolveAlg(result, true, text, sizeof text);
  EXPECT_STREQ(text, "U2 R'");
  // A short text ends at a whole move.
  FormatSolveAlg(result, false, text, 3);
  EXPECT_STREQ(text, "R");
  FormatSolveAlgStart(result, 1, text, sizeof text);
  EXPECT_STREQ(text, "R ...");
}

TEST_F(SolveBig, UnreachablePatternsAreRefusedWithTheChecksReasons) {
  auto refused = [this](const char* what) {
    ReachabilityReport report;
    CheckReachable(&report);
    ASSERT_FALSE(report.reachable) << what;
    const std::vector<int32_t> pattern = UsedCells();
    SolvePattern(0, &result);
    EXPECT_EQ(UsedCells(), pattern);
    EXPECT_FALSE(result.solved) << what;
    EXPECT_TRUE(result.unreachable) << what;
    ASSERT_EQ(result.problemCount, report.problemCount) << what;
    EXPECT_STREQ(result.problems[0], report.problems[0]) << what;
  };
  // A twisted corner (U, F, R) at 5×5×5.
  StartSolved(5);
  const int corner[3] = {CellIndex(U, 4, 4), CellIndex(F, 0, 4), CellIndex(R, 0, 0)};
  const int32_t first = liveCube[corner[0]];
  liveCube[corner[0]] = liveCube[corner[1]];
  liveCube[corner[1]] = liveCube[corner[2]];
  liveCube[corner[2]] = first;
  refused("twisted corner");
  // A flipped middle edge (U-F) at 7×7×7.
  StartSolved(7);
  std::swap(liveCube[CellIndex(U, 6, 3)], liveCube[CellIndex(F, 0, 3)]);
  refused("flipped middle edge");
  // A mirrored colour scheme at 4×4×4: L and R swap colours everywhere.
  StartSolved(4);
  for (int cell = 0; cell < kCellCount; ++cell)
    if (liveCube[cell] == L || liveCube[cell] == R) liveCube[cell] = L + R - liveCube[cell];
  refused("mirrored scheme");
}

}  // namespace
