// The mouse menu's table: which items are enabled and checked, and what each one does to the cube and the
// disk.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "support/cube_helpers.h"

namespace {

// A seam whose save chooser hands out paths from a queue, as the open chooser does.
struct SavingPlatform : RecordingPlatform {
  std::deque<std::string> saveAnswers;
  std::vector<FileKind> saveKinds;
  std::string lastSave;
  const char* ChooseSaveFile(FileKind kind, const FileFilter&) override {
    saveKinds.push_back(kind);
    if (saveAnswers.empty()) return nullptr;
    lastSave = saveAnswers.front();
    saveAnswers.pop_front();
    return lastSave.c_str();
  }
};

class Menu : public ::testing::Test {
 protected:
  void SetUp() override {
    StartFresh(seam);
    document.view.letters = kLettersNone;
    document.view.fitToWindow = false;
    document.last.read = false;
  }
  void TearDown() override { document.view.letters = kLettersNone, document.view.fitToWindow = false; }
  const RecordedBox& LastBox() {
    static const RecordedBox none;
    return seam.boxes.empty() ? none : seam.boxes.back();
  }
  SavingPlatform seam;
};

TEST_F(Menu, TableHoldsEachItemOnceInItsOwnPlace) {
  std::set<std::string> texts;
  for (int k = 0; k < kMenuItemCount; ++k) {
    EXPECT_EQ(kMenuItems[k].id, k);
    EXPECT_TRUE(texts.insert(kMenuItems[k].text).second) << kMenuItems[k].text;
  }
  EXPECT_STREQ(kMenuItems[kMenuUndo].text, "Undo");
  EXPECT_STREQ(kMenuItems[kMenuApplyMoves].text, "Apply moves\xE2\x80\xA6");
  // The three letter choices form one exclusive group in one submenu; the fit item stands alone.
  for (MenuItemId id : {kMenuLettersNone, kMenuLettersFaces, kMenuLettersColours}) {
    EXPECT_STREQ(kMenuItems[id].submenu, "Letters on the squares");
    EXPECT_TRUE(kMenuItems[id].checkable);
    EXPECT_EQ(kMenuItems[id].group, kMenuItems[kMenuLettersNone].group);
  }
  EXPECT_NE(kMenuItems[kMenuLettersNone].group, 0);
  EXPECT_TRUE(kMenuItems[kMenuFitToWindow].checkable);
  EXPECT_EQ(kMenuItems[kMenuFitToWindow].group, 0);
}

TEST_F(Menu, AtStartNothingToUndoNoMovesAndThePlainView) {
  EXPECT_FALSE(MenuItemEnabled(kMenuUndo));
  EXPECT_FALSE(MenuItemEnabled(kMenuRedo));
  EXPECT_FALSE(MenuItemEnabled(kMenuOrderOfMoves));
  EXPECT_FALSE(RunMenuItem(kMenuOrderOfMoves));
  EXPECT_TRUE(seam.boxes.empty());
  for (MenuItemId id : {kMenuApplyMoves, kMenuSavePattern, kMenuExportPicture, kMenuAboutPattern})
    EXPECT_TRUE(MenuItemEnabled(id)) << kMenuItems[id].text;
  EXPECT_TRUE(MenuItemChecked(kMenuLettersNone));
  EXPECT_FALSE(MenuItemChecked(kMenuLettersFaces));
  EXPECT_FALSE(MenuItemChecked(kMenuFitToWindow));
}

TEST_F(Menu, ApplyMovesTurnsThePatternShownAsOneStep) {
  HandleCharacter('r');
  HandleCharacter('u');
  const std::vector<int32_t> before = UsedCells();
  // U' R' undoes the two turns, which it would not do from a solved cube.
  seam.answers.push_back(WriteTemp("menu_back.mov", "U' R'\n"));
  EXPECT_TRUE(RunMenuItem(kMenuApplyMoves));
  EXPECT_EQ(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, document.cube.shadow), 0);
  ASSERT_EQ(seam.chooserKinds.size(), 1u);
  EXPECT_EQ(seam.chooserKinds[0], kMoveFile);
  EXPECT_EQ(LastBox().title, "Moves");
  EXPECT_EQ(LastBox().text, " Number of moves 2 q 2 f\nU' R' ");
  EXPECT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_EQ(UsedCells(), before);
}

