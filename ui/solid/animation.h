// Turns played on the solid cube: what a command made is noted while it runs, then played a quarter
// turn at a time on the platform's timer; the cube already shows the end, so ending early loses nothing.
#pragma once

#include "cube/block_move.h"
#include "cube/cube.h"

// A quarter turn's time; a half turn takes two.
const int kQuarterTurnMilliseconds = 150;
const int kFrameMilliseconds = 16;

// The moves a command makes start from the cube as it stands now: called as every recorded command
// starts, and again where one starts over (a move file, from the solved cube).
void NoteStart();
void NoteMove(const BlockMove& move);
void NoteMoves(const BlockMove* moves, size_t count);
// The command changed the cube some other way as well (a replay, say): nothing it made is played.
void NoteNoAnimation();
// After the command: in a solid view, up to 20 noted moves start playing, a quarter turn taking
// `quarterMilliseconds`.
void PlayNotedMoves(int quarterMilliseconds = kQuarterTurnMilliseconds);

// Ends the turn playing now at the end, as any input does.
void FinishAnimation();
// What the window shows while a turn plays: the pattern before it, the move and how far it has come.
bool AnimationFrame(const Cube** before, BlockMove* move, double* fraction);
// Moves the turns on to the platform's time now; true when the window must be painted again.
bool AdvanceAnimation();
