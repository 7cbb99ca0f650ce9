// Undo and redo of every command, the history's bounds, and editing facelets by hand and by click.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

struct CubeView {
  int size;
  std::vector<int32_t> cells;
  bool operator==(const CubeView& other) const { return size == other.size && cells == other.cells; }
};

CubeView Now() {
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  return {document.cube.size, UsedCells()};
}

class History : public FreshStartTest {
 protected:
  // A few turns through the keys, so an undo has somewhere to land that is not solved.
  void Turn() {
    for (char key : std::string("ufr-b")) HandleCharacter(key);
  }
};

struct KeyCase {
  const char* name;
  bool keyDown;
  int code;
  int size;
};

void PrintTo(const KeyCase& key, std::ostream* out) { *out << key.name << " at " << key.size; }

class UndoKey : public History, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(UndoKey, UndoGivesBackTheStateBeforeAndRedoTheStateAfter) {
  const KeyCase& key = GetParam();
  StartFresh(recording, static_cast<int16_t>(key.size));
  Turn();
  document.replaySwitch = 1;
  if (key.code == '[')
    recording.answers.push_back(
        // Cases run as parallel processes: each writes a file of its own.
        WriteTemp("history_other_" + std::to_string(key.size) + ".q",
                  PatternFileBytes(key.size + 1, [](int f, int r, int c) { return (f + r + 2 * c) % 6; })));
  if (key.code == '{') recording.answers.push_back(WriteTemp("history_moves.mov", "F R2 D' L"));
  const CubeView before = Now();
  key.keyDown ? HandleKeyDown(key.code) : HandleCharacter(key.code);
  const CubeView after = Now();
  ASSERT_FALSE(after == before);
  ASSERT_TRUE(UndoStep());
  EXPECT_TRUE(Now() == before);
  EXPECT_TRUE(CanRedo(document.history, document.cube));
  ASSERT_TRUE(RedoStep());
  EXPECT_TRUE(Now() == after);
  EXPECT_FALSE(CanRedo(document.history, document.cube));
  // The turns before it are steps of their own: five more undos reach the start, and no further.
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(UndoStep());
  EXPECT_FALSE(UndoStep());
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_EQ(document.cube.size, key.size);
}

INSTANTIATE_TEST_SUITE_P(
    BothTables, UndoKey,
    ::testing::Values(KeyCase{"u", false, 'u', 3}, KeyCase{"d", false, 'd', 3}, KeyCase{"f", false, 'f', 3},
                      KeyCase{"b", false, 'b', 3}, KeyCase{"l", false, 'l', 3}, KeyCase{"r", false, 'r', 3},
                      KeyCase{"column slice", false, '-', 3}, KeyCase{"row slice", false, '=', 3},
                      KeyCase{"reset", false, '*', 3}, KeyCase{"central", false, '\\', 3},
                      KeyCase{"right-left", false, '|', 3}, KeyCase{"scramble", false, ',', 3},
                      KeyCase{"scramble", false, ',', 4}, KeyCase{"long scramble", false, 'm', 3},
                      KeyCase{"long scramble", false, 'm', 4}, KeyCase{"pattern", false, '[', 3},
                      KeyCase{"pattern", false, '[', 9}, KeyCase{"moves", false, '{', 3},
                      KeyCase{"left", true, kKeyLeft, 3}, KeyCase{"up", true, kKeyUp, 3},
                      KeyCase{"right", true, kKeyRight, 3}, KeyCase{"down", true, kKeyDown, 3}));

// "%" turns the cube to its normal orientation on some sizes and leaves it on others: one step or none.
TEST_F(History, SymmetryCountIsAStepExactlyWhenItTurnsTheCube) {
  std::vector<int> turnedAt;
  for (int n : {2, 3, 4, 5}) {
    SCOPED_TRACE(n);
    StartFresh(recording, static_cast<int16_t>(n));
    Turn();
    HandleCharacter(kKeyUp);
    const CubeView before = Now();
    for (int k = 0; k < 6; ++k) UndoStep();
    for (int k = 0; k < 6; ++k) RedoStep();
    ASSERT_TRUE(Now() == before);
    HandleCharacter('%');
    const CubeView after = Now();
    ASSERT_TRUE(UndoStep());
    if (after == before) {
      EXPECT_FALSE(Now() == before);  // the undo took back the arrow key instead
    } else {
      turnedAt.push_back(n);
      EXPECT_TRUE(Now() == before);
      EXPECT_TRUE(RedoStep());
      EXPECT_TRUE(Now() == after);
    }
  }
  // Even sizes always turn here, so both kinds of "%" were seen.
  EXPECT_EQ(std::count(turnedAt.begin(), turnedAt.end(), 2) + std::count(turnedAt.begin(), turnedAt.end(), 4),
            2);
  EXPECT_LT(turnedAt.size(), 4u);
}

