// Key dispatch: the two tables, the repaint after every command, unbound keys, and keys from inside a box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

class Dispatch : public FreshStartTest {
 protected:
  // Makes a pattern with no symmetry to hide a wrong operation, without the keys, and returns its cells.
  static std::vector<int32_t> MakeUnevenCube() {
    Apply({QuarterTurnU, QuarterTurnF, QuarterTurnR, TurnColumnSlice, QuarterTurnB});
    return UsedCells();
  }

  static void Press(bool keyDown, int code) {
    if (keyDown)
      HandleKeyDown(code);
    else
      HandleCharacter(code);
  }
};

struct Binding {
  bool keyDown;
  int code;
  Operation operation;
};

void PrintTo(const Binding& binding, std::ostream* out) {
  *out << (binding.keyDown ? "key-down " : "character ") << binding.code;
}

class BoundKey : public Dispatch, public ::testing::WithParamInterface<Binding> {};

TEST_P(BoundKey, RunsItsOperationOnceAndAsksForOneRepaint) {
  const std::vector<int32_t> start = MakeUnevenCube();
  Press(GetParam().keyDown, GetParam().code);
  const std::vector<int32_t> byKey = UsedCells();
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  Restore(start);
  GetParam().operation(document.cube);
  EXPECT_EQ(byKey, UsedCells());
  EXPECT_NE(byKey, start);
  EXPECT_EQ(recording.repaints, 1);
  EXPECT_EQ(recording.erasingRepaints, 0);
  EXPECT_EQ(recording.paintsNow, 0);
  EXPECT_TRUE(recording.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, BoundKey,
    ::testing::Values(Binding{false, 'u', QuarterTurnU}, Binding{false, 'd', QuarterTurnD},
                      Binding{false, 'f', QuarterTurnF}, Binding{false, 'b', QuarterTurnB},
                      Binding{false, 'l', QuarterTurnL}, Binding{false, 'r', QuarterTurnR},
                      Binding{false, '-', TurnColumnSlice}, Binding{false, '=', TurnRowSlice},
                      Binding{false, '\\', ReflectCentral}, Binding{false, '|', ReflectRightLeft},
                      Binding{true, kKeyLeft, RotateLeft}, Binding{true, kKeyUp, RotateUp},
                      Binding{true, kKeyRight, RotateRight}, Binding{true, kKeyDown, RotateDown},
                      // Characters missing from the character table fall through to the key-down one.
                      Binding{false, '&', RotateUp}, Binding{false, '\'', RotateRight},
                      Binding{false, '(', RotateDown}));

class UnboundKey : public Dispatch, public ::testing::WithParamInterface<std::pair<bool, int>> {};

TEST_P(UnboundKey, PaintsAtOnceAndRunsNothing) {
  const std::vector<int32_t> start = MakeUnevenCube();
  Press(GetParam().first, GetParam().second);
  EXPECT_EQ(UsedCells(), start);
  EXPECT_EQ(recording.paintsNow, 1);
  EXPECT_EQ(recording.repaints, 0);
  EXPECT_TRUE(recording.boxes.empty());
  EXPECT_TRUE(recording.chooserKinds.empty());
}

// Key-down codes are never looked up in the character table: 0x75 is F6, not "u".
INSTANTIATE_TEST_SUITE_P(Keys, UnboundKey,
                         ::testing::Values(std::make_pair(false, 'U'), std::make_pair(false, '5'),
                                           std::make_pair(false, ' '), std::make_pair(false, 'D'),
                                           std::make_pair(false, 0), std::make_pair(false, ')'),
                                           std::make_pair(false, '$'), std::make_pair(true, 0x10),
                                           std::make_pair(true, 0x0D), std::make_pair(true, 0x41),
                                           std::make_pair(true, 'u'), std::make_pair(true, '['),
                                           std::make_pair(true, '?'), std::make_pair(true, '*'),
                                           std::make_pair(true, 0x24), std::make_pair(true, 0x29)));

TEST_F(Dispatch, PercentCountsSymmetriesAndLeftArrowNeverDoes) {
  HandleCharacter('%');
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].title, "Symmetry");
  EXPECT_EQ(recording.boxes[0].text, "Total C:  1   Total M:  1  ");
  for (int face = 0; face < 6; ++face)
    EXPECT_EQ(document.cube.live[CellIndex(face, 1, 1)], face) << "rotated";

  HandleKeyDown(kKeyLeft);
  EXPECT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(document.cube.live[CellIndex(L, 1, 1)], 2);  // L shows what F showed
  EXPECT_EQ(recording.repaints, 2);
}

