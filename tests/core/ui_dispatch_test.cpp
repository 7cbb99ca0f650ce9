// Key dispatch: the two tables, the repaint after every command, unbound keys, and keys from inside a box.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/recording_platform.h"

namespace {

typedef void (*Operation)(CubeState, CubeState);

std::vector<int32_t> UsedCells() {
  std::vector<int32_t> cells;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cubeSize; ++row)
      for (int column = 0; column < cubeSize; ++column)
        cells.push_back(liveCube[CellIndex(face, row, column)]);
  return cells;
}

void Restore(const std::vector<int32_t>& cells) {
  size_t at = 0;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cubeSize; ++row)
      for (int column = 0; column < cubeSize; ++column) liveCube[CellIndex(face, row, column)] = cells[at++];
  CopyCube(liveCube, shadowCube);
}

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    StartFresh(recording);
    eraseOnRepaint = false;
  }

  // A pattern with no symmetry to hide a wrong operation, made without the keys.
  void MakeUnevenCube() {
    QuarterTurnU(liveCube, shadowCube);
    QuarterTurnF(liveCube, shadowCube);
    QuarterTurnR(liveCube, shadowCube);
    TurnColumnSlice(liveCube, shadowCube);
    QuarterTurnB(liveCube, shadowCube);
  }

  RecordingPlatform recording;
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
  MakeUnevenCube();
  const std::vector<int32_t> start = UsedCells();
  if (GetParam().keyDown)
    HandleKeyDown(GetParam().code);
  else
    HandleCharacter(GetParam().code);
  const std::vector<int32_t> byKey = UsedCells();
  EXPECT_EQ(CompareCubes(liveCube, shadowCube), 0);
  Restore(start);
  GetParam().operation(liveCube, shadowCube);
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
  MakeUnevenCube();
  const std::vector<int32_t> start = UsedCells();
  if (GetParam().first)
    HandleKeyDown(GetParam().second);
  else
    HandleCharacter(GetParam().second);
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
  for (int face = 0; face < 6; ++face) EXPECT_EQ(liveCube[CellIndex(face, 1, 1)], face) << "rotated";

  HandleKeyDown(kKeyLeft);
  EXPECT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(liveCube[CellIndex(L, 1, 1)], 2);  // L shows what F showed
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
  EXPECT_EQ(CheckSolved(liveCube), 0);
  EXPECT_EQ(liveCube[CellIndex(L, 0, 0)], 1);
  EXPECT_EQ(recording.repaints, 1);
  EXPECT_EQ(recording.paintsNow, 0);
  EXPECT_TRUE(recording.chooserKinds.empty());

  // Inside the "Moves" box of a move file, after the moves were made.
  const std::string path = ::testing::TempDir() + "plexaro_dispatch_r.mov";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("R", file);
  std::fclose(file);
  recording.answers.push_back(path);
  HandleCharacter('{');
  EXPECT_EQ(recording.chooserKinds.size(), 1u);
  EXPECT_EQ(recording.boxes.size(), 2u);
  EXPECT_EQ(liveCube[CellIndex(U, 0, 2)], 2);  // R brought F's colour up, and '*' did not undo it
  EXPECT_EQ(liveCube[CellIndex(L, 0, 0)], 1);  // and neither 'u' nor Left ran
  EXPECT_EQ(recording.repaints, 2);
  EXPECT_EQ(recording.paintsNow, 0);

  // Once the command is over, keys work again.
  recording.onMessage = nullptr;
  HandleCharacter('*');
  EXPECT_EQ(CheckSolved(liveCube), 0);
}

TEST_F(Dispatch, ResetAfterAFiveCubePatternGivesTheSolvedFiveCube) {
  std::string bytes(1, '\x05');
  for (int k = 0; k < 150; ++k) bytes += static_cast<char>((k * 7 + 3) % 6);
  TextStream stream;
  OpenMemoryStream(&stream, bytes.data(), bytes.size());
  LoadPatternFile(&stream);
  ASSERT_EQ(cubeSize, 5);
  ASSERT_EQ(CheckSolved(liveCube), -1);
  cellWidth = 21;
  faceBaseHeight = 40;
  const std::string log(reinterpret_cast<const char*>(moveLog), sizeof moveLog);

  HandleCharacter('*');
  EXPECT_EQ(cubeSize, 5);
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < 5; ++row)
      for (int column = 0; column < 5; ++column) ASSERT_EQ(liveCube[CellIndex(face, row, column)], face);
  EXPECT_EQ(CompareCubes(liveCube, shadowCube), 0);
  EXPECT_EQ(cellWidth, 15);
  EXPECT_EQ(cellHeight, 16);
  EXPECT_EQ(faceBaseWidth, 32);
  EXPECT_EQ(faceBaseHeight, 38);
  EXPECT_EQ(columnX[F][0], 81);     // 15 * 5 + 2 + 4
  EXPECT_EQ(rowY[D][4], 172 + 64);  // 2 * (16 * 5 + 6) + 4 * 16
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(moveLog), sizeof moveLog), log);
  EXPECT_EQ(recording.repaints, 1);
}

}  // namespace