TEST_F(History, CommandsThatChangeNothingRecordNothing) {
  HandleCharacter('?');
  HandleCharacter('*');
  HandleCharacter('[');  // cancelled
  EXPECT_FALSE(CanUndo(document.history, document.cube));
  HandleCharacter('u');
  HandleCharacter('?');
  for (int k = 0; k < 4; ++k) HandleCharacter('|');  // back where it was, one step each
  ASSERT_TRUE(UndoStep());
  HandleCharacter('|');
  for (int k = 0; k < 5; ++k) EXPECT_TRUE(UndoStep());
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_FALSE(CanUndo(document.history, document.cube));
}

TEST_F(History, ANewStepAfterAnUndoDropsTheRedoSteps) {
  HandleCharacter('u');
  const CubeView afterU = Now();
  HandleCharacter('f');
  HandleCharacter('r');
  UndoStep();
  UndoStep();
  EXPECT_TRUE(CanRedo(document.history, document.cube));
  HandleCharacter('l');
  EXPECT_FALSE(CanRedo(document.history, document.cube));
  EXPECT_FALSE(RedoStep());
  ASSERT_TRUE(UndoStep());
  EXPECT_TRUE(Now() == afterU);
}

TEST_F(History, WhenFullTheOldestStepIsDropped) {
  for (int k = 0; k < 300; ++k) HandleCharacter(k % 2 ? 'f' : 'u');
  int undone = 0;
  while (UndoStep()) ++undone;
  EXPECT_EQ(undone, kHistorySteps);
  const CubeView oldest = Now();
  StartFresh(recording);
  for (int k = 0; k < 300 - kHistorySteps; ++k) (k % 2 ? QuarterTurnF : QuarterTurnU)(document.cube);
  EXPECT_TRUE(Now() == oldest);
}

TEST_F(History, UndoLeavesTheGeneratorTheMoveLogAndTheReplaySwitchAlone) {
  recording.answers.push_back(WriteTemp("history_log.mov", "F R2 D' B"));
  HandleCharacter('{');
  HandleCharacter(',');
  document.replaySwitch = 1;
  const uint32_t random = document.random.state;
  const std::string log = LogBytes();
  while (UndoStep()) {
  }
  while (RedoStep()) {
  }
  UndoStep();
  EXPECT_EQ(document.random.state, random);
  EXPECT_EQ(LogBytes(), log);
  EXPECT_EQ(document.replaySwitch, 1);
}

// The squares' positions at the current size.
std::vector<int> Layout() {
  std::vector<int> positions;
  for (int face = 0; face < 6; ++face)
    for (int k = 0; k < document.cube.size; ++k)
      positions.insert(positions.end(), {document.layout.columnX[face][k], document.layout.rowY[face][k]});
  return positions;
}

TEST_F(History, UndoAcrossASizeLaysTheNetOutAgainAndErasesOnce) {
  const std::vector<int> layout = Layout();
  recording.answers.push_back(
      WriteTemp("history_big.q", PatternFileBytes(7, [](int f, int, int) { return f; })));
  HandleCharacter('[');
  ASSERT_EQ(document.cube.size, 7);
  recording.repaints = recording.erasingRepaints = 0;
  RunUndo();
  EXPECT_EQ(document.cube.size, 3);
  EXPECT_EQ(Layout(), layout);
  EXPECT_EQ(recording.repaints, 1);
  EXPECT_EQ(recording.erasingRepaints, 1);
  RunUndo();  // nothing left: still a repaint, no erase
  EXPECT_EQ(recording.repaints, 2);
  EXPECT_EQ(recording.erasingRepaints, 1);
  RunRedo();
  EXPECT_EQ(document.cube.size, 7);
  EXPECT_EQ(recording.erasingRepaints, 2);
}

TEST_F(History, NoUndoFromInsideAnotherCommandAndNoneAfterStartUp) {
  HandleCharacter('u');
  const CubeView turned = Now();
  recording.onMessage = [] { RunUndo(); };
  HandleCharacter('?');
  recording.onMessage = nullptr;
  EXPECT_TRUE(Now() == turned);
  EXPECT_TRUE(CanUndo(document.history, document.cube));
  StartFresh(recording);
  EXPECT_FALSE(CanUndo(document.history, document.cube));
  EXPECT_FALSE(CanRedo(document.history, document.cube));
}

