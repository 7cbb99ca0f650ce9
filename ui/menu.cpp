// The mouse menu's table, its states and its commands, each run through the key commands' guard.
#include "ui/menu.h"

#include <cstring>

#include "files/files.h"
#include "ui/document.h"
#include "ui/ui.h"

int viewLetters = kLettersNone;
bool viewFitToWindow = false;

#define ELLIPSIS "\xE2\x80\xA6"  // the texts are UTF-8

const MenuItem kMenuItems[kMenuItemCount] = {
    {kMenuUndo, "Undo", nullptr, false, false, 0},
    {kMenuRedo, "Redo", nullptr, false, false, 0},
    {kMenuApplyMoves, "Apply moves" ELLIPSIS, nullptr, true, false, 0},
    {kMenuTypeMoves, "Type moves" ELLIPSIS, nullptr, false, false, 0},
    {kMenuSavePattern, "Save pattern as" ELLIPSIS, nullptr, false, false, 0},
    {kMenuExportPicture, "Export picture" ELLIPSIS, nullptr, false, false, 0},
    {kMenuAboutPattern, "About this pattern" ELLIPSIS, nullptr, true, false, 0},
    {kMenuOrderOfMoves, "Order of the last move file" ELLIPSIS, nullptr, false, false, 0},
    {kMenuSolvePattern, "Moves that make this pattern" ELLIPSIS, nullptr, true, false, 0},
    {kMenuSaveSolution, "Save these moves as" ELLIPSIS, nullptr, false, false, 0},
    {kMenuLettersNone, "Off", "Letters on the squares", true, true, 1},
    {kMenuLettersFaces, "Face letters", "Letters on the squares", false, true, 1},
    {kMenuLettersColours, "Colour letters", "Letters on the squares", false, true, 1},
    {kMenuFitToWindow, "Fit the net to the window", nullptr, false, true, 0},
};

namespace {

// Either notation: an .alg file in the standard one, anything else as a move file.
const FileFilter kApplyMovesFilter = {
    {"Cube moves (*.mov *.alg)", "All files (*.*)"}, {"*.mov *.alg", "*.*"}, "mov"};

// Commands take no arguments; the view item being run.
int pendingLetters = kLettersNone;

void ApplyMoves() {
  std::memset(fileName, 0, sizeof fileName);
  ShowOpenFileDialog(kMoveFile, kApplyMovesFilter);
  // A path that filled the buffer may have been cut; such a path is never opened.
  const bool cut = std::strlen(fileName) >= sizeof fileName - 1;
  TextStream stream;
  if (cut || !OpenTextStream(&stream, fileName)) {
    char text[kTextCapacity];
    FormatWithPath(text, " No input file ", fileName, "\n");
    platform->ShowMessage(text, "Error");
    return;
  }
  if (FileKindOfPath(fileName) == kAlgFile)
    LoadAlgFile(&stream, false);
  else
    ApplyMoveFile(document.cube, &stream);
  CloseTextStream(&stream);
}

void SavePattern() {
  const char* path = platform->ChooseSaveFile(kPatternFile, FilterFor(kPatternFile));
  if (path != nullptr) SavePatternFile(path);
}

void ExportPicture() {
  const char* path = platform->ChooseSaveFile(kPictureFile, PictureFilter());
  if (path == nullptr) return;
  char reason[kTextCapacity];
  if (!SaveNetPicture(path, 1, viewLetters, reason, sizeof reason)) platform->ShowMessage(reason, "Error");
}

char reportText[kReportTextCapacity];

void AboutPattern() {
  ComposePatternReport(reportText, sizeof reportText);
  platform->ShowMessage(reportText, "About this pattern");
}

void OrderOfMoves() {
  ComposeOrderReport(reportText, sizeof reportText);
  platform->ShowMessage(reportText, "Order of the moves");
}

void SetLetters() { viewLetters = pendingLetters; }

void ToggleFit() {
  viewFitToWindow = !viewFitToWindow;
  eraseOnRepaint = true;  // the net changes its extent
}

}  // namespace

bool MenuItemEnabled(MenuItemId id) {
  switch (id) {
    case kMenuUndo: return CanUndo();
    case kMenuRedo: return CanRedo();
    case kMenuExportPicture: return PictureWidth() > 0;
    case kMenuOrderOfMoves: return lastMovesRead;
    case kMenuSaveSolution: return SolutionFitsPattern();
    default: return id >= 0 && id < kMenuItemCount;
  }
}

bool MenuItemChecked(MenuItemId id) {
  switch (id) {
    case kMenuLettersNone: return viewLetters == kLettersNone;
    case kMenuLettersFaces: return viewLetters == kLettersFaces;
    case kMenuLettersColours: return viewLetters == kLettersColours;
    case kMenuFitToWindow: return viewFitToWindow;
    default: return false;
  }
}

bool RunMenuItem(MenuItemId id) {
  if (!MenuItemEnabled(id)) return false;
  switch (id) {
    case kMenuUndo: return RunCommand([] { UndoStep(); }, false);
    case kMenuRedo: return RunCommand([] { RedoStep(); }, false);
    case kMenuApplyMoves: return RunCommand(ApplyMoves, true);
    case kMenuTypeMoves: return RunCommand(TypeMoves, true);
    case kMenuSavePattern: return RunCommand(SavePattern, false);
    case kMenuExportPicture: return RunCommand(ExportPicture, false);
    case kMenuAboutPattern: return RunCommand(AboutPattern, false);
    case kMenuOrderOfMoves: return RunCommand(OrderOfMoves, false);
    case kMenuSolvePattern: return RunCommand(ShowSolution, false);
    case kMenuSaveSolution: return RunCommand(SaveSolution, false);
    case kMenuLettersNone:
    case kMenuLettersFaces:
    case kMenuLettersColours:
      pendingLetters = id - kMenuLettersNone + kLettersNone;
      return RunCommand(SetLetters, false);
    case kMenuFitToWindow: return RunCommand(ToggleFit, false);
    default: return false;
  }
}
