// Patterns a few block turns from solved: every block turn searched two deep from the pattern and met
// against a table, built once per size, of everything two block turns from solved, each position
// keyed by its facelets seen from a frame its pieces fix (so that whole-cube rotations meet too).
#pragma once

#include "cube/block_move.h"
#include "solve/big/big_cube.h"

const int kShortAnswerTurns = 4;

// The fewest block turns (at most four) that make the pattern from the solved cube, rotations last;
// their count, or -1 when it needs more (or the table could not be had). Sizes 2 to 10.
int ShortAnswer(const BigState& pattern, BlockMove* answer, int capacity);