TEST_F(Menu, OrderOfTheLastFileReadByEitherCommand) {
  // R U has order 105 on the 3x3x3 cube; a lone R has order 4.
  seam.answers.push_back(WriteTemp("menu_ru.mov", "R U\n"));
  HandleCharacter('{');
  ASSERT_TRUE(MenuItemEnabled(kMenuOrderOfMoves));
  EXPECT_TRUE(RunMenuItem(kMenuOrderOfMoves));
  EXPECT_EQ(LastBox().title, "Order of the moves");
  EXPECT_NE(LastBox().text.find("Order: 105\n"), std::string::npos) << LastBox().text;
  EXPECT_NE(LastBox().text.find("2 moves on the 3x3x3 cube"), std::string::npos);
  seam.answers.push_back(WriteTemp("menu_r.mov", "R\n"));
  RunMenuItem(kMenuApplyMoves);
  RunMenuItem(kMenuOrderOfMoves);
  EXPECT_NE(LastBox().text.find("Order: 4\n"), std::string::npos) << LastBox().text;
  // A refused file leaves no sequence to speak of.
  seam.answers.push_back(WriteTemp("menu_bad.mov", "R QQQ\n"));
  RunMenuItem(kMenuApplyMoves);
  EXPECT_FALSE(MenuItemEnabled(kMenuOrderOfMoves));
}

TEST_F(Menu, AboutThePatternNamesGroupTotalsAndReachability) {
  EXPECT_TRUE(RunMenuItem(kMenuAboutPattern));
  EXPECT_EQ(LastBox().title, "About this pattern");
  const std::string solved = LastBox().text;
  EXPECT_NE(solved.find("48 symmetries"), std::string::npos) << solved;
  EXPECT_NE(solved.find("Total C: 1   Total M: 1\n"), std::string::npos) << solved;
  EXPECT_NE(solved.find("A real cube can show this pattern.\n"), std::string::npos);
  EXPECT_LT(solved.size(), static_cast<size_t>(kReportTextCapacity));
  // One corner facelet recoloured: a twist no turning makes, and symmetry lost.
  EditFacelet(U, 0, 0, 3);
  RunMenuItem(kMenuAboutPattern);
  const std::string edited = LastBox().text;
  EXPECT_EQ(edited.find("48 symmetries"), std::string::npos);
  EXPECT_NE(edited.find("A real cube cannot show this pattern:\n"), std::string::npos) << edited;
  EXPECT_EQ(CanUndo(document.history, document.cube), true);  // the edit, not the report, is the step
  RunMenuItem(kMenuUndo);
  EXPECT_FALSE(CanUndo(document.history, document.cube));
}

TEST_F(Menu, ReportStopsAtAWholeLineInASmallBuffer) {
  char text[300];
  ComposePatternReport(text, sizeof text);
  const std::string report = text;
  EXPECT_LT(report.size(), sizeof text);
  EXPECT_NE(report.find("and "), std::string::npos) << report;
  EXPECT_EQ(report.back(), '\n');
}

TEST_F(Menu, SavePatternWritesAFileThatLoadsBack) {
  HandleCharacter('r');
  HandleCharacter('=');
  const std::vector<int32_t> pattern = UsedCells();
  const std::string path = TempPath("menu_saved.q");
  std::remove(path.c_str());
  seam.saveAnswers.push_back(path);
  EXPECT_TRUE(RunMenuItem(kMenuSavePattern));
  ASSERT_EQ(seam.saveKinds.size(), 1u);
  EXPECT_EQ(seam.saveKinds[0], kPatternFile);
  EXPECT_TRUE(seam.boxes.empty());
  ResetCube();
  seam.answers.push_back(path);
  HandleCharacter('[');
  EXPECT_EQ(UsedCells(), pattern);
}

TEST_F(Menu, TheSolversMovesSavedReadBackAsThePatternItself) {
  EXPECT_FALSE(MenuItemEnabled(kMenuSaveSolution));
  // Turns, then a rotation the move file must hold as layer turns.
  HandleCharacter('r');
  HandleCharacter('f');
  HandleKeyDown(kKeyLeft);
  HandleKeyDown(kKeyUp);
  const std::vector<int32_t> pattern = UsedCells();
  EXPECT_TRUE(RunMenuItem(kMenuSolvePattern));
  EXPECT_EQ(UsedCells(), pattern);
  EXPECT_EQ(LastBox().title, "Moves that make this pattern");
  EXPECT_NE(LastBox().text.find("2 f, 2 q, 2 obtm, the fewest face turns"), std::string::npos)
      << LastBox().text;
  EXPECT_NE(LastBox().text.find("Then turn the whole cube: <"), std::string::npos) << LastBox().text;
  ASSERT_TRUE(MenuItemEnabled(kMenuSaveSolution));
  const std::string path = TempPath("menu_solution.mov");
  std::remove(path.c_str());
  seam.saveAnswers.push_back(path);
  EXPECT_TRUE(RunMenuItem(kMenuSaveSolution));
  EXPECT_EQ(seam.saveKinds.back(), kMoveFile);
  ResetCube();
  seam.answers.push_back(path);
  HandleCharacter('{');
  EXPECT_EQ(UsedCells(), pattern) << ReadWhole(path);
  // The answer belongs to its pattern: a turn greys the save until the solver runs again.
  HandleCharacter('u');
  EXPECT_FALSE(MenuItemEnabled(kMenuSaveSolution));
  EXPECT_FALSE(RunMenuItem(kMenuSaveSolution));
}

