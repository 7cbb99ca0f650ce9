// The 3×3×3 two-phase search's entry points, for the front door and the tests.
#pragma once

#include <cstddef>
#include <cstdint>

const int kMaxSolveLength = 32;

// Whether the fixed centres of this 3×3×3 pattern are home.
bool CentresHome(int n, const int32_t* pattern);
// Turns from the solved cube to `unrotated` (centres home), at most 20 face turns, shorter while
// limitSeconds (counted from the call; the first answer is always waited for) allows; with a limit of
// 0 or less, the first answer (still the fewest for patterns under 6 turns away). *optimal when no
// shorter can exist. Returns their number, -1 when the pattern reads as no position.
int SolveEdgesAndCorners(const int32_t* unrotated, double limitSeconds, int* faces, int* quarterTurns,
                         bool* optimal);
// The clock the search's time limit is read from, in seconds from any fixed start; nullptr puts back
// the steady clock. For tests that hold the limit without waiting.
void SetSolveClock(double (*now)());
double SolveClock();
// The positions the last search visited in both phases: a measure of its work that no other load on
// the machine changes.
long SearchNodes();
// Builds the move and pruning tables now, if not built yet.
void BuildSearchTables();
// Builds them again, built or not: for measuring.
void FillSearchTables();

// For a copy kept on disk: the tables' fixed storage, a mark that they are filled (after a copy was
// read into it), and a check that every entry of a copy read back indexes inside its table.
void* SearchTableBytes(size_t* size);
void MarkSearchTables(bool filled);
bool SearchTablesValid();
// A number to change whenever the tables' layout or contents change, so older copies are rebuilt.
const unsigned kSearchTablesEdition = 3;
