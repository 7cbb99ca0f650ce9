// The player's window over the window's document: the sequence it opens on, the main window following its
// position, the marks on the net, playing on the timer, and closing as one undo step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cube_helpers.h"

namespace {

// The cube `start` after the moves of an alg.
Cube After(Cube start, const std::string& alg) {
  std::vector<BlockMove> moves;
  char reason[200];
  EXPECT_TRUE(ParseAlg(alg.data(), alg.size(), start.size, &moves, reason, sizeof reason)) << reason;
  ApplyBlockMoves(start, moves.data(), moves.size());
  return start;
}

bool Shows(const Cube& cube) {
  return document.cube.size == cube.size && CompareCubes(cube.size, cube.live, document.cube.live) == 0;
}

class PlayerWindow : public FreshStartTest {
 protected:
  // Types the moves through the menu, as a person would.
  void Type(const std::string& alg) {
    recording.typed.push_back(alg);
    ASSERT_TRUE(RunMenuItem(kMenuTypeMoves));
  }
  // The squares the net paints with a second outline, one pixel inside the first.
  int MarkedSquares() {
    RecordingSurface surface;
    PaintWindowView(surface, 600, 400);
    int marked = 0;
    for (int k = 0; k < document.windowView.squareCount; ++k) {
      const ViewSquare& s = document.windowView.squares[k];
      const std::string inner = "move " + std::to_string(s.left + 1) + " " + std::to_string(s.top + 1);
      for (const std::string& call : surface.calls) marked += call == inner;
    }
    return marked;
  }
};

TEST_F(PlayerWindow, OpensOnTypedMovesAtTheirEndAndStepsTheWindowThroughThem) {
  Cube start = document.cube;
  start = After(start, "F");
  RunMenuItem(kMenuTypeMoves);  // cancelled: nothing met
  Type("F");
  Type("R U (R' U')2");
  const Cube end = After(start, "R U (R' U')2");
  ASSERT_TRUE(Shows(end));
  ASSERT_TRUE(RunMenuItem(kMenuPlayMoves));
  EXPECT_TRUE(PlayerIsOpen());
  EXPECT_EQ(recording.playerShown, 1);
  EXPECT_EQ(PlayerText(), "R U (R' U')2");
  EXPECT_EQ(PlayerProblem(), "");
  EXPECT_EQ(PlayerLength(), 6);
  EXPECT_EQ(PlayerPosition(), 6);  // what the window already shows
  EXPECT_TRUE(Shows(end));
  // Every position shows the prefix, the same way back as forward.
  const char* prefixes[] = {"", "R", "R U", "R U R'", "R U R' U'", "R U R' U' R'", "R U R' U' R' U'"};
  PlayerGoToStart();
  for (int k = 0; k <= 6; ++k) {
    EXPECT_EQ(PlayerPosition(), k);
    EXPECT_TRUE(Shows(After(start, prefixes[k]))) << k;
    PlayerStepForward();
  }
  for (int k = 6; k >= 0; --k) {
    EXPECT_TRUE(Shows(After(start, prefixes[k]))) << k;
    PlayerStepBack();
  }
  PlayerJumpTo(4);
  EXPECT_TRUE(Shows(After(start, prefixes[4])));
  char counts[120];
  FormatPlayerCounts(counts, sizeof counts);
  EXPECT_STREQ(counts, "Move 4 of 6 \xC2\xB7 block turns 4 of 6 \xC2\xB7 OBTM 4 of 6");
  // The next move is the second R' of the repeated group: the token it comes from is marked.
  TextPlace place;
  ASSERT_TRUE(PlayerNextPlace(&place));
  EXPECT_EQ(PlayerText().substr(place.offset, place.length), "R'");
  EXPECT_EQ(place.offset, 5u);
  // Nothing reached the history while it was open; closing makes one step back to where it opened.
  EXPECT_FALSE(CanRedo(document.history, document.cube));
  ClosePlayer();
  EXPECT_EQ(recording.playerShown, -1);
  EXPECT_FALSE(PlayerIsOpen());
  EXPECT_TRUE(Shows(After(start, prefixes[4])));
  ASSERT_TRUE(RunUndo());
  EXPECT_TRUE(Shows(end));
  ASSERT_TRUE(RunUndo());
  EXPECT_TRUE(Shows(start));
}

TEST_F(PlayerWindow, AKeyClickOrMenuItemInTheMainWindowClosesItFirstKeepingWhatItShows) {
  Type("R U");
  const Cube afterR = After(document.cube, "U'");
  RunMenuItem(kMenuPlayMoves);
  PlayerStepBack();
  HandleCharacter('f');  // a turn of F, once the player has closed
  EXPECT_FALSE(PlayerIsOpen());
  EXPECT_TRUE(Shows(After(afterR, "F")));
  RunUndo();
  EXPECT_TRUE(Shows(afterR));
  RunUndo();
  EXPECT_TRUE(Shows(After(afterR, "U")));

  RunMenuItem(kMenuPlayMoves);
  PlayerGoToStart();
  RunMenuItem(kMenuLettersFaces);
  EXPECT_FALSE(PlayerIsOpen());
  EXPECT_TRUE(Shows(After(After(afterR, "U"), "U' R'")));

  RunMenuItem(kMenuPlayMoves);
  RunMenuItem(kMenuPlayMoves);  // open already: only brought to the front
  EXPECT_TRUE(PlayerIsOpen());
  PointerPress(1, 1, 600, 400, false);
  EXPECT_FALSE(PlayerIsOpen());
}

TEST_F(PlayerWindow, OpensOnTheSolversAnswerAndOnMoveFilesReadAgain) {
  Type("R U F2 D'");
  const Cube made = document.cube;
  RunMenuItem(kMenuSolvePattern);
  RunMenuItem(kMenuPlayMoves);
  EXPECT_EQ(PlayerPosition(), PlayerLength());
  EXPECT_GT(PlayerLength(), 0);
  EXPECT_TRUE(Shows(made));
  PlayerGoToStart();
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  ClosePlayer();
  RunUndo();

  // A move file from the solved cube, in the move file's own notation with its slices.
  const std::string path = WriteTemp("player.mov", "R u\nl2 F'\n");
  recording.answers.push_back(path);
  HandleCharacter('{');
  const Cube fromFile = document.cube;
  RunMenuItem(kMenuPlayMoves);
  EXPECT_EQ(PlayerText(), "R u\nl2 F'\n");
  EXPECT_EQ(PlayerLength(), 4);
  EXPECT_EQ(PlayerPosition(), 4);
  EXPECT_TRUE(Shows(fromFile));
  PlayerClickText(2);  // the u
  EXPECT_EQ(PlayerPosition(), 1);
  ClosePlayer();

  // Turned since: the same moves play from what the window shows, and the field says so.
  HandleCharacter('r');
  const Cube turned = document.cube;
  RunMenuItem(kMenuPlayMoves);
  EXPECT_EQ(PlayerPosition(), 0);
  EXPECT_TRUE(Shows(turned));
  EXPECT_NE(PlayerProblem(), "");
  ClosePlayer();
  // Gone since: the player opens empty and says why.
  std::remove(path.c_str());
  RunMenuItem(kMenuPlayMoves);
  EXPECT_EQ(PlayerLength(), 0);
  EXPECT_NE(PlayerProblem().find(path), std::string::npos) << PlayerProblem();
  EXPECT_TRUE(Shows(turned));
}

TEST_F(PlayerWindow, TheFieldPlaysFromTheShownPatternOrSaysWhichTokenItRefuses) {
  RunMenuItem(kMenuPlayMoves);
  EXPECT_EQ(PlayerLength(), 0);
  EXPECT_EQ(PlayerText(), "");
  HandleCharacter('r');
  const Cube shown = document.cube;
  RunMenuItem(kMenuPlayMoves);
  const std::string text = "[R, U] Rw' x";
  recording.playerChanges = 0;
  ASSERT_TRUE(EnterPlayerMoves(text.data(), text.size()));
  EXPECT_EQ(recording.playerChanges, kPlayerEverything);
  EXPECT_EQ(PlayerPosition(), 0);
  EXPECT_EQ(PlayerLength(), 6);
  EXPECT_TRUE(Shows(shown));
  PlayerGoToEnd();
  EXPECT_TRUE(Shows(After(shown, text)));
  const std::string bad = "R U Q2";
  EXPECT_FALSE(EnterPlayerMoves(bad.data(), bad.size()));
  EXPECT_NE(PlayerProblem().find("Q2"), std::string::npos) << PlayerProblem();
  EXPECT_EQ(PlayerText(), text);  // the sequence stays, where it was
  EXPECT_EQ(PlayerPosition(), 6);
  EXPECT_TRUE(Shows(After(shown, text)));
}

TEST_F(PlayerWindow, TheNetMarksTheLayersTheNextMoveTurnsOnlyWhileOpen) {
  StartFresh(recording, 4);
  Type("R 2R");
  RunMenuItem(kMenuPlayMoves);
  EXPECT_EQ(MarkedSquares(), 0);  // at the end: no next move
  PlayerGoToStart();
  EXPECT_EQ(MarkedSquares(), 16 + 4 * 4);  // R's face and its layer round U, F, D and B
  PlayerStepForward();
  EXPECT_EQ(MarkedSquares(), 4 * 4);  // an inner layer: no face turns with it
  ClosePlayer();
  EXPECT_EQ(MarkedSquares(), 0);
}

TEST_F(PlayerWindow, PlaysOnTheTimerAtItsSpeedAnimatingEachMoveInTheCubeView) {
  Type("R U R' U'");
  RunMenuItem(kMenuViewCube);
  RunMenuItem(kMenuPlayMoves);
  PlayerSetSpeed(4);   // a move every 250 ms
  PlayerTogglePlay();  // at the end: from the start again
  EXPECT_TRUE(PlayerPlaying());
  EXPECT_EQ(PlayerPosition(), 0);
  EXPECT_EQ(CheckSolved(document.cube.size, document.cube.live), 0);
  EXPECT_EQ(recording.timer, kFrameMilliseconds);
  recording.now = 249;
  TimerTick();
  EXPECT_EQ(PlayerPosition(), 0);
  recording.now = 250;
  TimerTick();
  EXPECT_EQ(PlayerPosition(), 1);
  EXPECT_TRUE(document.animation.active);  // R turning, faster than a step's turn to keep up
  EXPECT_EQ(document.animation.quarterMilliseconds, 125);
  recording.now = 1000;
  TimerTick();
  EXPECT_EQ(PlayerPosition(), 4);
  EXPECT_FALSE(PlayerPlaying());  // stopped at the end; the timer stops with the last turn
  recording.now = 5000;
  TimerTick();
  EXPECT_EQ(recording.timer, 0);
  // A step turns at the usual pace; a jump shows its end at once.
  PlayerStepBack();
  EXPECT_TRUE(document.animation.active);
  EXPECT_EQ(document.animation.quarterMilliseconds, kQuarterTurnMilliseconds);
  PlayerGoToStart();
  EXPECT_FALSE(document.animation.active);
}

TEST_F(PlayerWindow, SavesItsSequenceAsAnAnimationInTheWindowsView) {
  if (!MovingPicturesAvailable()) GTEST_SKIP() << "this build writes no GIF";
  Type("R U2");
  RunMenuItem(kMenuPlayMoves);
  const std::string path = TempPath("player.gif");
  std::remove(path.c_str());
  recording.saved.push_back(path);
  PlayerSaveGif();
  EXPECT_TRUE(recording.boxes.empty());
  const std::string gif = ReadWhole(path);
  EXPECT_EQ(gif.compare(0, 6, "GIF89a"), 0);
  recording.saved.push_back(TempPath("player.png"));
  PlayerSaveGif();
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_NE(recording.boxes[0].text.find(".gif"), std::string::npos);
  EXPECT_TRUE(PlayerIsOpen());
}

}  // namespace
