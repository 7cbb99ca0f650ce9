// The 3×3×3 two-phase search's entry points, for the front door and the tests.
#pragma once

#include <cstddef>
#include <cstdint>

#include "solve/solve_limit.h"
#include "solve/table_store.h"

const int kMaxSolveLength = 32;

// Whether the fixed centres of this 3×3×3 pattern are home.
bool CentresHome(int n, const int32_t* pattern);
// Turns from the solved cube to `unrotated` (centres home), at most 20 face turns, shorter until
// `started` + limit.seconds on the limit's clock (the first answer is always waited for); with a limit of
// 0 or less, the first answer (still the fewest for patterns under 6 turns away). *optimal when no
// shorter can exist; *nodes, when asked, the positions both phases visited: a measure of the search's
// work that no other load on the machine changes. Returns their number, -1 when the pattern reads as
// no position. The search's state is its own, so any number may run at once.
int SolveEdgesAndCorners(const int32_t* unrotated, const SolveLimit& limit, double started, int* faces,
                         int* quarterTurns, bool* optimal, long* nodes = nullptr);

// The move and pruning tables: read through the installed table store, or built and kept there, the
// first time any search needs them; from any thread.
void ReadySearchTables();
enum SearchTablesSource { kTablesRead, kTablesBuiltAndKept, kTablesBuilt };
// Reads or builds them now through `store` (none: built), built or not: for the cache's tests and
// measuring, never while a search runs.
SearchTablesSource LoadSearchTables(TableStore* store);
// Builds them again, built or not: for measuring.
void FillSearchTables();

// The tables' fixed storage, for the tests of a copy read back, and the check that every entry of a copy
// read back indexes inside its table.
void* SearchTableBytes(size_t* size);
bool SearchTablesValid();
// A number to change whenever the tables' layout or contents change, so older copies are rebuilt.
const unsigned kSearchTablesEdition = 3;
