// The player's window as both front ends show it: the sequence it opens on, its texts and controls, and
// the main window following it. The front end lays out the controls and calls these; nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "cube/cube.h"
#include "files/text_place.h"

extern const char kPlayerTitle[];
extern const char kPlayerPrompt[];
extern const char kPlayerEmpty[];
extern const char kPlayerSpeedLabel[];
// Start, step back, play, pause, step forward, end, and saving the animation.
extern const char* const kPlayerButtons[7];
enum PlayerButton {
  kPlayerStartButton,
  kPlayerBackButton,
  kPlayerPlayButton,
  kPlayerPauseButton,  // the play button's text while playing
  kPlayerForwardButton,
  kPlayerEndButton,
  kPlayerSaveGifButton
};
// The speeds offered, in moves a second, slowest first.
const int kPlaySpeedCount = 11;
extern const double kPlaySpeeds[kPlaySpeedCount];

// What changed since the window last looked, as PlayerChanged's flags.
enum PlayerChange {
  kPlayerTextChanged = 1,      // a new sequence: its text, its length, the problem under the field
  kPlayerPositionChanged = 2,  // the position, the marked move, the counts
  kPlayerStateChanged = 4,     // playing or not, the speed
};
const int kPlayerEverything = kPlayerTextChanged | kPlayerPositionChanged | kPlayerStateChanged;

// Sequences as the program meets them: the moves typed or applied from `start` (in the standard
// notation, or the move file's), a move file's by its path, read again when the player opens on them;
// the solver's answer from the solved cube.
void NoteSequenceText(const Cube& start, const char* text, size_t length);
void NoteSequenceFile(const Cube& start, const char* path, bool standard);
void NoteSequenceAnswer(int size, const char* alg);

bool PlayerIsOpen();
// "Play moves…": the last sequence met, at the position that shows what the window shows; empty
// before any. Open already, its window comes to the front.
void OpenPlayer();
// Keeps the pattern shown as one undo step. Every key, click and menu item in the main window closes it
// first.
void ClosePlayer();

// The field's text in the standard notation, played from the pattern the window shows; a refusal keeps
// the sequence and says why under the field.
bool EnterPlayerMoves(const char* text, size_t length);
void PlayerGoToStart();
void PlayerStepBack();
void PlayerTogglePlay();
void PlayerStepForward();
void PlayerGoToEnd();
void PlayerJumpTo(int64_t position);
// A click at a byte of the text: to just before the move its token makes; false when no token holds
// the byte.
bool PlayerClickText(uint64_t offset);
void PlayerSetSpeed(double movesPerSecond);
// The animation of the sequence in the window's view, at the player's speed, through the save chooser.
bool PlayerCanSaveGif();
void PlayerSaveGif();
// The platform's timer, while playing.
void PlayerTick();

// What the window shows.
const std::string& PlayerText();
const std::string& PlayerProblem();  // empty for none
int64_t PlayerPosition();
int64_t PlayerLength();
bool PlayerPlaying();
double PlayerSpeed();
// The token of the move played next; false at the end.
bool PlayerNextPlace(TextPlace* place);
// "Move 12 of 40 · block turns 11 of 38 · OBTM 13 of 44".
void FormatPlayerCounts(char* text, size_t capacity);
