// The window's document: the one cube the window shows and every command works on, and everything else
// the window keeps between commands. One value, owned here; the front ends reach it through ui.h.
#pragma once

#include <vector>

#include "analysis/analysis.h"
#include "cube/block_move.h"
#include "cube/cube.h"
#include "files/move_file.h"
#include "solve/solve.h"
#include "study/order.h"
#include "ui/history.h"
#include "ui/net_layout.h"
#include "ui/view.h"

// The moves of the last move file or moves read, as one sequence at the size they were read for.
struct LastMoves {
  MoveSequence sequence;
  bool read;  // false before the first and after one refused for a bad token
};

// What the menu sets; the cube never changes with it.
struct ViewOptions {
  int letters;       // kLettersNone to kLettersColours
  bool fitToWindow;  // the net scaled to fill the window, proportions kept
};

// The menu solver's last answer, with the pattern it answers, for saving while the cube still shows it.
struct KeptSolution {
  SolveResult result;
  bool kept;
  int16_t size;
  CubeState pattern;
};

struct Document {
  Cube cube{3, {}, {}};
  Random random;
  NetLayout layout;
  History history;
  MoveCode moveLog[kMoveLogCapacity + 1];  // entry 0 is never used
  int16_t replaySwitch = 0;                // 1 runs the replay after a move file
  LastMoves last;
  ViewOptions view;
  KeptSolution solution;
  // Set when the net changed its extent, so the next repaint clears what the new net does not cover.
  bool eraseOnRepaint = false;
  // A box keeps the thread inside a command; a key that reaches us from there must not start another.
  bool commandRunning = false;
  // The window's own storage for what it paints.
  NetView windowView;
  // The moves a command read in the standard notation, kept so a long list is not allocated afresh.
  std::vector<BlockMove> moves;
};

extern Document document;
