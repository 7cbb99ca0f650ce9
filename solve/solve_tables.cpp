// The two-phase search's pruning tables, by breadth-first search over the coordinates' move tables,
// and the checks of a copy read back.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "solve/solve_coordinates.h"
#include "solve/solve_search.h"

namespace {

SearchTables& T = searchTables;

// The cache file's name: solver-tables-EDITION.bin.
const char kTableName[] = "solver-tables";

// Distances from (startA, startB) over a * b positions (index first * b + second), level by level, so
// no queue is needed.
template <typename MoveA, typename MoveB>
std::vector<uint8_t> Distances(int a, int b, int startA, int startB, int moves, MoveA moveA, MoveB moveB) {
  const int size = a * b;
  std::vector<uint8_t> distance(static_cast<size_t>(size), 0xFF);
  distance[static_cast<size_t>(startA * b + startB)] = 0;
  for (int depth = 0, found = 1, filled = 1; found > 0; ++depth, filled += found) {
    found = 0;
    // Once most positions are reached it is cheaper to look from the rest for a neighbour one level
    // nearer (every move set here holds each move's inverse, so that neighbour reaches them).
    const bool backward = filled > size / 2;
    for (int index = 0; index < size; ++index) {
      if (distance[static_cast<size_t>(index)] != (backward ? 0xFF : depth)) continue;
      for (int m = 0; m < moves; ++m) {
        const int next = moveA(index / b, m) * b + moveB(index % b, m);
        if (backward && distance[static_cast<size_t>(next)] == depth) {
          distance[static_cast<size_t>(index)] = static_cast<uint8_t>(depth + 1), ++found;
          break;
        }
        if (!backward && distance[static_cast<size_t>(next)] == 0xFF)
          distance[static_cast<size_t>(next)] = static_cast<uint8_t>(depth + 1), ++found;
      }
    }
  }
  return distance;
}

// Two to a byte; past 14 kept as 14, which still never overestimates.
void PackHalves(const std::vector<uint8_t>& distance, uint8_t* prune) {
  std::memset(prune, 0, (distance.size() + 1) / 2);
  for (size_t index = 0; index < distance.size(); ++index)
    prune[index >> 1] |= static_cast<uint8_t>(std::min<int>(distance[index], 14) << ((index & 1) << 2));
}

// The distances over a * b positions, kept two to a byte for the classes' first members alone (the
// rest are read through a symmetry), as many classes as the table holds whatever was found.
template <typename MoveA, typename MoveB>
void KeepByClass(uint8_t* table, const std::vector<int>& members, int classes, int a, int b, int startA,
                 int startB, int moves, MoveA moveA, MoveB moveB) {
  const std::vector<uint8_t> distance = Distances(a, b, startA, startB, moves, moveA, moveB);
  std::vector<uint8_t> kept(static_cast<size_t>(classes) * static_cast<size_t>(b), 0);
  for (int k = 0; k < classes && k < static_cast<int>(members.size()); ++k)
    std::copy_n(distance.begin() + static_cast<long>(members[static_cast<size_t>(k)]) * b, b,
                kept.begin() + static_cast<long>(k) * b);
  PackHalves(kept, table);
}

}  // namespace

void FillSearchTables() {
  BuildMoveTables();
  SymmetryClasses classes;
  BuildSymmetryTables(&classes);
  const auto twist = [](int c, int m) { return T.twistMove[c][m]; };
  const auto flip = [](int c, int m) { return T.flipMove[c][m]; };
  const auto slice = [](int c, int m) { return T.sliceMove[c][m]; };
  const auto corner = [](int c, int k) { return T.cornerMove[c][T.phase2Move[k]]; };
  const auto ud = [](int c, int k) { return T.udMove[c][k]; };
  const auto slicePerm = [](int c, int k) { return T.slicePermMove[c][k]; };
  KeepByClass(T.twistSlicePrune, classes.twists, kTwistClasses, kTwists, kSlices, 0, T.solvedSlice, kMoves,
              twist, slice);
  KeepByClass(T.flipSlicePrune, classes.flips, kFlipClasses, kFlips, kSlices, 0, T.solvedSlice, kMoves, flip,
              slice);
  KeepByClass(T.twistFlipPrune, classes.twists, kTwistClasses, kTwists, kFlips, 0, 0, kMoves, twist, flip);
  KeepByClass(T.cornerSlicePrune, classes.corners, kCornerClasses, kPerms8, kPerms4, 0, 0, kPhase2Moves,
              corner, slicePerm);
  KeepByClass(T.udSlicePrune, classes.uds, kUdClasses, kPerms8, kPerms4, 0, 0, kPhase2Moves, ud, slicePerm);
  // The corners' combination follows from their permutation, whatever the permutation behind it.
  uint8_t combMove[kCombs][kPhase2Moves];
  for (int c = 0; c < kPerms8; ++c)
    for (int k = 0; k < kPhase2Moves; ++k) combMove[T.combOf[c]][k] = T.combOf[corner(c, k)];
  KeepByClass(T.udCombPrune, classes.uds, kUdClasses, kPerms8, kCombs, 0, T.combOf[0], kPhase2Moves, ud,
              [&combMove](int c, int k) { return combMove[c][k]; });
}

