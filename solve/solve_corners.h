// The 2×2×2 solver's entry points, for the front door and the tests.
#pragma once

#include <cstddef>
#include <cstdint>

// Distances run to 11 face turns or 14 quarter turns.
const int kMaxCornerDistance = 15;

// Whether the corner the solver holds fixed is home in this pattern of size n.
bool CornerHome(int n, const int32_t* pattern);
// The fewest turns from the solved cube to `unrotated` (fixed corner home): faces and clockwise
// quarter turns (1 to 3) of each; returns their number, -1 when the pattern reads as no position.
int SolveCorners(const int32_t* unrotated, int* faces, int* quarterTurns);
// The table's distance of `unrotated`, -1 when it reads as no position.
int CornerDistance(const int32_t* unrotated);
// The count of positions at each distance in face turns (kMaxCornerDistance entries), from the
// table built on first use.
const int* CornerDistanceCounts();
// The same counts in quarter turns, from a second table built for the call.
void CornerQuarterTurnCounts(int* counts);
// Builds the face-turn distance table again, built or not: for measuring.
void FillCornerTables();
// The tables' fixed storage, in bytes.
size_t CornerTableBytes();
