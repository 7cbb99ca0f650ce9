// Study functions and solvers on two threads at once, on cubes of two sizes the window does not show:
// each result the same as the same call made alone, the window's cube untouched.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "solve/solve.h"
#include "study/order.h"
#include "study/reachability.h"
#include "study/symmetry_group.h"
#include "support/cube_helpers.h"

namespace {

// Everything the studies and the solver say of one cube.
struct Findings {
  bool reachable;
  std::vector<std::string> problems;
  std::string group;
  std::vector<std::string> symmetries;
  std::string order, faceletOrder, explanation;
  bool solved;
  std::vector<std::string> answer;
  int blockTurns;
};

// The cube of size n after a fixed run of layer turns, and the same turns as a sequence.
Cube Turned(int n, uint32_t seed, MoveSequence* sequence) {
  Cube cube;
  MakeSolved(cube, n);
  BeginSequence(sequence, n);
  Lcg lcg{seed};
  for (int k = 0; k < 30 * n; ++k) {
    const int layer = 1 + lcg.Next() % n;
    const BlockMove move = {static_cast<int8_t>(lcg.Next() % 6), static_cast<int8_t>(layer),
                            static_cast<int8_t>(layer), static_cast<int8_t>(1 + lcg.Next() % 3)};
    ApplyBlockMove(cube, move);
    AppendBlockMove(sequence, move);
  }
  return cube;
}

void Study(const Cube& cube, const MoveSequence& sequence, Findings* found) {
  const auto reach = std::make_unique<ReachabilityReport>();
  CheckReachable(cube, reach.get());
  found->reachable = reach->reachable;
  for (int k = 0; k < reach->problemCount; ++k) found->problems.push_back(reach->problems[k]);
  const auto symmetry = std::make_unique<SymmetryReport>();
  FindSymmetryGroup(cube, Random(), symmetry.get());
  found->group = symmetry->group;
  for (int k = 0; k < symmetry->symmetries; ++k) found->symmetries.push_back(symmetry->words[k]);
  const auto order = std::make_unique<OrderReport>();
  ComputeOrder(sequence, order.get());
  found->order = order->order;
  found->faceletOrder = order->faceletOrder;
  found->explanation = order->explanation;
  const auto result = std::make_unique<SolveResult>();
  SolveLimit firstAnswer;
  firstAnswer.seconds = 0;
  SolvePattern(cube, firstAnswer, result.get());
  found->solved = result->solved;
  for (int k = 0; k < result->algCount; ++k) {
    char move[kMaxMoveText];
    FormatBlockMove(result->alg[k], cube.size, move);
    found->answer.push_back(move);
  }
  found->blockTurns = result->lengthBtm;
}

void ExpectSame(const Findings& together, const Findings& alone, int n) {
  EXPECT_EQ(together.reachable, alone.reachable) << n;
  EXPECT_EQ(together.problems, alone.problems) << n;
  EXPECT_EQ(together.group, alone.group) << n;
  EXPECT_EQ(together.symmetries, alone.symmetries) << n;
  EXPECT_EQ(together.order, alone.order) << n;
  EXPECT_EQ(together.faceletOrder, alone.faceletOrder) << n;
  EXPECT_EQ(together.explanation, alone.explanation) << n;
  EXPECT_EQ(together.solved, alone.solved) << n;
  EXPECT_EQ(together.answer, alone.answer) << n;
  EXPECT_EQ(together.blockTurns, alone.blockTurns) << n;
}

// Each test runs in a process of its own, so the threads also build every table for the first time
// side by side.
TEST(Threads, StudiesAndSolvesOnTwoSizesAtOnceAreTheCallsMadeAlone) {
  RecordingPlatform recording;
  StartFresh(recording, 3);
  const std::vector<int32_t> window = UsedCells();
  // The corner solver, and the big-cube one on two sizes with the 3×3×3 search inside each.
  const int sizes[3] = {2, 4, 5};
  MoveSequence sequences[3];
  Cube cubes[3];
  for (int k = 0; k < 3; ++k) cubes[k] = Turned(sizes[k], 11 + k, &sequences[k]);
  Findings together[3], alone[3];
  std::vector<std::thread> threads;
  for (int k = 0; k < 3; ++k) threads.emplace_back([&, k] { Study(cubes[k], sequences[k], &together[k]); });
  for (std::thread& thread : threads) thread.join();
  for (int k = 0; k < 3; ++k) {
    Study(cubes[k], sequences[k], &alone[k]);
    EXPECT_TRUE(alone[k].reachable);
    EXPECT_TRUE(alone[k].solved);
    EXPECT_GT(alone[k].blockTurns, 0);
    ExpectSame(together[k], alone[k], sizes[k]);
  }
  EXPECT_EQ(document.cube.size, 3);
  EXPECT_EQ(UsedCells(), window);
  EXPECT_EQ(document.random.state, 1u);
}

}  // namespace
