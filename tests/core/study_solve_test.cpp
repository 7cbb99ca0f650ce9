// The solver: answers replayed with the model's own turns and arrow keys, known distances, refusals, limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cube/cube.h"
#include "files/input_files.h"
#include "solve/answer.h"
#include "solve/solve.h"
#include "solve/solve_coordinates.h"
#include "solve/solve_corners.h"
#include "solve/solve_search.h"
#include "support/cube_helpers.h"
#include "ui/ui.h"

namespace {

// Scrambles the solved cube of size n by random turns, rotations and reflections, as keys would.
void Scramble(int n, uint32_t seed, int steps) {
  StartSolved(n);
  Lcg lcg{seed};
  for (int k = 0; k < steps; ++k) {
    const int draw = lcg.Next() % 20;
    if (draw < 6)
      TurnLayer(document.cube, static_cast<int16_t>(draw), static_cast<int16_t>(1 + lcg.Next() % 3));
    else if (draw < 14)
      TurnLayer(document.cube, static_cast<int16_t>(draw % 6), 1);
    else if (draw == 14)
      RotateLeft(document.cube);
    else if (draw == 15)
      RotateUp(document.cube);
    else if (draw == 16)
      RotateDown(document.cube);
    else if (draw == 17)
      ReflectCentral(document.cube);
    else if (draw == 18)
      ReflectRightLeft(document.cube);
    else
      RotateRight(document.cube);
  }
}

// Plays text of tokens and arrow keys on the live cube with the model's own turns and rotations.
void Play(const std::string& text) {
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    size_t at = 0;
    while (at < word.size()) {
      if (word[at] == '<') {
        const size_t end = word.find('>', at);
        const std::string key = word.substr(at, end - at + 1);
        if (key == "<Left>") RotateLeft(document.cube);
        if (key == "<Up>") RotateUp(document.cube);
        if (key == "<Right>") RotateRight(document.cube);
        if (key == "<Down>") RotateDown(document.cube);
        at = end + 1;
      } else {
        MoveToken move;
        ASSERT_TRUE(ParseMoveToken(word.c_str(), &move)) << word;
        TurnLayer(document.cube, move.layer, move.quarterTurns);
        at = word.size();
      }
    }
  }
}

SolveLimit Limit(double seconds, double (*clock)() = nullptr) {
  SolveLimit limit;
  limit.seconds = seconds;
  limit.clock = clock;
  return limit;
}

// The answer as the window's box and the CLI spell it: in face turns with its rotation as arrow keys.
struct Spelled {
  std::string moves, rotation, rotationTurns;
};
Spelled Spell(const SolveResult& result, bool inverse) {
  static SpelledAnswer spelled;
  SpellAnswer(result, inverse, &spelled);
  EXPECT_NE(FindAnswerField(spelled, "moves"), nullptr);
  return {spelled.moves, spelled.rotation, spelled.rotationTurns};
}

// Solves the live pattern, checks that the answer and its inverse replay exactly, and returns it.
SolveResult SolveAndReplay(double limit) {
  const std::vector<int32_t> pattern = UsedCells();
  SolveResult result;
  SolvePattern(document.cube, Limit(limit), &result);
  EXPECT_EQ(UsedCells(), pattern) << "the solver changed the cube";
  EXPECT_TRUE(result.solved) << result.problems[0];
  const Spelled forward = Spell(result, false), back = Spell(result, true);
  StartSolved(document.cube.size);
  Play(forward.moves + " " + forward.rotation);
  EXPECT_EQ(UsedCells(), pattern) << forward.moves << " " << forward.rotation;
  StartSolved(document.cube.size);
  Play(forward.moves + " " + forward.rotationTurns);
  EXPECT_EQ(UsedCells(), pattern) << forward.moves << " " << forward.rotationTurns;
  StartSolved(document.cube.size);
  ApplyBlockMoves(document.cube, result.alg, static_cast<size_t>(result.algCount));
  EXPECT_EQ(UsedCells(), pattern) << "the answer's block moves";
  StartSolved(document.cube.size);
  const std::vector<int32_t> solved = UsedCells();
  Restore(pattern);
  Play(back.rotation + " " + back.moves);
  EXPECT_EQ(UsedCells(), solved) << back.rotation << " " << back.moves;
  Restore(pattern);
  return result;
}