// The middle of a square; its painted area runs document.layout.cellWidth - 1 by document.layout.cellHeight -
// 1 pixels.
void Middle(Face face, int row, int column, int* x, int* y) {
  *x = document.layout.columnX[face][column] + (document.layout.cellWidth - 2) / 2;
  *y = document.layout.rowY[face][row] + 8 + (document.layout.cellHeight - 2) / 2;
}

class HitTest : public FreshStartTest, public ::testing::WithParamInterface<int> {};

TEST_P(HitTest, EverySquareIsHitAtItsMiddleAndEdgesAndTheGapsMiss) {
  const int n = GetParam();
  StartFresh(recording, static_cast<int16_t>(n));
  Face face;
  int row, column;
  for (Face f = 0; f < 6; ++f)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) {
        int x, y;
        Middle(f, j, k, &x, &y);
        ASSERT_TRUE(HitTestNet(x, y, &face, &row, &column));
        EXPECT_EQ(face * 100 + row * 10 + column, f * 100 + j * 10 + k);
        const int left = document.layout.columnX[f][k], top = document.layout.rowY[f][j] + 8;
        EXPECT_TRUE(HitTestNet(left, top, &face, &row, &column));
        EXPECT_TRUE(HitTestNet(left + document.layout.cellWidth - 2, top + document.layout.cellHeight - 2,
                               &face, &row, &column));
        EXPECT_FALSE(HitTestNet(left + document.layout.cellWidth - 1, y, &face, &row, &column));
        EXPECT_FALSE(HitTestNet(x, top + document.layout.cellHeight - 1, &face, &row, &column));
        EXPECT_FALSE(HitTestNet(left - 1, y, &face, &row, &column));
        EXPECT_FALSE(HitTestNet(x, top - 1, &face, &row, &column));
      }
  // Across the whole window, exactly the painted squares hit.
  int hits = 0;
  for (int y = -2; y < 3 * document.layout.rowY[D][0] / 2 + 40; ++y)
    for (int x = -2; x < document.layout.columnX[B][n - 1] + document.layout.cellWidth + 4; ++x)
      hits += HitTestNet(x, y, &face, &row, &column);
  EXPECT_EQ(hits, 6 * n * n * (document.layout.cellWidth - 1) * (document.layout.cellHeight - 1));
}

INSTANTIATE_TEST_SUITE_P(Sizes, HitTest, ::testing::Values(2, 3, 10));

TEST_F(FreshStartTest, EditSetsOneUsedCellInBothCopiesAsOneStep) {
  const CubeView solved = Now();
  EXPECT_FALSE(EditFacelet(U, 3, 0, 1));
  EXPECT_FALSE(EditFacelet(U, 0, -1, 1));
  EXPECT_FALSE(EditFacelet(6, 0, 0, 1));
  EXPECT_FALSE(EditFacelet(F, 1, 1, 6));
  EXPECT_FALSE(EditFacelet(F, 1, 1, -1));
  EXPECT_TRUE(Now() == solved);
  EXPECT_EQ(recording.repaints, 0);
  EXPECT_TRUE(EditFacelet(F, 1, 1, F));  // the colour it has: nothing to undo
  EXPECT_FALSE(CanUndo(document.history, document.cube));
  ASSERT_TRUE(EditFacelet(F, 2, 0, 5));
  EXPECT_EQ(document.cube.live[CellIndex(F, 2, 0)], 5);
  EXPECT_EQ(document.cube.shadow[CellIndex(F, 2, 0)], 5);
  EXPECT_EQ(recording.repaints, 2);
  ASSERT_TRUE(UndoStep());
  EXPECT_TRUE(Now() == solved);
  EXPECT_FALSE(CanUndo(document.history, document.cube));
}

TEST_F(FreshStartTest, ClicksCycleTheColoursForwardAndWithShiftBackwards) {
  int x, y;
  Middle(R, 2, 1, &x, &y);
  std::vector<int32_t> seen;
  for (int k = 0; k < 6; ++k) {
    ASSERT_TRUE(CycleFacelet(x, y, false));
    seen.push_back(document.cube.live[CellIndex(R, 2, 1)]);
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{4, 5, 0, 1, 2, 3}));
  seen.clear();
  for (int k = 0; k < 6; ++k) {
    ASSERT_TRUE(CycleFacelet(x, y, true));
    seen.push_back(document.cube.shadow[CellIndex(R, 2, 1)]);
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{2, 1, 0, 5, 4, 3}));
  ASSERT_TRUE(UndoStep());
  EXPECT_EQ(document.cube.live[CellIndex(R, 2, 1)], 4);
  EXPECT_FALSE(CycleFacelet(document.layout.columnX[R][1] + document.layout.cellWidth - 1, y, false));
  EXPECT_FALSE(CycleFacelet(-5, -5, true));
}

}  // namespace