TEST_F(Dispatch, EveryOtherCharacterCommandAsksForExactlyOneRepaint) {
  for (char key : std::string("*?,m%[{")) {
    recording.repaints = 0;
    recording.paintsNow = 0;
    HandleCharacter(key);
    EXPECT_EQ(recording.repaints, 1) << key;
    EXPECT_EQ(recording.paintsNow, 0) << key;
  }
  // The help box, a symmetry box and two cancelled choosers.
  ASSERT_EQ(recording.boxes.size(), 4u);
  EXPECT_EQ(recording.boxes[0].title, "Help");
  EXPECT_EQ(recording.boxes[2].text, " No input file \n");
  EXPECT_EQ(recording.chooserKinds, (std::vector<FileKind>{kPatternFile, kMoveFile}));
}

TEST_F(Dispatch, KeysArrivingFromInsideABoxAreIgnored) {
  int nested = 0;
  recording.onMessage = [&] {
    ++nested;
    HandleCharacter('u');
    HandleCharacter('*');
    HandleCharacter('{');
    HandleCharacter('X');
    HandleKeyDown(kKeyLeft);
    HandleKeyDown(0x41);
  };
  HandleCharacter('?');
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_EQ(document.cube.live[CellIndex(L, 0, 0)], 1);
  EXPECT_EQ(recording.repaints, 1);
  EXPECT_EQ(recording.paintsNow, 0);
  EXPECT_TRUE(recording.chooserKinds.empty());

  // Inside the "Moves" box of a move file, after the moves were made.
  recording.answers.push_back(WriteTemp("dispatch_r.mov", "R"));
  HandleCharacter('{');
  EXPECT_EQ(recording.chooserKinds.size(), 1u);
  EXPECT_EQ(recording.boxes.size(), 2u);
  EXPECT_EQ(document.cube.live[CellIndex(U, 0, 2)], 2);  // R brought F's colour up, and '*' did not undo it
  EXPECT_EQ(document.cube.live[CellIndex(L, 0, 0)], 1);  // and neither 'u' nor Left ran
  EXPECT_EQ(recording.repaints, 2);
  EXPECT_EQ(recording.paintsNow, 0);

  // Once the command is over, keys work again.
  recording.onMessage = nullptr;
  HandleCharacter('*');
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
}

TEST_F(Dispatch, ResetAfterAFiveCubePatternGivesTheSolvedFiveCube) {
  auto colour = [](int face, int row, int column) { return ((face * 25 + row * 5 + column) * 7 + 3) % 6; };
  LoadFromMemory([](TextStream* stream) { LoadPatternFile(stream, ""); }, PatternFileBytes(5, colour));
  ASSERT_EQ(document.cube.size, 5);
  ASSERT_EQ(CheckSolved(document.cube.size, document.cube.live), -1);
  document.layout.cellWidth = 21;
  document.layout.faceBaseHeight = 40;
  const std::string log = LogBytes();

  HandleCharacter('*');
  EXPECT_EQ(document.cube.size, 5);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < 5; ++row)
      for (int column = 0; column < 5; ++column)
        ASSERT_EQ(document.cube.live[CellIndex(face, row, column)], face);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  EXPECT_EQ(document.layout.cellWidth, 15);
  EXPECT_EQ(document.layout.cellHeight, 16);
  EXPECT_EQ(document.layout.faceBaseWidth, 32);
  EXPECT_EQ(document.layout.faceBaseHeight, 38);
  EXPECT_EQ(document.layout.columnX[F][0], 81);     // 15 * 5 + 2 + 4
  EXPECT_EQ(document.layout.rowY[D][4], 172 + 64);  // 2 * (16 * 5 + 6) + 4 * 16
  EXPECT_EQ(LogBytes(), log);
  EXPECT_EQ(recording.repaints, 1);
}

}  // namespace