TEST(SolveCorners, TheTablesHoldTheKnownDistances) {
  // The published counts of 2×2×2 positions by distance, one corner held fixed: at most 11 face turns,
  // at most 14 quarter turns.
  const int faceTurns[kMaxCornerDistance] = {1,      9,       54,     321,  1847, 9992, 50136, 227536,
                                             870072, 1887748, 623800, 2644, 0,    0,    0};
  const int quarterTurns[kMaxCornerDistance] = {1,      6,      27,     120,     534,    2256,  8969, 33058,
                                                114149, 360508, 930588, 1350852, 782536, 90280, 276};
  int counts[kMaxCornerDistance];
  CornerQuarterTurnCounts(counts);
  for (int d = 0; d < kMaxCornerDistance; ++d) {
    EXPECT_EQ(CornerDistanceCounts()[d], faceTurns[d]) << "face turns " << d;
    EXPECT_EQ(counts[d], quarterTurns[d]) << "quarter turns " << d;
  }
}

TEST(SolveCorners, AnswersReplayAndAreAsShortAsTheTableSays) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    Scramble(2, seed, 30);
    const SolveResult result = SolveAndReplay(1.0);
    EXPECT_TRUE(result.optimal);
    EXPECT_LE(result.lengthBtm, 11);
    EXPECT_GE(result.lengthQbtm, result.lengthBtm);
  }
  // One quarter turn away, and after a rotation alone, the answers are that short.
  StartSolved(2);
  QuarterTurnU(document.cube);
  EXPECT_EQ(SolveAndReplay(1.0).lengthBtm, 1);
  StartSolved(2);
  RotateUp(document.cube);
  const SolveResult rotated = SolveAndReplay(1.0);
  EXPECT_EQ(rotated.lengthBtm, 0);
  EXPECT_EQ(Spell(rotated, false).rotation, "<Up>");
}

TEST(SolveEdgesAndCorners, AnswersReplayWithinTwentyFaceTurns) {
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    Scramble(3, seed, 60);
    const SolveResult result = SolveAndReplay(0.05);
    EXPECT_LE(result.lengthBtm, 20);
    EXPECT_GE(result.lengthQbtm, result.lengthBtm);
  }
  StartSolved(3);
  TurnLayer(document.cube, 3, 1);
  TurnLayer(document.cube, 0, 2);
  const SolveResult two = SolveAndReplay(1.0);
  EXPECT_EQ(two.lengthBtm, 2);
  EXPECT_EQ(two.lengthQbtm, 3);
  EXPECT_TRUE(two.optimal);
  // Seen after a rotation, the same two turns, then the rotation.
  RotateLeft(document.cube);
  RotateUp(document.cube);
  const SolveResult rotated = SolveAndReplay(1.0);
  EXPECT_EQ(rotated.lengthBtm, 2);
  EXPECT_NE(Spell(rotated, false).rotation, "");
}

TEST(SolveEdgesAndCorners, TheSuperflipTakesTwenty) {
  StartSolved(3);
  // Every edge flipped in place, nothing else moved.
  Play("U R2 F B R B2 R U2 L B2 R U' D' R2 F R' L B2 U2 F2");
  const SolveResult result = SolveAndReplay(0.5);
  EXPECT_EQ(result.lengthBtm, 20);
}

// A clock the tests move: each reading a tick after the one before (a power of two, so sums are exact).
const double kTick = 1.0 / 1024;
double clockReading = 0;
double TickingClock() { return clockReading += kTick; }

TEST(SolveEdgesAndCorners, TheTimeLimitIsHeldOnTheClockGiven) {
  Scramble(3, 99, 80);
  // Without a limit the search ends at its first answer: the solver reads the clock as it starts and
  // as it ends.
  SolveResult first, limited;
  SolvePattern(document.cube, Limit(0, TickingClock), &first);
  EXPECT_EQ(first.seconds, kTick);
  // With a limit the search reads the clock every so many positions and stops at the first reading past
  // it.
  SolvePattern(document.cube, Limit(50 * kTick, TickingClock), &limited);
  ASSERT_TRUE(first.solved);
  ASSERT_TRUE(limited.solved);
  EXPECT_EQ(limited.seconds, 52 * kTick);
  EXPECT_LE(limited.lengthBtm, first.lengthBtm);
  EXPECT_LE(limited.lengthBtm, 20);
  EXPECT_FALSE(limited.optimal);
  // Without a limit, a pattern a few turns from solved still gets its fewest, known as such.
  StartSolved(3);
  Play("R U F' D2 L");
  const SolveResult near = SolveAndReplay(0);
  EXPECT_EQ(near.lengthBtm, 5);
  EXPECT_TRUE(near.optimal);
}

