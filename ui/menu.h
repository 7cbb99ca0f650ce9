// The window's mouse menu as a table every front end builds from, its commands and the view it sets.
#pragma once

#include <cstddef>

struct SolveResult;

enum MenuItemId {
  kMenuUndo,
  kMenuRedo,
  kMenuApplyMoves,
  kMenuTypeMoves,
  kMenuSavePattern,
  kMenuExportPicture,
  kMenuAboutPattern,
  kMenuOrderOfMoves,
  kMenuSolvePattern,
  kMenuSaveSolution,
  kMenuPlayMoves,
  kMenuLettersNone,
  kMenuLettersFaces,
  kMenuLettersColours,
  kMenuFitToWindow,
  kMenuViewNet,
  kMenuViewCube,
  kMenuViewCubeBoth,
  kMenuNewCube2,  // to kMenuNewCube10, one a size
  kMenuNewCube10 = kMenuNewCube2 + 8,
  kMenuItemCount
};

struct MenuItem {
  MenuItemId id;
  const char* text;
  // Items with the same submenu title sit together in a submenu of that title; null for the top level.
  const char* submenu;
  bool separatorBefore;
  bool checkable;
  // Checkable items of one group other than 0 exclude each other.
  int group;
};

// In the order shown.
extern const MenuItem kMenuItems[kMenuItemCount];

bool MenuItemEnabled(MenuItemId id);
bool MenuItemChecked(MenuItemId id);
// Runs the item as a command (undo, redo and the file commands) or sets the view. False when it is
// disabled or another command is still running.
bool RunMenuItem(MenuItemId id);

// The texts of the two study boxes; longer than the key commands' boxes, which a desktop box shows
// whole. Each ends in a line feed.
const int kReportTextCapacity = 4096;
// The symmetry group in words, the two totals of the symmetry count, and whether a real cube can show
// the pattern, with its problems.
void ComposePatternReport(char* text, int capacity);
// The order and the facelet order of the last moves read, with the explanation piece by piece.
void ComposeOrderReport(char* text, int capacity);
// The moves the solver found for the pattern, their counts, the rotation and the way back; or why
// there are none.
void ComposeSolutionReport(const SolveResult& result, char* text, int capacity);

// How long the menu's solver looks for shorter answers once it has one.
const double kMenuSolveSeconds = 1.0;
// Solves the pattern on the cube and shows the answer in a box; the answer is kept for
// SaveSolution while the cube shows that pattern.
void ShowSolution();
// Whether the kept answer belongs to the pattern on the cube now.
bool SolutionFitsPattern();
// Asks for a path and writes the kept answer there as a move file, its rotation as layer turns, so
// that reading it back gives the pattern exactly; an answer the move-file notation cannot spell (a
// bigger cube's inner layers) goes to a `.alg` file in the standard notation instead. A box titled
// "Error" says why when it cannot.
void SaveSolution();
