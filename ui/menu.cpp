// The mouse menu's table, its states and its commands, each run through the key commands' guard.
#include "ui/menu.h"

#include <cstring>

#include "files/input_files.h"
#include "ui/document.h"
#include "ui/solid/solid_picture.h"
#include "ui/ui.h"

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
    {kMenuPlayMoves, "Play moves" ELLIPSIS, nullptr, false, false, 0},
    {kMenuLettersNone, "Off", "Letters on the squares", true, true, 1},
    {kMenuLettersFaces, "Face letters", "Letters on the squares", false, true, 1},
    {kMenuLettersColours, "Colour letters", "Letters on the squares", false, true, 1},
    {kMenuFitToWindow, "Fit the net to the window", nullptr, false, true, 0},
    {kMenuViewNet, "Net", "View", true, true, 2},
    {kMenuViewCube, "Cube", "View", false, true, 2},
    {kMenuViewCubeBoth, "Cube, front and back", "View", false, true, 2},
#define TIMES "\xC3\x97"
#define NEW_CUBE(n) \
  { static_cast<MenuItemId>(kMenuNewCube2 + (n)-2), #n TIMES #n TIMES #n, "New cube", false, false, 0 }
    NEW_CUBE(2),
    NEW_CUBE(3),
    NEW_CUBE(4),
    NEW_CUBE(5),
    NEW_CUBE(6),
    NEW_CUBE(7),
    NEW_CUBE(8),
    NEW_CUBE(9),
    NEW_CUBE(10),
#undef NEW_CUBE
#undef TIMES
};

namespace {

// Either notation: an .alg file in the standard one, anything else as a move file.
const FileFilter kApplyMovesFilter = {
    {"Cube moves (*.mov *.alg)", "All files (*.*)"}, {"*.mov *.alg", "*.*"}, "mov"};

void ApplyMoves() {
  const char* path = ShowOpenFileDialog(kMoveFile, kApplyMovesFilter);
  // A path too long to name a file is never opened.
  const bool cut = std::strlen(path) >= static_cast<size_t>(kFileNameCapacity) - 1;
  TextStream stream;
  if (cut || !OpenTextStream(&stream, path)) {
    char text[kTextCapacity];
    FormatWithPath(text, " No input file ", path, "\n");
    platform->ShowMessage(text, "Error");
    return;
  }
  if (FileKindOfPath(path) == kAlgFile)
    LoadAlgFile(&stream, path, false);
  else
    LoadMoveFile(&stream, false, path);
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
  const ViewOptions& view = document.view;
  // The view the window shows; the net exactly as it has always been exported.
  const bool written = view.mode == kViewNet
                           ? SaveNetPicture(path, 1, view.letters, reason, sizeof reason)
                           : SavePicture(document.cube, document.layout,
                                         {view.mode == kViewCube ? kPictureCube : kPictureCubeBoth,
                                          view.camera, view.letters, 1},
                                         path, reason, sizeof reason);
  if (!written) platform->ShowMessage(reason, "Error");
}

void AboutPattern() {
  char text[kReportTextCapacity];
  ComposePatternReport(text, sizeof text);
  platform->ShowMessage(text, "About this pattern");
}

void OrderOfMoves() {
  char text[kReportTextCapacity];
  ComposeOrderReport(text, sizeof text);
  platform->ShowMessage(text, "Order of the moves");
}

void ToggleFit() {
  document.view.fitToWindow = !document.view.fitToWindow;
  document.eraseOnRepaint = true;  // the net changes its extent
}

}  // namespace

bool MenuItemEnabled(MenuItemId id) {
  switch (id) {
    case kMenuUndo: return CanUndo(document.history, document.cube);
    case kMenuRedo: return CanRedo(document.history, document.cube);
    case kMenuExportPicture: return PictureWidth() > 0;
    case kMenuOrderOfMoves: return document.last.read;
    case kMenuSaveSolution: return SolutionFitsPattern();
    // The net's own scaling means nothing to the solid cube.
    case kMenuFitToWindow: return document.view.mode == kViewNet;
    default: return id >= 0 && id < kMenuItemCount;
  }
}

bool MenuItemChecked(MenuItemId id) {
  switch (id) {
    case kMenuLettersNone: return document.view.letters == kLettersNone;
    case kMenuLettersFaces: return document.view.letters == kLettersFaces;
    case kMenuLettersColours: return document.view.letters == kLettersColours;
    case kMenuFitToWindow: return document.view.fitToWindow;
    case kMenuViewNet: return document.view.mode == kViewNet;
    case kMenuViewCube: return document.view.mode == kViewCube;
    case kMenuViewCubeBoth: return document.view.mode == kViewCubeBoth;
    default: return false;
  }
}

bool RunMenuItem(MenuItemId id) {
  if (!MenuItemEnabled(id)) return false;
  if (id == kMenuPlayMoves) {
    if (document.commandRunning) return false;
    OpenPlayer();
    return true;
  }
  ClosePlayer();
  switch (id) {
    case kMenuUndo: return RunUndo();
    case kMenuRedo: return RunRedo();
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
    case kMenuLettersColours: {
      const int letters = id - kMenuLettersNone + kLettersNone;
      return RunCommand([letters] { document.view.letters = letters; }, false);
    }
    case kMenuFitToWindow: return RunCommand(ToggleFit, false);
    case kMenuViewNet:
    case kMenuViewCube:
    case kMenuViewCubeBoth: {
      const ViewMode mode = static_cast<ViewMode>(kViewNet + (id - kMenuViewNet));
      return RunCommand(
          [mode] {
            document.view.mode = mode;
            document.eraseOnRepaint = true;  // the net and the solid cover different ground
          },
          false);
    }
    default:
      if (id >= kMenuNewCube2 && id <= kMenuNewCube10) {
        const int16_t size = static_cast<int16_t>(2 + id - kMenuNewCube2);
        return RunCommand(
            [size] {
              SetCubeSize(size);
              ResetCube();
            },
            true);
      }
      return false;
  }
}