TEST(SolveEdgesAndCorners, SymmetricPatternsStillGetTheFewest) {
  // Patterns that rotations about an axis leave as they are, where the search skips moves those
  // rotations exchange: the checkerboard, and opposite faces turned.
  const struct {
    const char* moves;
    int fewest;
  } cases[] = {{"U2 D2 F2 B2 L2 R2", 6}, {"U D'", 2}, {"R2 L2", 2}, {"U D' R L' F B' U D'", 8}};
  for (const auto& c : cases) {
    StartSolved(3);
    Play(c.moves);
    const SolveResult result = SolveAndReplay(2.0);
    EXPECT_EQ(result.lengthBtm, c.fewest) << c.moves;
    EXPECT_TRUE(result.optimal) << c.moves;
  }
}

TEST(SolveEdgesAndCorners, FirstAnswersReplayWithinTwentyFaceTurns) {
  // Many patterns to their first answer alone, so turns made before the pattern and their joining
  // to the second phase are exercised as well as the plain search.
  for (uint32_t seed = 100; seed < 140; ++seed) {
    Scramble(3, seed, 50);
    EXPECT_LE(SolveAndReplay(0).lengthBtm, 20) << "seed " << seed;
  }
}

TEST(SolveTables, DistancesReadBackAlongRandomWalks) {
  ReadySearchTables();
  const SearchTables& t = searchTables;
  Lcg lcg{7};
  // From solved, a walk of k turns is at most k from solved in every table, and one turn changes a
  // distance by at most one.
  for (int walk = 0; walk < 20; ++walk) {
    int twist = 0, flip = 0, slice = t.solvedSlice, corner = 0, ud = 0, slicePerm = 0;
    int before[5] = {};
    for (int step = 1; step <= 14; ++step) {
      const int m = static_cast<int>(lcg.Next() % kMoves), k = static_cast<int>(lcg.Next() % kPhase2Moves);
      twist = t.twistMove[twist][m];
      flip = t.flipMove[flip][m];
      slice = t.sliceMove[slice][m];
      corner = t.cornerMove[corner][t.phase2Move[k]];
      ud = t.udMove[ud][k];
      slicePerm = t.slicePermMove[slicePerm][k];
      const int now[5] = {Distance(t.twistSlicePrune, TwistSliceIndex(twist, slice)),
                          Distance(t.flipSlicePrune, FlipSliceIndex(flip, slice)),
                          Distance(t.twistFlipPrune, TwistFlipIndex(twist, flip)),
                          Distance(t.cornerSlicePrune, CornerSliceIndex(corner, slicePerm)),
                          std::max(Distance(t.udSlicePrune, UdSliceIndex(ud, slicePerm)),
                                   Distance(t.udCombPrune, UdCombIndex(ud, t.combOf[corner])))};
      for (int table = 0; table < 5; ++table) {
        EXPECT_GE(now[table], 0) << "table " << table;
        EXPECT_LE(now[table], step) << "table " << table;
        EXPECT_LE(std::abs(now[table] - before[table]), 1) << "table " << table;
        before[table] = now[table];
      }
    }
  }
  // A permutation's inverse undoes it, so the second phase may read a position's inverse as well.
  int undone = 0;
  for (int code = 0; code < kPerms8; ++code) undone += t.inverse8[t.inverse8[code]] == code;
  EXPECT_EQ(undone, kPerms8);
  EXPECT_EQ(t.inverse8[0], 0);
  for (int code = 0; code < kPerms4; ++code) EXPECT_EQ(t.inverse4[t.inverse4[code]], code);
  // A quarter turn of U and its inverse: the U-D edges cycled one way, then the other.
  const int u = t.udMove[0][t.phase2Index[0]], uPrime = t.udMove[0][t.phase2Index[2]];
  EXPECT_NE(u, uPrime);
  EXPECT_EQ(t.inverse8[u], uPrime);
  // Solved is 0 away; a quarter turn of U moves the corners by an odd permutation, another combination.
  EXPECT_EQ(Distance(t.udCombPrune, UdCombIndex(0, t.combOf[0])), 0);
  EXPECT_NE(t.combOf[t.cornerMove[0][t.phase2Move[2]]], t.combOf[0]);
}