SearchTablesSource LoadSearchTables(TableStore* store) {
  size_t size = 0;
  void* data = SearchTableBytes(&size);
  if (store != nullptr && store->Load(kTableName, kSearchTablesEdition, data, size) && SearchTablesValid())
    return kTablesRead;
  FillSearchTables();
  return store != nullptr && store->Save(kTableName, kSearchTablesEdition, data, size) ? kTablesBuiltAndKept
                                                                                       : kTablesBuilt;
}

void ReadySearchTables() {
  static std::once_flag ready;
  std::call_once(ready, [] { LoadSearchTables(InstalledTableStore()); });
}

void* SearchTableBytes(size_t* size) {
  *size = sizeof T;
  return &T;
}

bool SearchTablesValid() {
  // Every entry that indexes another table must stay inside it; the distances are only compared.
  bool valid = T.solvedSlice >= 0 && T.solvedSlice < kSlices;
  // Without a branch an entry, so a start-up that reads the tables back pays little for the check.
  const auto within = [&valid](const auto& table, int limit) {
    unsigned outside = 0;
    for (const auto& row : table)
      for (const auto entry : row)
        outside |= static_cast<unsigned>(static_cast<int>(entry) >= limit || entry < 0);
    valid = valid && outside == 0;
  };
  within(T.twistMove, kTwists);
  within(T.flipMove, kFlips);
  within(T.sliceMove, kSlices);
  within(T.cornerMove, kPerms8);
  within(T.udMove, kPerms8);
  within(T.slicePermMove, kPerms4);
  within(T.flipConj, kFlips);
  within(T.sliceConj, kSlices);
  for (const auto c : T.twistClass) valid = valid && c < kTwistClasses * kSymmetries;
  for (const auto c : T.flipClass) valid = valid && c < kFlipClasses * kSymmetries;
  for (const auto c : T.cornerClass) valid = valid && c < kCornerClasses * kSymmetries;
  for (const auto c : T.udClass) valid = valid && c < kUdClasses * kSymmetries;
  within(T.slicePermConj, kPerms4);
  within(T.combConj, kCombs);
  for (const auto code : T.inverse8) valid = valid && code < kPerms8;
  for (const auto code : T.inverse4) valid = valid && code >= 0 && code < kPerms4;
  for (const auto& group : T.sortedMove) within(group, kSorted);
  within(T.groupCubies, 12);
  for (int k = 0; k < 4; ++k) valid = valid && T.slicePos[k] >= 0 && T.slicePos[k] < 12;
  for (int k = 0; k < 8; ++k) valid = valid && T.udPos[k] >= 0 && T.udPos[k] < 12;
  for (int k = 0; k < kPhase2Moves; ++k) valid = valid && T.phase2Move[k] >= 0 && T.phase2Move[k] < kMoves;
  for (int m = 0; m < kMoves; ++m) valid = valid && T.phase2Index[m] >= -1 && T.phase2Index[m] < kPhase2Moves;
  for (int m = 0; m < kMoves; ++m)
    valid = valid && (T.phase2Index[m] < 0 || T.phase2Move[T.phase2Index[m]] == m);
  for (const auto comb : T.combOf) valid = valid && comb < kCombs;
  return valid;
}
