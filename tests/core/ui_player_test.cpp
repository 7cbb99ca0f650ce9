// The move player: the pattern at every position against the moves applied by the model, stepping both
// ways and jumping across kept patterns, the layers marked, the counts, the refusals and text offsets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/alg_notation.h"
#include "support/cube_helpers.h"
#include "ui/player/player.h"

namespace {

// Every used cell holds its own index, so that a pattern says where each facelet went.
Cube Labelled(int n) {
  Cube cube;
  MakeSolved(cube, n);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) {
        const int cell = CellIndex(face, row, column);
        cube.live[cell] = cube.shadow[cell] = cell;
      }
  return cube;
}

std::vector<int32_t> Used(const Cube& cube) {
  std::vector<int32_t> cells;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cube.size; ++row)
      for (int column = 0; column < cube.size; ++column)
        cells.push_back(cube.live[CellIndex(face, row, column)]);
  return cells;
}

std::vector<int32_t> Shown(const Player& player) {
  Cube cube;
  player.Pattern(&cube);
  EXPECT_EQ(cube.size, player.Size());
  EXPECT_EQ(CompareCubes(cube.size, cube.live, cube.shadow), 0) << "both copies agree";
  return Used(cube);
}

// Moves of every kind: single layers, outer and inner blocks, rotations, one to three quarter turns.
std::vector<BlockMove> RandomMoves(int n, size_t count, Lcg& lcg) {
  std::vector<BlockMove> moves;
  for (size_t k = 0; k < count; ++k) {
    int first = 1 + lcg.Next() % n, last = 1 + lcg.Next() % n;
    if (first > last) std::swap(first, last);
    if (lcg.Next() % 8 == 0) first = 1, last = n;
    moves.push_back({static_cast<int8_t>(lcg.Next() % 6), static_cast<int8_t>(first),
                     static_cast<int8_t>(last), static_cast<int8_t>(1 + lcg.Next() % 3)});
  }
  return moves;
}

Player Opened(const Cube& start, const std::vector<BlockMove>& moves,
              const std::vector<TextPlace>& places = {}) {
  Player player;
  std::string reason;
  EXPECT_TRUE(player.Open(start, moves, places, &reason)) << reason;
  return player;
}

TEST(Player, ThePatternAtEveryPositionIsTheMovesBeforeItAppliedToTheStart) {
  Lcg lcg{11};
  for (int n = 1; n <= kMaxSize; ++n) {
    // Past two kept patterns, and not a whole number of spacings.
    const std::vector<BlockMove> moves = RandomMoves(n, 2 * kPlayerSnapshotSpacing + 37, lcg);
    const Cube start = Labelled(n);
    Player player = Opened(start, moves);
    std::vector<std::vector<int32_t>> expected;
    Cube model = start;
    for (size_t k = 0;; ++k) {
      expected.push_back(Used(model));
      if (k == moves.size()) break;
      ApplyBlockMove(model, moves[k]);
    }
    const int64_t length = player.Length();
    ASSERT_EQ(length, static_cast<int64_t>(moves.size()));
    for (int64_t p = 0; p <= length; ++p) {
      ASSERT_EQ(player.Position(), p);
      ASSERT_EQ(Shown(player), expected[static_cast<size_t>(p)]) << "forward to " << p << " at " << n;
      const int64_t applied = player.MovesApplied();
      EXPECT_EQ(player.StepForward(), p < length);
      ASSERT_EQ(player.MovesApplied() - applied, p < length ? 1 : 0) << "a step is one move";
    }
    for (int64_t p = length; p >= 0; --p) {
      ASSERT_EQ(Shown(player), expected[static_cast<size_t>(p)]) << "back to " << p << " at " << n;
      EXPECT_EQ(player.StepBack(), p > 0);
    }
    // Jumps of every length, near and across kept patterns, and to either end: none walks more than
    // half the way between two kept patterns.
    for (int jump = 0; jump < 300; ++jump) {
      const int64_t target = jump % 10 == 0 ? lcg.Next() % 3 * length / 2 : lcg.Next() % (length + 1);
      const int64_t applied = player.MovesApplied();
      player.Seek(target);
      ASSERT_LE(player.MovesApplied() - applied, kPlayerSnapshotSpacing / 2) << "to " << target;
      ASSERT_EQ(Shown(player), expected[static_cast<size_t>(target)]) << "jump to " << target << " at " << n;
      // Back then forward returns the same pattern.
      if (player.StepBack()) player.StepForward();
      ASSERT_EQ(Shown(player), expected[static_cast<size_t>(target)]) << "back and on at " << target;
    }
    player.Seek(-5);
    EXPECT_EQ(player.Position(), 0);
    player.Seek(length + 5);
    EXPECT_EQ(player.Position(), length);
    EXPECT_EQ(Shown(player), expected.back());
  }
}

