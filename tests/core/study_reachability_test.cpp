// The reachability check against real cubes: what turns, rotations and reflections make passes, and
// each classic impossible pattern fails with its own words.
#include <gtest/gtest.h>

#include <string>

#include "study/pieces.h"
#include "study/reachability.h"
#include "support/cube_helpers.h"

namespace {

std::string Problems() {
  ReachabilityReport report;
  CheckReachable(document.cube, &report);
  std::string lines;
  for (int k = 0; k < report.problemCount; ++k) lines += std::string(report.problems[k]) + "\n";
  EXPECT_EQ(report.reachable, lines.empty()) << lines;
  return lines;
}

const Piece& PieceAt(int x, int y, int z) {
  const PieceSet& set = PiecesOf(document.cube.size);
  for (int k = 0; k < set.count; ++k)
    if (set.pieces[k].x == x && set.pieces[k].y == y && set.pieces[k].z == z) return set.pieces[k];
  ADD_FAILURE() << "no piece at " << x << y << z;
  return set.pieces[0];
}

void SetCell(int cell, int32_t colour) { document.cube.live[cell] = document.cube.shadow[cell] = colour; }

// Each facelet to the next in the piece's order: for a corner, a clockwise twist.
void TurnPiece(const Piece& piece) {
  const int32_t last = document.cube.live[piece.cells[piece.count - 1]];
  for (int k = piece.count - 1; k > 0; --k) SetCell(piece.cells[k], document.cube.live[piece.cells[k - 1]]);
  SetCell(piece.cells[0], last);
}

void SwapPieces(const Piece& a, const Piece& b) {
  for (int k = 0; k < a.count; ++k) {
    const int32_t held = document.cube.live[a.cells[k]];
    SetCell(a.cells[k], document.cube.live[b.cells[k]]);
    SetCell(b.cells[k], held);
  }
}

const Operation kEveryOperation[] = {
    QuarterTurnU, QuarterTurnL, QuarterTurnF, QuarterTurnR, QuarterTurnB,   QuarterTurnD,    HalfTurnU,
    HalfTurnL,    HalfTurnF,    HalfTurnR,    HalfTurnB,    HalfTurnD,      TurnColumnSlice, TurnRowSlice,
    RotateLeft,   RotateUp,     RotateRight,  RotateDown,   ReflectCentral, ReflectRightLeft};

void Scramble(Lcg* lcg, int moves) {
  for (int k = 0; k < moves; ++k) kEveryOperation[lcg->Next() % 20](document.cube);
}

// The mirror image of the pattern: ReflectRightLeft without its recolouring.
void Mirror() {
  ReflectRightLeft(document.cube);
  Recolour(document.cube, 0, 3, 2, 4, 5, 1);
}

TEST(Reachability, EveryTurnRotationAndReflectionKeepsThePatternReachable) {
  for (int n = 1; n <= kMaxSize; ++n) {
    StartSolved(n);
    EXPECT_EQ(Problems(), "") << "solved " << n;
    Lcg lcg{static_cast<uint32_t>(n)};
    for (int step = 0; step < 150; ++step) {
      Scramble(&lcg, 1 + step % 3);
      ASSERT_EQ(Problems(), "") << "size " << n << " step " << step;
    }
  }
}

TEST(Reachability, LeavesTheCubeAsItWas) {
  StartSolved(5);
  Lcg lcg{7};
  Scramble(&lcg, 40);
  SetCell(CellIndex(F, 2, 2), 9);
  const std::vector<int32_t> before = UsedCells();
  const uint32_t generator = document.random.state;
  EXPECT_NE(Problems(), "");
  EXPECT_EQ(UsedCells(), before);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  EXPECT_EQ(document.cube.size, 5);
  EXPECT_EQ(document.random.state, generator);
}

TEST(Reachability, MirrorImagesShowTheMirroredSchemeAndNothingElse) {
  for (int n = 2; n <= kMaxSize; ++n) {
    StartSolved(n);
    Lcg lcg{static_cast<uint32_t>(100 + n)};
    Scramble(&lcg, 60);
    Mirror();
    EXPECT_EQ(Problems(), n % 2 ? "the centres show a mirror image of the colour scheme\n"
                                : "the corners show a mirror image of the colour scheme\n")
        << n;
  }
  // The rest is measured against the mirrored scheme.
  StartSolved(3);
  Mirror();
  TurnPiece(PieceAt(2, 2, 2));
  EXPECT_EQ(Problems(),
            "the centres show a mirror image of the colour scheme\n"
            "one corner is twisted clockwise (the corner of U, F and R)\n");
}

TEST(Reachability, TwistedCorners) {
  for (int n = 2; n <= 5; ++n) {
    StartSolved(n);
    TurnPiece(PieceAt(n - 1, n - 1, n - 1));
    EXPECT_EQ(Problems(), "one corner is twisted clockwise (the corner of U, F and R)\n") << n;
    TurnPiece(PieceAt(n - 1, n - 1, n - 1));
    EXPECT_EQ(Problems(), "one corner is twisted anticlockwise (the corner of U, F and R)\n") << n;
  }
  // Named where it is shown after a whole-cube turn; after layer turns only the sum is left.
  StartSolved(3);
  TurnPiece(PieceAt(2, 2, 2));
  RotateLeft(document.cube);
  EXPECT_EQ(Problems(), "one corner is twisted clockwise (the corner of U, F and L)\n");
  Lcg lcg{3};
  Scramble(&lcg, 30);
  const std::string after = Problems();
  EXPECT_TRUE(after.rfind("one corner is twisted", 0) == 0 ||
              after.rfind("the corners' twists add up", 0) == 0)
      << after;
  // Two opposite twists cancel.
  StartSolved(4);
  TurnPiece(PieceAt(3, 3, 3));
  TurnPiece(PieceAt(0, 0, 0));
  TurnPiece(PieceAt(0, 0, 0));
  EXPECT_EQ(Problems(), "");
}

TEST(Reachability, FlippedEdgesAndLoneSwaps) {
  StartSolved(3);
  TurnPiece(PieceAt(1, 2, 2));
  EXPECT_EQ(Problems(), "an edge is flipped (the edge of U and F)\n");
  TurnPiece(PieceAt(1, 0, 0));
  EXPECT_EQ(Problems(), "") << "two flips";

  StartSolved(3);
  SwapPieces(PieceAt(2, 2, 2), PieceAt(0, 2, 2));
  EXPECT_EQ(Problems(),
            "two corners would have to swap alone (the corners of U, F and L and of U, F and R)\n");
  SwapPieces(PieceAt(1, 2, 2), PieceAt(2, 2, 1));
  EXPECT_EQ(Problems(), "") << "a corner swap with an edge swap";
  StartSolved(5);
  SwapPieces(PieceAt(2, 4, 4), PieceAt(4, 4, 2));
  EXPECT_EQ(Problems(), "two edges would have to swap alone (the edges of U and R and of U and F)\n");
  // Without fixed centres a corner swap is a matter of inner layers.
  for (int n : {2, 4}) {
    StartSolved(n);
    SwapPieces(PieceAt(n - 1, n - 1, n - 1), PieceAt(0, n - 1, n - 1));
    EXPECT_EQ(Problems(), "") << n;
  }
}

TEST(Reachability, WingsSwapButNeverFlip) {
  StartSolved(4);
  SwapPieces(PieceAt(1, 3, 3), PieceAt(2, 3, 3));
  EXPECT_EQ(Problems(), "") << "swapped across the edge";
  TurnPiece(PieceAt(1, 3, 3));
  EXPECT_EQ(Problems(), "a wing is flipped (a wing of U and F)\n");
  StartSolved(6);
  TurnPiece(PieceAt(5, 5, 2));
  EXPECT_EQ(Problems(), "a wing is flipped (a wing of U and R, second from a corner)\n");
  StartSolved(5);
  SwapPieces(PieceAt(1, 4, 4), PieceAt(4, 4, 3));
  EXPECT_EQ(Problems(), "") << "wings of two edges";
  SwapPieces(PieceAt(1, 4, 4), PieceAt(4, 4, 3));
  SwapPieces(PieceAt(1, 4, 4), PieceAt(4, 4, 1));
  EXPECT_EQ(Problems(), "a wing is flipped (a wing of U and F)\na wing is flipped (a wing of U and R)\n")
      << "a wing's mirror place";
}

TEST(Reachability, CentresOfOneColourAreInterchangeable) {
  for (int n : {4, 5, 7}) {
    StartSolved(n);
    // A U centre traded with an F centre is a three-cycle through a second U centre.
    for (int row = 1; row < n - 1; ++row)
      for (int column = 1; column < n - 1; ++column) {
        if (n % 2 && row == n / 2 && column == n / 2) continue;
        const int u = CellIndex(U, row, column), f = CellIndex(F, row, column);
        const int32_t held = document.cube.live[u];
        SetCell(u, document.cube.live[f]);
        SetCell(f, held);
        ASSERT_EQ(Problems(), "") << n << " " << row << column;
      }
  }
  StartSolved(4);
  SetCell(CellIndex(U, 1, 1), 1);
  SetCell(CellIndex(L, 0, 0), 0);
  EXPECT_EQ(
      Problems(),
      "a corner shows white, white and green, which no corner of a cube shows (the corner of U, B and L)\n"
      "no corner shows white, red and green\n"
      "the centres show 3 white squares and 5 red ones; each colour needs four\n");
}

TEST(Reachability, ColourCountsAndCentreSchemes) {
  StartSolved(3);
  SetCell(CellIndex(L, 1, 1), 0);
  std::string problems = Problems();
  EXPECT_EQ(problems.find("there are 10 white squares and 8 red ones; each colour needs 9\n"), 0u)
      << problems;
  EXPECT_NE(problems.find("the centres of U and L both show white\n"), std::string::npos);
  EXPECT_NE(problems.find("no centre shows red\n"), std::string::npos);
  SetCell(CellIndex(L, 1, 1), 77);
  EXPECT_EQ(Problems().find("1 square shows no colour of the six\n"), 0u);

  StartSolved(3);
  SetCell(CellIndex(L, 1, 1), 3);
  SetCell(CellIndex(R, 1, 1), 1);
  EXPECT_EQ(Problems().find("the centres show a mirror image of the colour scheme\n"), 0u);
  StartSolved(3);
  SetCell(CellIndex(U, 1, 1), 2);
  SetCell(CellIndex(F, 1, 1), 0);
  EXPECT_EQ(
      Problems().find("the centres put yellow opposite blue and white opposite green; a real cube pairs "
                      "white with blue, red with orange and yellow with green\n"),
      0u);
}

TEST(Reachability, AnyColouringIsAnsweredWithinTheReport) {
  Lcg lcg{12345};
  for (int n = 1; n <= kMaxSize; ++n) {
    int reachable = 0;
    for (int trial = 0; trial < 200; ++trial) {
      StartSolved(n);
      // Half the trials keep every colour's count by shuffling the solved squares.
      std::vector<int32_t> cells = UsedCells();
      for (size_t k = cells.size() - 1; k > 0; --k)
        std::swap(cells[k], cells[static_cast<size_t>(lcg.Next()) % (k + 1)]);
      if (trial % 2)
        for (int32_t& cell : cells) cell = lcg.Next() % 8 - 1;
      Restore(cells);
      ReachabilityReport report;
      CheckReachable(document.cube, &report);
      ASSERT_GE(report.problemCount, report.reachable ? 0 : 1);
      ASSERT_LE(report.problemCount, kMaxReachProblems);
      // Every line whole: worded, and short of the room it has.
      for (int k = 0; k < report.problemCount; ++k) {
        const size_t length = std::string(report.problems[k]).size();
        ASSERT_GT(length, 10u);
        ASSERT_LT(length, static_cast<size_t>(kReachProblemLength - 1)) << report.problems[k];
      }
      reachable += report.reachable;
      EXPECT_EQ(UsedCells(), cells);
    }
    // One size-1 colouring in 30 of those that keep the counts is a rotation of the scheme.
    EXPECT_LE(reachable, n == 1 ? 15 : 1) << n;
  }
  // More problems than lines: the last line counts the rest.
  StartSolved(10);
  for (int cell = 0; cell < 100; ++cell) SetCell(CellIndex(F, cell / 10, cell % 10), 0);
  ReachabilityReport report;
  CheckReachable(document.cube, &report);
  ASSERT_EQ(report.problemCount, kMaxReachProblems);
  EXPECT_EQ(std::string(report.problems[kMaxReachProblems - 1]).find("and "), 0u);
  EXPECT_NE(std::string(report.problems[kMaxReachProblems - 1]).find(" more problems"), std::string::npos);
}

}  // namespace
