// Two block turns from the pattern met against a table of everything two from solved, positions keyed
// by their facelets once turned so that the U-F-R corner stands at home.
#include "solve/short/short_answers.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "solve/phase/answer_moves.h"
#include "solve/phase/phase_geometry.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_search.h"
#include "study/facelet_map.h"

namespace {

const int kMaxShortMoves = 3 * (kMaxSize * (kMaxSize + 1) / 2 - 1) * 3;

struct Entry {
  uint64_t key;  // 0: empty
  int16_t first, second;
  int8_t depth;
};

struct ShortTable {
  int n;
  int moveCount;
  BlockMove moves[kMaxShortMoves];
  // For the U-F-R corner standing at place q with twist t: the rotation that takes it home.
  int8_t homeRotation[8][3];
  int homePiece;
  // Facelet keys seen through each rotation: key[s][cell][colour].
  std::vector<uint64_t> keys;
  std::vector<Entry> entries;
  uint64_t mask;
};

ShortTable* tables[kMaxSize + 1];
std::once_flag tableOnce[kMaxSize + 1];

uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// The key of the state turned so that its U-F-R corner is home; 0 if the corner cannot be read.
uint64_t KeyOf(const ShortTable& t, const BigState& state) {
  const OrbitPlaces& corners = OrbitOf(t.n, kCornerOrbit);
  const PieceReader& reader = PieceReaderOf(t.n, kCornerOrbit);
  int rotation = -1;
  for (int q = 0; q < 8 && rotation < 0; ++q) {
    const int found = reader.pieceOf[q][state.cells[corners.cells[q][0]]][state.cells[corners.cells[q][1]]]
                                    [state.cells[corners.cells[q][2]]];
    if (found >= 0 && found / 4 == t.homePiece) rotation = t.homeRotation[q][found % 4];
  }
  if (rotation < 0) return 0;
  const uint64_t* key = &t.keys[static_cast<size_t>(rotation) * kCellCount * 6];
  uint64_t hash = 1;
  ForEachUsedCell(t.n, [&](int cell) { hash ^= key[cell * 6 + state.cells[cell]]; });
  return hash == 0 ? 1 : hash;
}

Entry* Find(ShortTable& t, uint64_t key) {
  for (uint64_t slot = key & t.mask;; slot = (slot + 1) & t.mask)
    if (t.entries[slot].key == key || t.entries[slot].key == 0) return &t.entries[slot];
}

void Build(int n, ShortTable* t) {
  t->n = n;
  t->moveCount = 0;
  for (int face : {U, L, F})
    for (int first = 1; first <= n; ++first)
      for (int last = first; last <= n; ++last) {
        if (first == 1 && last == n) continue;
        for (int q = 1; q <= 3; ++q) t->moves[t->moveCount++] = Block(face, first, last, q);
      }
  // Where each rotation puts the U-F-R corner, read from the solved cube turned by it.
  const OrbitPlaces& corners = OrbitOf(n, kCornerOrbit);
  const PieceReader& reader = PieceReaderOf(n, kCornerOrbit);
  BigState solved;
  BigSolved(n, &solved);
  t->homePiece = -1;
  for (int q = 0; q < 8; ++q) {
    const int faces[3] = {corners.cells[q][0] / kFaceStride, corners.cells[q][1] / kFaceStride,
                          corners.cells[q][2] / kFaceStride};
    if ((1 << faces[0] | 1 << faces[1] | 1 << faces[2]) == (1 << U | 1 << F | 1 << R)) t->homePiece = q;
  }
  std::memset(t->homeRotation, -1, sizeof t->homeRotation);
  for (int s = 0; s < 24; ++s) {
    const int16_t* source = SymmetrySources(n, s);
    BigState turned = solved;
    ForEachUsedCell(n, [&](int cell) { turned.cells[cell] = solved.cells[source[cell]]; });
    for (int q = 0; q < 8; ++q) {
      const int found = reader.pieceOf[q][turned.cells[corners.cells[q][0]]]
                                      [turned.cells[corners.cells[q][1]]][turned.cells[corners.cells[q][2]]];
      if (found >= 0 && found / 4 == t->homePiece) {
        // Turned by s, the corner stands at q: the rotation back is s's inverse.
        for (int back = 0; back < 24; ++back) {
          const int16_t* undo = SymmetrySources(n, back);
          bool inverse = true;
          ForEachUsedCell(n, [&](int cell) { inverse = inverse && source[undo[cell]] == cell; });
          if (inverse) t->homeRotation[q][found % 4] = static_cast<int8_t>(back);
        }
      }
    }
  }
  // Keys: a random key per (cell, colour), seen through each rotation at the cell it moves to.
  t->keys.assign(static_cast<size_t>(24) * kCellCount * 6, 0);
  for (int s = 0; s < 24; ++s) {
    const int16_t* source = SymmetrySources(n, s);
    ForEachUsedCell(n, [&](int image) {
      for (int colour = 0; colour < 6; ++colour)
        t->keys[(static_cast<size_t>(s) * kCellCount + source[image]) * 6 + colour] =
            Mix(static_cast<uint64_t>(image) * 6 + colour);
    });
  }
  size_t size = 1;
  const size_t wanted = static_cast<size_t>(t->moveCount) * t->moveCount * 2 + 64;
  while (size < wanted) size <<= 1;
  t->entries.assign(size, Entry{0, -1, -1, 0});
  t->mask = size - 1;
  auto store = [&](const BigState& state, int first, int second, int depth) {
    const uint64_t key = KeyOf(*t, state);
    Entry* e = Find(*t, key);
    if (e->key == 0)
      *e = Entry{key, static_cast<int16_t>(first), static_cast<int16_t>(second), static_cast<int8_t>(depth)};
  };
  store(solved, -1, -1, 0);
  for (int a = 0; a < t->moveCount; ++a) {
    BigState one = solved;
    BigApply(&one, t->moves[a]);
    store(one, a, -1, 1);
  }
  for (int a = 0; a < t->moveCount; ++a) {
    BigState one = solved;
    BigApply(&one, t->moves[a]);
    for (int b = 0; b < t->moveCount; ++b) {
      if (!MayFollow(n, t->moves[a], t->moves[b])) continue;
      BigState two = one;
      BigApply(&two, t->moves[b]);
      store(two, a, b, 2);
    }
  }
}

const ShortTable* TableOf(int n) {
  std::call_once(tableOnce[n], [n] {
    ShortTable* t = new (std::nothrow) ShortTable;
    if (t != nullptr) Build(n, t);
    tables[n] = t;
  });
  return tables[n];
}

}  // namespace