TEST_F(Menu, TheSolverSaysWhyItHasNoMoves) {
  std::swap(document.cube.live[CellIndex(U, 2, 2)], document.cube.live[CellIndex(F, 0, 2)]);
  SyncCopies(document.cube);
  RunMenuItem(kMenuSolvePattern);
  EXPECT_EQ(LastBox().text.rfind("No moves make this pattern: a real cube cannot show it.\n  ", 0), 0u)
      << LastBox().text;
  EXPECT_FALSE(MenuItemEnabled(kMenuSaveSolution));
  // A bigger cube gets its answer; one that needs inner layers is saved in the standard notation.
  StartFresh(seam, 4);
  TurnBlock(document.cube, R, 2, 2, 1);
  SyncCopies(document.cube);
  RunMenuItem(kMenuSolvePattern);
  EXPECT_EQ(LastBox().text.rfind("From the solved cube, the rotation last:\n", 0), 0u) << LastBox().text;
  // One inner block: one block turn, two outer block turns.
  EXPECT_NE(LastBox().text.find("\n1 block turns, 2 outer block turns: short 1\n"), std::string::npos)
      << LastBox().text;
  // Worked out behind a box that waited on the search, the window's cube left as it was.
  ASSERT_EQ(seam.waits.size(), 1u);
  EXPECT_EQ(seam.waits[0], "Moves that make this pattern: Looking for the moves that make this pattern.");
  const std::string alg = TempPath("menu_solution.alg");
  seam.saveAnswers.push_back(alg);
  EXPECT_TRUE(RunMenuItem(kMenuSaveSolution));
  const std::string written = ReadWhole(alg);
  EXPECT_TRUE(written.find("2R") != std::string::npos || written.find("3L") != std::string::npos) << written;
  EXPECT_EQ(written.back(), '\n');
  // A save that cannot be made leaves a box and no file.
  StartFresh(seam, 2);
  RunMenuItem(kMenuSolvePattern);
  seam.saveAnswers.push_back(TempPath("no_such_folder/moves.mov"));
  RunMenuItem(kMenuSaveSolution);
  EXPECT_EQ(LastBox().title, "Error");
}

TEST_F(Menu, ExportPictureBySuffixOrAnErrorBox) {
  const std::string svg = TempPath("menu_net.svg");
  seam.saveAnswers.push_back(svg);
  EXPECT_TRUE(RunMenuItem(kMenuExportPicture));
  EXPECT_EQ(seam.saveKinds.back(), kPictureFile);
  EXPECT_NE(ReadWhole(svg).find("<svg"), std::string::npos);
  EXPECT_TRUE(seam.boxes.empty());
  seam.saveAnswers.push_back(TempPath("menu_net.gif"));
  RunMenuItem(kMenuExportPicture);
  ASSERT_EQ(seam.boxes.size(), 1u);
  EXPECT_EQ(LastBox().title, "Error");
  EXPECT_FALSE(LastBox().text.empty());
}

TEST_F(Menu, ViewItemsSetTheViewAndNeverTheCube) {
  EXPECT_TRUE(RunMenuItem(kMenuLettersColours));
  EXPECT_EQ(document.view.letters, kLettersColours);
  EXPECT_TRUE(MenuItemChecked(kMenuLettersColours));
  EXPECT_FALSE(MenuItemChecked(kMenuLettersNone));
  RunMenuItem(kMenuLettersFaces);
  EXPECT_EQ(document.view.letters, kLettersFaces);
  const int repaints = seam.erasingRepaints;
  RunMenuItem(kMenuFitToWindow);
  EXPECT_TRUE(document.view.fitToWindow);
  EXPECT_EQ(seam.erasingRepaints, repaints + 1);
  RunMenuItem(kMenuFitToWindow);
  EXPECT_FALSE(document.view.fitToWindow);
  EXPECT_FALSE(CanUndo(document.history, document.cube));
  EXPECT_EQ(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
}

TEST_F(Menu, NoItemRunsWhileABoxIsUp) {
  HandleCharacter('r');
  bool ranInside = true;
  seam.onMessage = [&] { ranInside = RunMenuItem(kMenuUndo) || RunMenuItem(kMenuLettersFaces); };
  HandleCharacter('?');
  EXPECT_FALSE(ranInside);
  EXPECT_EQ(document.view.letters, kLettersNone);
  EXPECT_TRUE(CanUndo(document.history, document.cube));
}

}  // namespace
