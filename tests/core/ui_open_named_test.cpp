// Opening a file by its name, as a command line, a menu or a drop does: kinds by extension, refusals, undo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

std::vector<int32_t> AllCells() {
  return std::vector<int32_t>(document.cube.live, document.cube.live + kCellCount);
}

int Checkers(int face, int row, int column) { return (face + row + column) % 6; }

class OpenNamed : public FreshStartTest {
 protected:
  void ExpectNoInputFile(const std::string& path) {
    ASSERT_EQ(recording.boxes.size(), 1u);
    EXPECT_EQ(recording.boxes[0].title, "Error");
    EXPECT_EQ(recording.boxes[0].text, " No input file " + path + "\n");
  }
};

TEST_F(OpenNamed, PatternFileIsLaidOutForItsSizeWithoutAChooser) {
  for (const char* name : {"named_five.q", "named_upper.Q"}) {
    SCOPED_TRACE(name);
    StartFresh(recording, 3);
    recording.repaints = recording.erasingRepaints = 0;
    OpenNamedFile(WriteTemp(name, PatternFileBytes(5, Checkers)).c_str());
    EXPECT_TRUE(recording.chooserKinds.empty());
    EXPECT_TRUE(recording.boxes.empty());
    ASSERT_EQ(document.cube.size, 5);
    for (int face = 0; face < 6; ++face)
      for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 5; ++column)
          ASSERT_EQ(document.cube.live[CellIndex(face, row, column)], Checkers(face, row, column));
    EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
    EXPECT_EQ(recording.repaints, 1);
    EXPECT_EQ(recording.erasingRepaints, 1);  // the net grew
  }
}

TEST_F(OpenNamed, BadPatternIsRefusedByItsOwnBoxNamingThePath) {
  const std::string path = WriteTemp("named_bad.q", std::string(1, '\x0b'));
  OpenNamedFile(path.c_str());
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_NE(recording.boxes[0].text.find("INVALID pattern file " + path), std::string::npos);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_FALSE(CanUndo(document.history, document.cube));
}

TEST_F(OpenNamed, MoveFileTurnsTheCubeAndReplaysOnlyWhenSwitchedOn) {
  const std::string path = WriteTemp("named_r.MOV", "R");
  OpenNamedFile(path.c_str());
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].title, "Moves");
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), -1);  // one R, no replay
  MoveToken r;
  ASSERT_TRUE(ParseMoveToken("R", &r));
  EXPECT_EQ(document.moveLog[1], r.code);

  // With the switch on, R's three more passes come back to solved.
  StartFresh(recording, 3);
  recording.boxes.clear();
  document.replaySwitch = 1;
  OpenNamedFile(path.c_str());
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].title, "Moves");

  recording.boxes.clear();
  OpenNamedFile(WriteTemp("named_slice.mov", "R u").c_str());
  ASSERT_EQ(recording.boxes.size(), 2u);
  EXPECT_EQ(recording.boxes[1].title, "Replay");
}

TEST_F(OpenNamed, OtherExtensionsAndMissingFilesGiveTheSameError) {
  HandleCharacter('u');
  const std::vector<int32_t> cells = AllCells();
  const std::string pattern = PatternFileBytes(3, Checkers);
  const std::vector<std::string> refused = {
      WriteTemp("named_pattern.txt", pattern),  // a real pattern, but not by its name
      WriteTemp("named_noextension", pattern), WriteTemp("named_pattern.q.bak", pattern),
      WriteTemp("named_pattern.qq", pattern),  TempPath("named_missing.q"),
      TempPath("named_missing.mov"),
      TempPath("named_dir.q") + "/pattern",  // the dot is in a folder's name
  };
  std::remove(TempPath("named_missing.q").c_str());
  std::remove(TempPath("named_missing.mov").c_str());
  for (const std::string& path : refused) {
    SCOPED_TRACE(path);
    recording.boxes.clear();
    recording.repaints = 0;
    OpenNamedFile(path.c_str());
    ExpectNoInputFile(path);
    EXPECT_EQ(AllCells(), cells);
    EXPECT_EQ(recording.repaints, 1);
  }
  recording.boxes.clear();
  OpenNamedFile("");
  ExpectNoInputFile("");
}

TEST_F(OpenNamed, PathTooLongForTheBufferIsNeverOpenedCutShort) {
  const std::string path = "/" + std::string(kFileNameCapacity, 'a') + ".q";
  OpenNamedFile(path.c_str());
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].title, "Error");
  EXPECT_LE(recording.boxes[0].text.size(), 255u);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
}

TEST_F(OpenNamed, EachOpenIsOneUndoStep) {
  HandleCharacter('f');
  const std::vector<int32_t> turned = UsedCells();
  OpenNamedFile(WriteTemp("named_undo.q", PatternFileBytes(4, Checkers)).c_str());
  ASSERT_EQ(document.cube.size, 4);
  const std::vector<int32_t> opened = UsedCells();
  document.replaySwitch = 0;
  OpenNamedFile(WriteTemp("named_undo.mov", "U2 L'").c_str());
  ASSERT_TRUE(UndoStep());
  EXPECT_EQ(UsedCells(), opened);
  ASSERT_TRUE(UndoStep());
  EXPECT_EQ(document.cube.size, 3);
  EXPECT_EQ(UsedCells(), turned);
  ASSERT_TRUE(RedoStep());
  EXPECT_EQ(document.cube.size, 4);
  EXPECT_EQ(UsedCells(), opened);

  // A refusal changes nothing, so it leaves the redo in place.
  OpenNamedFile(TempPath("named_undo.txt").c_str());
  EXPECT_TRUE(CanRedo(document.history, document.cube));
}

TEST_F(OpenNamed, NeverRunsInsideAnotherCommand) {
  const std::string path = WriteTemp("named_inside.q", PatternFileBytes(6, Checkers));
  bool tried = false;
  recording.onMessage = [&] {
    if (tried) return;
    tried = true;
    OpenNamedFile(path.c_str());  // as a drop would arrive while the help box is up
  };
  HandleCharacter('?');
  recording.onMessage = nullptr;
  EXPECT_TRUE(tried);
  EXPECT_EQ(document.cube.size, 3);
  EXPECT_EQ(recording.boxes.size(), 1u);
  OpenNamedFile(path.c_str());
  EXPECT_EQ(document.cube.size, 6);
}

}  // namespace