// Breadth-first distances over a * b positions (index first * b + second) from (startA, startB), written
// plainly, to hold the solver's tables against.
template <typename MoveA, typename MoveB>
std::vector<int> PlainDistances(int a, int b, int startA, int startB, int moves, MoveA moveA, MoveB moveB) {
  std::vector<int> distance(static_cast<size_t>(a) * b, -1), queue(1, startA * b + startB);
  distance[static_cast<size_t>(queue[0])] = 0;
  for (size_t at = 0; at < queue.size(); ++at)
    for (int m = 0; m < moves; ++m) {
      const int index = queue[at], next = moveA(index / b, m) * b + moveB(index % b, m);
      if (distance[static_cast<size_t>(next)] >= 0) continue;
      distance[static_cast<size_t>(next)] = distance[static_cast<size_t>(index)] + 1;
      queue.push_back(next);
    }
  return distance;
}

// Every position read through its class, against the plain distance; counts the ones that differ.
template <typename Read>
int Misread(const std::vector<int>& distance, int b, Read read) {
  int wrong = 0;
  for (size_t index = 0; index < distance.size(); ++index)
    wrong += read(static_cast<int>(index) / b, static_cast<int>(index) % b) != std::min(distance[index], 14);
  return wrong;
}

TEST(SolveTables, EveryDistanceReadThroughItsClassIsTheBreadthFirstOne) {
  ReadySearchTables();
  const SearchTables& t = searchTables;
  const auto twist = [&t](int c, int m) { return t.twistMove[c][m]; };
  const auto flip = [&t](int c, int m) { return t.flipMove[c][m]; };
  const auto slice = [&t](int c, int m) { return t.sliceMove[c][m]; };
  EXPECT_EQ(Misread(PlainDistances(kTwists, kSlices, 0, t.solvedSlice, kMoves, twist, slice), kSlices,
                    [&t](int a, int b) { return Distance(t.twistSlicePrune, TwistSliceIndex(a, b)); }),
            0);
  EXPECT_EQ(Misread(PlainDistances(kFlips, kSlices, 0, t.solvedSlice, kMoves, flip, slice), kSlices,
                    [&t](int a, int b) { return Distance(t.flipSlicePrune, FlipSliceIndex(a, b)); }),
            0);
  EXPECT_EQ(Misread(PlainDistances(kTwists, kFlips, 0, 0, kMoves, twist, flip), kFlips,
                    [&t](int a, int b) { return Distance(t.twistFlipPrune, TwistFlipIndex(a, b)); }),
            0);
  const auto corner = [&t](int c, int k) { return t.cornerMove[c][t.phase2Move[k]]; };
  const auto ud = [&t](int c, int k) { return t.udMove[c][k]; };
  const auto slicePerm = [&t](int c, int k) { return t.slicePermMove[c][k]; };
  EXPECT_EQ(Misread(PlainDistances(kPerms8, kPerms4, 0, 0, kPhase2Moves, corner, slicePerm), kPerms4,
                    [&t](int a, int b) { return Distance(t.cornerSlicePrune, CornerSliceIndex(a, b)); }),
            0);
  EXPECT_EQ(Misread(PlainDistances(kPerms8, kPerms4, 0, 0, kPhase2Moves, ud, slicePerm), kPerms4,
                    [&t](int a, int b) { return Distance(t.udSlicePrune, UdSliceIndex(a, b)); }),
            0);
  // The corners' combination moves as the permutations behind it do.
  std::vector<int> combMove(kCombs * kPhase2Moves);
  for (int c = 0; c < kPerms8; ++c)
    for (int k = 0; k < kPhase2Moves; ++k) combMove[t.combOf[c] * kPhase2Moves + k] = t.combOf[corner(c, k)];
  const auto comb = [&combMove](int c, int k) { return combMove[static_cast<size_t>(c * kPhase2Moves + k)]; };
  EXPECT_EQ(Misread(PlainDistances(kPerms8, kCombs, 0, t.combOf[0], kPhase2Moves, ud, comb), kCombs,
                    [&t](int a, int b) { return Distance(t.udCombPrune, UdCombIndex(a, b)); }),
            0);
}

