// The window's document: the one cube the window shows and every command works on, and everything else
// the window keeps between commands. One value, owned here; the front ends reach it through ui.h.
#pragma once

#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "cube/block_move.h"
#include "cube/cube.h"
#include "files/move_file.h"
#include "solve/solve.h"
#include "study/order.h"
#include "ui/history.h"
#include "ui/net_layout.h"
#include "ui/player/player_controller.h"
#include "ui/solid/animation.h"
#include "ui/solid/cube_view.h"
#include "ui/view.h"

// The moves of the last move file or moves read, as one sequence at the size they were read for.
struct LastMoves {
  MoveSequence sequence;
  bool read;  // false before the first and after one refused for a bad token
};

// How the window shows the cube: the cross-shaped net, or the cube as a solid, alone or with its back.
enum ViewMode { kViewNet, kViewCube, kViewCubeBoth };

// What the menu sets; the cube never changes with it.
struct ViewOptions {
  int letters = 0;           // kLettersNone to kLettersColours
  bool fitToWindow = false;  // the net scaled to fill the window, proportions kept
  ViewMode mode = kViewNet;
  CubeCamera camera = kDefaultCubeCamera;
};

// The turns a command made, played on the solid cube a quarter turn at a time after the cube already
// shows where they end; only painting reads it.
const int kMaxAnimatedMoves = 20;
struct Animation {
  bool active = false;
  Cube shown;  // the pattern before the move playing now
  BlockMove moves[kMaxAnimatedMoves];
  int count = 0;
  int index = 0;
  int64_t moveStarted = 0;  // on the platform's clock
  int quarterMilliseconds = kQuarterTurnMilliseconds;
  // What the command running now has made: where it started from and its moves, one past the most
  // that animate when there are more.
  Cube start;
  BlockMove made[kMaxAnimatedMoves + 1];
  int madeCount = 0;
};

// A left-button press on the solid cube: a click, or once it moves far enough, a drag that turns the
// camera.
struct PointerDrag {
  bool down = false;
  bool dragging = false;
  int x = 0, y = 0;
  CubeCamera camera = kDefaultCubeCamera;
};

// The menu solver's last answer, with the pattern it answers, for saving while the cube still shows it.
struct KeptSolution {
  SolveResult result;
  bool kept;
  int16_t size;
  CubeState pattern;
};

// The sequence the program last met, for the player to open on: its text, or the path of the file that
// held it, in the standard notation or the move file's, and the pattern it started from.
struct MetSequence {
  bool met = false;
  Cube start{3, {}, {}};
  std::string text;
  char path[4096] = {};  // as long as any path a file is opened by; kept without the heap
  bool standard = true;
};

// The player's window while it is open: the main window shows the pattern at its position.
struct PlayerSession {
  bool open = false;
  PlayerController controller;
  std::string text;     // the sequence as written
  std::string problem;  // what the field refused, or why the sequence is not the one met
  Cube openedWith{3, {}, {}};
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
  Animation animation;
  PointerDrag pointer;
  // The window's own storage for what it paints.
  NetView windowView;
  CubeFrame windowFrame;
  MetSequence met;
  PlayerSession player;
  // The moves a command read in the standard notation, kept so a long list is not allocated afresh.
  std::vector<BlockMove> moves;
};

extern Document document;