TEST(Player, ShowsTheStartsOwnColoursAndCellsItNeverUses) {
  Cube start;
  MakeSolved(start, 4);
  Lcg lcg{5};
  const std::vector<BlockMove> moves = RandomMoves(4, 50, lcg);
  start.live[CellIndex(U, 7, 7)] = start.shadow[CellIndex(U, 7, 7)] = 99;  // outside the 4x4 squares
  Player player = Opened(start, moves);
  player.Seek(50);
  Cube model = start;
  ApplyBlockMoves(model, moves.data(), moves.size());
  Cube shown;
  player.Pattern(&shown);
  EXPECT_EQ(CompareCubes(4, shown.live, model.live), 0);
  EXPECT_EQ(shown.live[CellIndex(U, 7, 7)], 99);
}

// The cells the model's turn moves, by their storage index.
CellMarks Moved(int n, const BlockMove& move) {
  Cube cube = Labelled(n);
  ApplyBlockMove(cube, move);
  CellMarks moved;
  for (int32_t cell : Used(Labelled(n)))
    if (cube.live[cell] != cell) moved.set(static_cast<size_t>(cell));
  return moved;
}

TEST(Player, MarksExactlyTheLayersTheNextMoveTurns) {
  for (int n = 1; n <= kMaxSize; ++n)
    for (int face = 0; face < 6; ++face)
      for (int first = 1; first <= n; ++first)
        for (int last = first; last <= n; ++last) {
          const BlockMove quarter = {static_cast<int8_t>(face), static_cast<int8_t>(first),
                                     static_cast<int8_t>(last), 1};
          const Player player = Opened(Labelled(n), {quarter, InverseBlockMove(quarter)});
          const CellMarks marks = player.NextMoveCells();
          // Each layer is a ring of 4n cells; a block with an outer layer takes that whole face too.
          const size_t outer = (first == 1) + (last == n);
          ASSERT_EQ(marks.count(), static_cast<size_t>((last - first + 1) * 4 * n) + outer * n * n)
              << n << " face " << face << " " << first << "-" << last;
          // No cell outside them moves under any turn of the block.
          for (int turns = 1; turns <= 3; ++turns) {
            BlockMove move = quarter;
            move.quarterTurns = static_cast<int8_t>(turns);
            EXPECT_TRUE((Moved(n, move) & ~marks).none())
                << n << " face " << face << " " << first << "-" << last;
          }
          // Every cell in them moves under a quarter turn, but for the middle of a turned odd face.
          CellMarks still = marks & ~Moved(n, quarter);
          if (n % 2 == 1) {
            static const Face kOpposite[] = {D, R, B, L, F, U};
            if (first == 1) {
              EXPECT_TRUE(still.test(CellIndex(face, n / 2, n / 2)));
            }
            if (last == n) {
              EXPECT_TRUE(still.test(CellIndex(kOpposite[face], n / 2, n / 2)));
            }
            still.reset(CellIndex(face, n / 2, n / 2));
            still.reset(CellIndex(kOpposite[face], n / 2, n / 2));
          }
          EXPECT_TRUE(still.none()) << n << " face " << face << " " << first << "-" << last;
        }
  Player player = Opened(Labelled(3), {{R, 1, 1, 1}});
  player.Seek(1);
  EXPECT_TRUE(player.NextMoveCells().none()) << "nothing is next at the end";
}

