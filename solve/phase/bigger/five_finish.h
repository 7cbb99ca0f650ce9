// A big cube finished as a 5×5×5: with its centres home and the wings inside those next to the corners
// paired, every layer between the second and the second last turns as one, and the 5×5×5 solver does
// the rest.
#pragma once

#include "solve/big/big_cube.h"
#include "solve/phase/phase_solve.h"

// The 5×5×5 seen in the big cube: its layers the big cube's first, second, every middle one together,
// second last and last.
void FiveView(const BigState& state, int32_t* pattern5);

// Finishes the state by the 5×5×5 solver's first answer, each of its moves turning the layers it stands
// for, appended to the list. kSolved when the state is solved; kNoMemory when its tables could not be
// had; kCancelled through the limit; kUnsupported when the view is no 5×5×5's (checked first).
PhaseSolveStatus FinishAsFive(BigState* state, const SolveLimit& limit, BigMoveList* list);
