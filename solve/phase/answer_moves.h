// Answers put in their final shape: whole-cube rotations moved to the end, runs about one axis merged,
// and the outer block turn metric.
#pragma once

#include <cstdint>

#include "cube/block_move.h"

// A list's outer block turns (cube/block_move.h counts one move).
int OuterBlockTurns(const BlockMove* moves, int count, int n);

// The same permutation of the cells with every rotation moved to the end (each move after one seen
// through it), the rotations then written as at most three of x, y and z. tags (may be null) follow
// their moves; the rotations at the end get -1. Returns the new count (never more than count + 3).
int RotationsLast(int n, BlockMove* moves, int8_t* tags, int count);

// Each run of moves about one axis rewritten as its fewest blocks (as SimplifyMoves does), a run's
// moves all taking the tag of its first. Returns the new count.
int MergeRuns(int n, BlockMove* moves, int8_t* tags, int count);

// Which of the 24 rotations (the symmetries 0 to 23 of phase_geometry.h) the rotation moves make.
int RotationSymmetry(int n, const BlockMove* moves, int count);