TEST(Player, CountsTheMovesBeforeAnyPositionAndInAll) {
  Lcg lcg{17};
  const int n = 6;
  const std::vector<BlockMove> moves = RandomMoves(n, 3 * kPlayerSnapshotSpacing + 5, lcg);
  const Player player = Opened(Labelled(n), moves);
  MoveCounts expected = {0, 0};
  for (size_t p = 0; p <= moves.size(); ++p) {
    const MoveCounts counts = player.CountsBefore(static_cast<int64_t>(p));
    ASSERT_EQ(counts.blockTurns, expected.blockTurns) << p;
    ASSERT_EQ(counts.outerBlockTurns, expected.outerBlockTurns) << p;
    if (p == moves.size()) break;
    expected.blockTurns += BlockTurns(moves[p], n);
    expected.outerBlockTurns += OuterBlockTurns(moves[p], n);
  }
  EXPECT_EQ(player.Totals().blockTurns, expected.blockTurns);
  EXPECT_EQ(player.Totals().outerBlockTurns, expected.outerBlockTurns);
  // Rotations count nothing, an inner block two outer ones.
  const Player known =
      Opened(Labelled(4), {{R, 1, 1, 1}, {R, 1, 4, 1}, {R, 2, 2, 2}, {R, 1, 2, 3}, {L, 2, 3, 1}});
  EXPECT_EQ(known.Totals().blockTurns, 4);
  EXPECT_EQ(known.Totals().outerBlockTurns, 6);
}

TEST(Player, RefusesWhatItCannotPlayInWordsAndKeepsItsSequence) {
  std::vector<BlockMove> three = {{R, 1, 1, 1}, {U, 1, 1, 2}, {F, 1, 1, 3}};
  Player player = Opened(Labelled(3), three);
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
      {3, {{R, 2, 1, 1}}, {}, "Move 1 of the sequence is no block of layers of a cube of size 3."},
      {3, {{6, 1, 1, 1}}, {}, "Move 1 of the sequence is no block of layers of a cube of size 3."},
      {3, {{R, 0, 1, 1}}, {}, "Move 1 of the sequence is no block of layers of a cube of size 3."},
      {3, {{R, 1, 1, 1}}, {{0, 1}, {2, 1}}, "The sequence has 1 moves but 2 places in its text."},
      {0, {}, {}, "There is no cube of size 0."},
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
  // The longest sequence is taken.
  std::string reason;
  EXPECT_TRUE(player.Open(Labelled(3), std::vector<BlockMove>(kMaxPlayerMoves, {R, 1, 1, 1}), {}, &reason));
  player.Seek(kMaxPlayerMoves - 1);
  Cube model = Labelled(3);
  ApplyBlockMove(model, {R, 1, 1, 3});
  EXPECT_EQ(Shown(player), Used(model));
}

TEST(Player, FindsTheMoveOfATextOffsetAndGoesThroughEachMoveOfAToken) {
  const std::string text = "(R U)2 F // R";
  std::vector<BlockMove> moves;
  std::vector<TextPlace> places;
  char reason[kTextCapacity];
  ASSERT_TRUE(ParseAlgPlaces(text.data(), text.size(), 3, &moves, &places, reason, sizeof reason));
  Player player = Opened(Labelled(3), moves, places);
  EXPECT_EQ(player.MoveAtTextOffset(3), 1) << "U";
  EXPECT_EQ(player.MoveAtTextOffset(7), 4) << "F";
  EXPECT_EQ(player.MoveAtTextOffset(1), 2) << "R is next already: its next move";
  player.Seek(2);
  EXPECT_EQ(player.MoveAtTextOffset(1), 0) << "round to the start";
  player.Seek(3);
  EXPECT_EQ(player.MoveAtTextOffset(1), 0);
  for (uint64_t offset : {0, 2, 4, 5, 6, 8, 12, 13, 1000})
    EXPECT_EQ(player.MoveAtTextOffset(offset), -1) << offset;
  TextPlace place;
  ASSERT_TRUE(player.NextPlace(&place));
  EXPECT_EQ(place.offset, 3u);
  BlockMove move;
  ASSERT_TRUE(player.NextMove(&move));
  EXPECT_EQ(move.face, U);
  player.Seek(5);
  EXPECT_FALSE(player.NextPlace(&place));
  EXPECT_FALSE(player.NextMove(&move));
  // Without places no offset finds a move.
  const Player unplaced = Opened(Labelled(3), moves);
  EXPECT_EQ(unplaced.MoveAtTextOffset(1), -1);
  EXPECT_FALSE(unplaced.NextPlace(&place));
}

}  // namespace
