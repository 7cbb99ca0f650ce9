// A move as data: a block of adjacent layers turned about one face, written in the standard notation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cube/cube.h"

// Layers first to last (1 is the outer layer of `face`, up to N) turned quarterTurns (1 to 3) quarter
// turns clockwise as seen from `face`. The block of all N layers is a whole-cube rotation.
struct BlockMove {
  int8_t face;
  int8_t first, last;
  int8_t quarterTurns;
};

// Applies the move to the cube, as TurnBlock does.
void ApplyBlockMove(Cube& cube, const BlockMove& move);
// A list of moves, in order.
void ApplyBlockMoves(Cube& cube, const BlockMove* moves, size_t count);

// The same move turned the other way.
BlockMove InverseBlockMove(const BlockMove& move);

// Whether the move turns the whole cube of size n (x, y or z).
bool IsRotation(const BlockMove& move, int n);

// The move in the standard notation at size n: R, R2, R', Rw, 3Rw, 3R, 2-4Rw, x, y', z2. At most
// kMaxMoveText characters with the terminating zero. Returns the length written.
const int kMaxMoveText = 12;
int FormatBlockMove(const BlockMove& move, int n, char* text);

// Counts in the usual metrics: block turns (every move but a rotation counts one) and quarter block
// turns (a half turn counts two).
int BlockTurns(const BlockMove& move, int n);
int QuarterBlockTurns(const BlockMove& move, int n);
// Outer block turns: a block that holds an outer layer counts one, an inner block two (it takes two
// outer blocks), a rotation nothing.
int OuterBlockTurns(const BlockMove& move, int n);
