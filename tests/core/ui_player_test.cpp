// The move player: the pattern at every position against the model's own turns, what stepping and
// jumping cost, the layers marked, the counts across kept patterns, refusals and clicks in the text.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "files/alg_notation.h"
#include "support/cube_helpers.h"
#include "ui/player/player.h"

namespace {

// Every used cell holds its own index, so that a pattern says where each facelet went.
Cube Labelled(int n) {
  Cube cube;
  MakeSolved(cube, n);
  for (int cell = 0; cell < kCellCount; ++cell) cube.live[cell] = cube.shadow[cell] = cell;
  return cube;
}

std::vector<int32_t> Used(const Cube& cube) {
  std::vector<int32_t> cells;
  for (int cell = 0; cell < kCellCount; ++cell)
    if (IsUsedCell(cell, cube.size)) cells.push_back(cube.live[cell]);
  return cells;
}

std::vector<int32_t> Shown(const Player& player) {
  Cube cube;
  player.Pattern(&cube);
  EXPECT_EQ(CompareCubes(cube.size, cube.live, cube.shadow), 0) << "both copies agree";
  return Used(cube);
}

Player Opened(int n, const std::vector<BlockMove>& moves, const std::vector<TextPlace>& places = {}) {
  Player player;
  std::string reason;
  EXPECT_TRUE(player.Open(Labelled(n), moves, places, &reason)) << reason;
  return player;
}

// Moves of every kind: single layers, outer and inner blocks, rotations, one to three quarter turns.
std::vector<BlockMove> RandomMoves(int n, int64_t count, Lcg& lcg) {
  std::vector<BlockMove> moves;
  for (int64_t k = 0; k < count; ++k) {
    int first = 1 + lcg.Next() % n, last = 1 + lcg.Next() % n;
    if (first > last) std::swap(first, last);
    if (lcg.Next() % 8 == 0) first = 1, last = n;
    moves.push_back({static_cast<int8_t>(lcg.Next() % 6), static_cast<int8_t>(first),
                     static_cast<int8_t>(last), static_cast<int8_t>(1 + lcg.Next() % 3)});
  }
  return moves;
}

TEST(Player, ThePatternAtEveryPositionIsTheMovesBeforeItTurnedByTheModel) {
  Lcg lcg{11};
  for (int n = 1; n <= kMaxSize; ++n) {
    // Past two kept patterns, and not a whole number of spacings.
    const std::vector<BlockMove> moves = RandomMoves(n, 2 * kPlayerSnapshotSpacing + 37, lcg);
    Player player = Opened(n, moves);
    std::vector<std::vector<int32_t>> expected;
    Cube model = Labelled(n);
    for (const BlockMove& move : moves) {
      expected.push_back(Used(model));
      ApplyBlockMove(model, move);
    }
    expected.push_back(Used(model));
    const int64_t length = player.Length();
    for (int64_t p = 0; p <= length; ++p) {
      ASSERT_EQ(Shown(player), expected[static_cast<size_t>(p)]) << "forward to " << p << " at " << n;
      const int64_t applied = player.MovesApplied();
      ASSERT_EQ(player.StepForward(), p < length);
      ASSERT_EQ(player.MovesApplied() - applied, p < length ? 1 : 0) << "a step is one move";
    }
    for (int64_t p = length; p >= 0; --p) {
      ASSERT_EQ(Shown(player), expected[static_cast<size_t>(p)]) << "back to " << p << " at " << n;
      ASSERT_EQ(player.StepBack(), p > 0);
    }
    // Jumps near and across kept patterns and to either end walk at most half the way between two.
    for (int jump = 0; jump < 300; ++jump) {
      const int64_t target = jump % 10 == 0 ? lcg.Next() % 3 * length / 2 : lcg.Next() % (length + 1);
      const int64_t applied = player.MovesApplied();
      player.Seek(target);
      ASSERT_LE(player.MovesApplied() - applied, kPlayerSnapshotSpacing / 2) << "to " << target;
      ASSERT_EQ(Shown(player), expected[static_cast<size_t>(target)]) << "jump to " << target << " at " << n;
    }
    player.Seek(length + 5);
    EXPECT_EQ(player.Position(), length);
  }
}

// The cells the model's turn moves.
CellMarks Moved(int n, const BlockMove& move) {
  Cube cube = Labelled(n);
  ApplyBlockMove(cube, move);
  CellMarks moved;
  for (int cell = 0; cell < kCellCount; ++cell) moved.set(static_cast<size_t>(cell), cube.live[cell] != cell);
  return moved;
}

TEST(Player, MarksExactlyTheLayersTheNextMoveTurns) {
  static const Face kOpposite[] = {D, R, B, L, F, U};
  for (int n = 1; n <= kMaxSize; ++n)
    for (int8_t face = 0; face < 6; ++face)
      for (int8_t first = 1; first <= n; ++first)
        for (int8_t last = first; last <= n; ++last) {
          const BlockMove move = {face, first, last, 1};
          const CellMarks marks = Opened(n, {move}).NextMoveCells();
          // A ring of 4n cells a layer, and a whole face for each outer layer.
          const size_t outer = (first == 1) + (last == n);
          ASSERT_EQ(marks.count(), static_cast<size_t>((last - first + 1) * 4 * n) + outer * n * n);
          // No cell outside them moves under any turn of the block; all inside move under a quarter
          // turn, but for the middle of a turned odd face.
          for (int8_t turns : {1, 2, 3}) ASSERT_TRUE((Moved(n, {face, first, last, turns}) & ~marks).none());
          CellMarks middles;
          if (n % 2 == 1 && first == 1) middles.set(CellIndex(face, n / 2, n / 2));
          if (n % 2 == 1 && last == n) middles.set(CellIndex(kOpposite[face], n / 2, n / 2));
          ASSERT_EQ(marks & ~Moved(n, move), middles)
              << n << " face " << int{face} << " " << int{first} << "-" << int{last};
        }
  Player player = Opened(3, {{R, 1, 1, 1}});
  player.Seek(1);
  EXPECT_TRUE(player.NextMoveCells().none()) << "nothing is next at the end";
}

TEST(Player, CountsTheMovesBeforeAnyPositionAcrossKeptPatterns) {
  Lcg lcg{17};
  const std::vector<BlockMove> moves = RandomMoves(6, 3 * kPlayerSnapshotSpacing + 5, lcg);
  const Player player = Opened(6, moves);
  MoveCounts expected = {0, 0};
  for (size_t p = 0; p <= moves.size(); ++p) {
    const MoveCounts counts = player.CountsBefore(static_cast<int64_t>(p));
    ASSERT_EQ(counts.blockTurns, expected.blockTurns) << p;
    ASSERT_EQ(counts.outerBlockTurns, expected.outerBlockTurns) << p;
    if (p == moves.size()) break;
    expected.blockTurns += BlockTurns(moves[p], 6);
    expected.outerBlockTurns += OuterBlockTurns(moves[p], 6);
  }
}

TEST(Player, RefusesWhatItCannotPlayInWordsAndKeepsItsSequence) {
  Player player = Opened(3, {{R, 1, 1, 1}, {U, 1, 1, 2}, {F, 1, 1, 3}});
  player.Seek(2);
  const std::vector<int32_t> before = Shown(player);
  const struct {
    int n;
    std::vector<BlockMove> moves;
    std::vector<TextPlace> places;
    const char* reason;
  } cases[] = {
      {3,
       std::vector<BlockMove>(kMaxPlayerMoves + 1, {R, 1, 1, 1}),
       {},
       "The sequence has 2000001 moves; at most 2000000 can be played."},
      {3,
       {{R, 1, 1, 1}, {R, 2, 4, 1}},
       {},
       "Move 2 of the sequence is no block of layers of a cube of size 3."},
      {3, {{R, 1, 1, 1}}, {{0, 1}, {2, 1}}, "The sequence has 1 moves but 2 places in its text."},
      {11, {}, {}, "There is no cube of size 11."},
  };
  for (const auto& c : cases) {
    Cube start = Labelled(3);
    start.size = static_cast<int16_t>(c.n);
    std::string reason;
    EXPECT_FALSE(player.Open(start, c.moves, c.places, &reason));
    EXPECT_EQ(reason, c.reason);
    EXPECT_EQ(player.Length(), 3);
    EXPECT_EQ(player.Position(), 2);
    EXPECT_EQ(Shown(player), before);
  }
  std::string reason;
  EXPECT_TRUE(player.Open(Labelled(3), std::vector<BlockMove>(kMaxPlayerMoves, {R, 1, 1, 1}), {}, &reason))
      << "the longest sequence is taken";
}

TEST(Player, FindsTheMoveOfATextOffsetAndGoesThroughEachMoveOfAToken) {
  const std::string text = "(R U)2 F // R";
  std::vector<BlockMove> moves;
  std::vector<TextPlace> places;
  char reason[kTextCapacity];
  ASSERT_TRUE(ParseAlgPlaces(text.data(), text.size(), 3, &moves, &places, reason, sizeof reason));
  Player player = Opened(3, moves, places);
  EXPECT_EQ(player.MoveAtTextOffset(3), 1) << "U";
  EXPECT_EQ(player.MoveAtTextOffset(7), 4) << "F";
  EXPECT_EQ(player.MoveAtTextOffset(1), 2) << "R is next already: its next move";
  player.Seek(3);
  EXPECT_EQ(player.MoveAtTextOffset(1), 0) << "round to the start";
  for (uint64_t offset : {0, 2, 4, 5, 6, 8, 12, 13, 1000})
    EXPECT_EQ(player.MoveAtTextOffset(offset), -1) << offset;
  TextPlace place;
  ASSERT_TRUE(player.NextPlace(&place));
  EXPECT_EQ(place.offset, 3u);
  player.Seek(5);
  EXPECT_FALSE(player.NextPlace(&place));
  EXPECT_EQ(Opened(3, moves).MoveAtTextOffset(1), -1) << "no places, no move";
}

}  // namespace