TEST(SolveTables, EachSymmetryTurnsTheCoordinatesAsItTurnsTheMoves) {
  ReadySearchTables();
  const SearchTables& t = searchTables;
  SymmetryClasses classes;
  BuildSymmetryTables(&classes);
  EXPECT_EQ(classes.twists.size(), static_cast<size_t>(kTwistClasses));
  EXPECT_EQ(classes.flips.size(), static_cast<size_t>(kFlipClasses));
  EXPECT_EQ(classes.corners.size(), static_cast<size_t>(kCornerClasses));
  EXPECT_EQ(classes.uds.size(), static_cast<size_t>(kUdClasses));
  // Built along a tree of moves, the images must also agree along every other move, else a coordinate
  // would not survive the symmetry and the tables by class would misread it.
  int wrong = 0;
  for (int s = 0; s < kSymmetries; ++s)
    for (int m = 0; m < kMoves; ++m) {
      const int seen = SymmetryMove(s, m);
      for (int c = 0; c < kFlips; ++c)
        wrong += t.flipConj[s][t.flipMove[c][m]] != t.flipMove[t.flipConj[s][c]][seen] ||
                 t.flipConj[s][t.flipConj[s][c]] != c;
      for (int c = 0; c < kSlices; ++c)
        wrong += t.sliceConj[s][t.sliceMove[c][m]] != t.sliceMove[t.sliceConj[s][c]][seen] ||
                 t.sliceConj[s][t.sliceConj[s][c]] != c;
      const int k = t.phase2Index[m];
      if (k < 0) continue;
      for (int c = 0; c < kPerms4; ++c)
        wrong += t.slicePermConj[s][t.slicePermMove[c][k]] !=
                 t.slicePermMove[t.slicePermConj[s][c]][t.phase2Index[seen]];
    }
  EXPECT_EQ(wrong, 0);
  // A class's first member is its own image, and no image of any value comes before its class's first.
  for (size_t k = 0; k < classes.twists.size(); ++k)
    EXPECT_EQ(t.twistClass[classes.twists[k]], k * kSymmetries);
  for (size_t k = 0; k < classes.uds.size(); ++k) EXPECT_EQ(t.udClass[classes.uds[k]], k * kSymmetries);
  for (int c = 0; c < kFlips; ++c) {
    const int first = classes.flips[t.flipClass[c] / kSymmetries];
    EXPECT_EQ(t.flipConj[t.flipClass[c] % kSymmetries][c], first);
    for (int s = 0; s < kSymmetries; ++s) EXPECT_GE(t.flipConj[s][c], first);
  }
}

TEST(SolvePattern, RefusesWhatItCannotSolve) {
  StartSolved(3);
  // One corner twisted in place: no layer turns can do that.
  std::swap(document.cube.live[CellIndex(0, 2, 2)], document.cube.live[CellIndex(2, 0, 2)]);
  std::swap(document.cube.live[CellIndex(0, 2, 2)], document.cube.live[CellIndex(3, 0, 0)]);
  SyncCopies(document.cube);
  ReachabilityReport report;
  CheckReachable(document.cube, &report);
  ASSERT_FALSE(report.reachable);
  SolveResult result;
  SolvePattern(document.cube, Limit(1.0), &result);
  EXPECT_FALSE(result.solved);
  ASSERT_EQ(result.problemCount, report.problemCount);
  EXPECT_STREQ(result.problems[0], report.problems[0]);

  // Bigger cubes have their own solver now; a solved one needs no move.
  StartSolved(4);
  SolvePattern(document.cube, Limit(1.0), &result);
  EXPECT_TRUE(result.solved);
  EXPECT_EQ(result.algCount, 0);
  StartSolved(1);
  SolvePattern(document.cube, Limit(1.0), &result);
  EXPECT_FALSE(result.solved);
  EXPECT_NE(std::strstr(result.problems[0], "2x2x2 to 10x10x10"), nullptr);
  StartSolved(3);
}

TEST(SolvePattern, AFewTurnsNeedNoMoreAndAreKnownFewest) {
  // A search that skipped some order of turns would miss these short answers.
  for (int n = 2; n <= 3; ++n)
    for (uint32_t seed = 1; seed <= 30; ++seed) {
      StartSolved(n);
      Lcg lcg{seed};
      const int turns = 1 + static_cast<int>(seed % 6);
      for (int k = 0; k < turns; ++k)
        TurnLayer(document.cube, static_cast<int16_t>(lcg.Next() % 6),
                  static_cast<int16_t>(1 + lcg.Next() % 3));
      const SolveResult result = SolveAndReplay(1.0);
      EXPECT_LE(result.lengthBtm, turns) << "size " << n << " seed " << seed;
      EXPECT_TRUE(result.optimal);
    }
}

}  // namespace
