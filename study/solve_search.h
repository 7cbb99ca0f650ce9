// The 3×3×3 two-phase search's entry points, for the front door and the tests.
#pragma once

#include <cstdint>

const int kMaxSolveLength = 32;

// Whether the fixed centres of this 3×3×3 pattern are home.
bool CentresHome(int n, const int32_t* pattern);
// Turns from the solved cube to `unrotated` (centres home), at most 20 face turns, shorter while
// limitSeconds allows; *optimal when no shorter can exist. Returns their number, -1 when the pattern
// reads as no position.
int SolveEdgesAndCorners(const int32_t* unrotated, double limitSeconds, int* faces, int* quarterTurns,
                         bool* optimal);
// Builds the move and pruning tables now, if not built yet.
void BuildSearchTables();
// Builds them again, built or not: for measuring.
void FillSearchTables();