int ShortAnswer(const BigState& pattern, BlockMove* answer, int capacity) {
  const int n = pattern.n;
  if (n < 2 || n > kMaxSize || capacity < kShortAnswerTurns + 3) return -1;
  const ShortTable* table = TableOf(n);
  if (table == nullptr) return -1;
  ShortTable& t = *const_cast<ShortTable*>(table);
  // The pattern's side: no turn, one, then two; the first meeting at the fewest turns in all.
  int best = kShortAnswerTurns + 1, bestA = -1, bestB = -1;
  Entry found{0, -1, -1, 0};
  auto meet = [&](const BigState& state, int a, int b, int depth) {
    const Entry* e = Find(t, KeyOf(t, state));
    if (e->key == 0 || depth + e->depth >= best) return;
    best = depth + e->depth, bestA = a, bestB = b, found = *e;
  };
  meet(pattern, -1, -1, 0);
  for (int a = 0; a < t.moveCount && best > 1; ++a) {
    BigState one = pattern;
    BigApply(&one, t.moves[a]);
    meet(one, a, -1, 1);
  }
  for (int a = 0; a < t.moveCount && best > 2; ++a) {
    BigState one = pattern;
    BigApply(&one, t.moves[a]);
    for (int b = 0; b < t.moveCount; ++b) {
      if (!MayFollow(n, t.moves[a], t.moves[b])) continue;
      BigState two = one;
      BigApply(&two, t.moves[b]);
      meet(two, a, b, 2);
    }
  }
  if (best > kShortAnswerTurns) return -1;
  // The pattern after a, b is a rotation of solved after the table's turns: those turns, the rotation,
  // then b and a undone.
  BlockMove moves[kShortAnswerTurns + 8];
  int count = 0;
  BigState reached;
  BigSolved(n, &reached);
  for (int m : {found.first, found.second})
    if (m >= 0) BigApply(&reached, t.moves[m]), moves[count++] = t.moves[m];
  BigState target = pattern;
  for (int m : {bestA, bestB})
    if (m >= 0) BigApply(&target, t.moves[m]);
  const BigRotation* rotations = BigRotations(n);
  int rotation = -1;
  for (int r = 0; r < 24 && rotation < 0; ++r) {
    BigState turned = reached;
    for (int k = 0; k < rotations[r].count; ++k) BigApply(&turned, rotations[r].moves[k]);
    if (std::memcmp(turned.cells, target.cells, sizeof turned.cells) == 0) rotation = r;
  }
  if (rotation < 0) return -1;  // keys that met by chance
  for (int k = 0; k < rotations[rotation].count; ++k) moves[count++] = rotations[rotation].moves[k];
  for (int m : {bestB, bestA})
    if (m >= 0) moves[count++] = InverseBlockMove(t.moves[m]);
  count = RotationsLast(n, moves, nullptr, count);
  count = MergeRuns(n, moves, nullptr, count);
  if (count > capacity) return -1;
  BigState check;
  BigSolved(n, &check);
  for (int k = 0; k < count; ++k) BigApply(&check, moves[k]), answer[k] = moves[k];
  return std::memcmp(check.cells, pattern.cells, sizeof check.cells) == 0 ? count : -1;
}
