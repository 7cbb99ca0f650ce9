// The edge stage's macros built for a size: slice-macro-unslice steps and wing cycles that keep the
// centres, each with how it fills the edge places, and the scores they are chosen by.
#include "solve/big/edge_macros.h"

#include <cstring>
#include <utility>

#include "cube/size_tables.h"
#include "study/facelet_map.h"
#include "study/pieces.h"
#include "study/reachability_steps.h"

namespace big_edge {

namespace {

// Inner: the wings next to the corners are left out, free to go anywhere, as a smaller solver finishes
// them later.
const EdgePlaces& BuildPlaces(int n, bool inner, EdgePlaces* p) {
  std::memset(p, 0, sizeof *p);
  std::memset(p->placeOfCell, -1, sizeof p->placeOfCell);
  const PieceSet& set = PiecesOf(n);
  const PieceLists& lists = ListsOf(n);
  int counts[12] = {};
  for (int k = 0; k < set.count; ++k) {
    const Piece& piece = set.pieces[k];
    if (piece.kind != kWingPiece && piece.kind != kMiddleEdgePiece) continue;
    if (inner && piece.kind == kWingPiece && piece.orbit == 1) continue;
    const int place = lists.edgePlace[k];
    p->placeOfCell[piece.cells[0]] = p->placeOfCell[piece.cells[1]] = static_cast<int8_t>(place);
    int16_t* slot = piece.kind == kWingPiece ? p->wing[place][counts[place]++] : p->middle[place];
    p->sideOfCell[piece.cells[1]] = 1;
    p->slotOfCell[piece.cells[0]] = p->slotOfCell[piece.cells[1]] =
        static_cast<int8_t>(piece.kind == kWingPiece ? counts[place] - 1 : -1);
    slot[0] = piece.cells[0];
    slot[1] = piece.cells[1];
  }
  p->wings = counts[0];
  for (int cell = 0; cell < kCellCount; ++cell)
    if (p->placeOfCell[cell] >= 0 && p->slotOfCell[cell] < 0)
      p->slotOfCell[cell] = static_cast<int8_t>(p->wings);
  return *p;
}

}  // namespace

int PlaceScore(const BigState& state, const EdgePlaces& p, int place) {
  const int8_t* cells = state.cells;
  if (state.n % 2 == 1) {
    const int8_t first = cells[p.middle[place][0]], second = cells[p.middle[place][1]];
    int score = 0;
    for (int w = 0; w < p.wings; ++w)
      score += cells[p.wing[place][w][0]] == first && cells[p.wing[place][w][1]] == second;
    return score;
  }
  // The most wings that show one edge's colours the same way round.
  uint8_t counts[36] = {};
  int best = 0;
  for (int w = 0; w < p.wings; ++w) {
    const int same = ++counts[cells[p.wing[place][w][0]] * 6 + cells[p.wing[place][w][1]]];
    if (same > best) best = same;
  }
  return best;
}

int Score(const BigState& state, const EdgePlaces& p) {
  int score = 0;
  for (int place = 0; place < 12; ++place) score += PlaceScore(state, p, place);
  return score;
}

namespace {

// How each place the macro touches is filled (`perm` gives the cell each cell's colour comes from), and
// its cells reordered to match.
void SortPlaces(int n, EdgeTables* tables, const int16_t* perm, Macro* macro) {
  const EdgePlaces& p = tables->places;
  bool partial[12] = {};
  for (int k = 0; k < macro->placeCount; ++k) {
    const int place = macro->places[k];
    const int16_t* first = p.middle[place];
    int source = n % 2 == 1 ? p.placeOfCell[perm[first[0]]] : p.placeOfCell[perm[p.wing[place][0][0]]];
    const int side = n % 2 == 1 ? p.sideOfCell[perm[first[0]]] : p.sideOfCell[perm[p.wing[place][0][0]]];
    int changed = 0;
    for (int w = 0; w < p.wings; ++w) {
      const int16_t* wing = p.wing[place][w];
      if (perm[wing[0]] != wing[0] || perm[wing[1]] != wing[1]) changed |= 1 << w;
      if (p.placeOfCell[perm[wing[0]]] != source || p.sideOfCell[perm[wing[0]]] != side) source = -1;
    }
    // A middle moved in from elsewhere may leave every wing agreeing or none.
    if (n % 2 == 1 && perm[first[0]] != first[0]) changed = (1 << p.wings) - 1;
    macro->source[k] = static_cast<int8_t>(source);
    macro->changed[k] = static_cast<uint16_t>(changed);
    partial[place] = source < 0;
  }
  int16_t* to = &tables->to[static_cast<size_t>(macro->first)];
  int16_t* from = &tables->from[static_cast<size_t>(macro->first)];
  macro->partial = 0;
  for (int k = 0; k < macro->size; ++k) {
    if (!partial[p.placeOfCell[to[k]]]) continue;
    std::swap(to[k], to[macro->partial]);
    std::swap(from[k], from[macro->partial]);
    ++macro->partial;
  }
  macro->firstSlotMove = static_cast<int>(tables->slotMoves.size());
  for (int k = 0; k < macro->partial; ++k) {
    if (p.sideOfCell[to[k]] != 0) continue;
    int8_t at = 0;
    while (macro->places[at] != p.placeOfCell[to[k]]) ++at;
    const SlotMove move{at, p.slotOfCell[to[k]], p.placeOfCell[from[k]], p.slotOfCell[from[k]],
                        p.sideOfCell[from[k]] != 0};
    tables->slotMoves.push_back(move);
  }
  macro->slotMoves = static_cast<int>(tables->slotMoves.size()) - macro->firstSlotMove;
}

// Keeps the macro when it leaves every centre on its face, with its effect on the edge cells.
void AddIfCentresStay(int n, EdgeTables* tables, Macro* candidate) {
  int16_t perm[kCellCount];
  Macro& macro = *candidate;
  for (int c = 0; c < kCellCount; ++c) perm[c] = static_cast<int16_t>(c);
  for (int k = 0; k < macro.count; ++k) CarryAlong(n, perm, macro.moves[k]);
  bool keepsCentres = true;
  macro.first = static_cast<int>(tables->to.size());
  bool seen[12] = {};
  ForEachUsedCell(n, [&](int cell) {
    if (perm[cell] == cell) return;
    const int place = tables->places.placeOfCell[cell];
    if (place < 0) {
      // Corners may move (the last stage places them), and wings left out; a centre only within its face.
      const Piece& piece = PiecesOf(n).pieces[PiecesOf(n).pieceOfCell[cell]];
      keepsCentres = keepsCentres && (piece.kind == kCornerPiece || piece.kind == kWingPiece ||
                                      perm[cell] / kFaceStride == cell / kFaceStride);
      return;
    }
    seen[place] = true;
    if (tables->to.push_back(static_cast<int16_t>(cell))) tables->from.push_back(perm[cell]);
  });
  macro.size = static_cast<int>(tables->to.size()) - macro.first;
  if (!keepsCentres || macro.size == 0 || tables->to.size() >= kMaxMacroCells) {
    tables->to.resize(macro.first);
    tables->from.resize(macro.first);
    return;
  }
  for (int place = 0; place < 12; ++place)
    if (seen[place]) macro.places[macro.placeCount++] = static_cast<int8_t>(place);
  SortPlaces(n, tables, perm, &macro);
  macro.outerCost = 0;
  for (int k = 0; k < macro.count; ++k)
    macro.outerCost = static_cast<int8_t>(macro.outerCost + OuterBlockTurns(macro.moves[k], n));
  tables->macros.push_back(macro);
}

// Commutators of one inner layer with a face turn conjugated by another, [s, Y X Y']: where they
// meet in one wing they cycle three wings and nothing else, which finishes any orbit the slice
// steps leave.
void AddWingCycles(int n, EdgeTables* tables) {
  static const int8_t kAxisFace[3] = {U, L, F};
  for (int axis = 0; axis < 3; ++axis)
    for (int layer = 2; layer < n; ++layer) {
      if (n % 2 == 1 && layer == (n + 1) / 2) continue;
      for (int qa = 1; qa < 4; qa += 2)
        for (int y = 0; y < 6; ++y)
          for (int qy = 1; qy < 4; ++qy)
            for (int x = 0; x < 6; ++x) {
              if (x == y) continue;
              for (int qx = 1; qx < 4; qx += 2) {
                const BlockMove a = Block(kAxisFace[axis], layer, layer, qa);
                const BlockMove yTurn = Block(y, 1, 1, qy), xTurn = Block(x, 1, 1, qx);
                Macro macro{};
                macro.count = 8;
                const BlockMove moves[8] = {a,
                                            yTurn,
                                            xTurn,
                                            InverseBlockMove(yTurn),
                                            InverseBlockMove(a),
                                            yTurn,
                                            InverseBlockMove(xTurn),
                                            InverseBlockMove(yTurn)};
                for (int k = 0; k < 8; ++k) macro.moves[k] = moves[k];
                macro.endgame = true;
                AddIfCentresStay(n, tables, &macro);
              }
            }
    }
}

const int8_t kOppositeFace[6] = {D, R, B, L, F, U};

// Face-turn sequences written for a slice block about the U-D axis; the others come from them by
// relabelling faces (x and z rotations of the frame).
struct Base {
  int count;
  int8_t faces[7], turns[7];
};
const Base kBases[] = {
    {7, {R, U, R, F, R, F, R}, {1, 1, 3, 1, 3, 3, 1}},  // takes the F-R edge out flipped, one from U in
    {3, {R, U, R}, {1, 1, 3}},
    {3, {R, U, R}, {1, 3, 3}},
    {3, {R, U, R}, {1, 2, 3}},
    {3, {R, U, R}, {3, 1, 1}},
    {3, {R, U, R}, {3, 3, 1}},
    {3, {R, U, R}, {3, 2, 1}},
};

void AddMacros(int n, EdgeTables* tables) {
  // Face relabellings: y rotations of the frame, then which axis the slices turn about.
  static const int8_t kYRotate[6] = {U, B, L, F, R, D};  // face f of the base becomes kYRotate[f]
  static const int8_t kToX[6] = {L, D, F, U, B, R};      // slices about L-R: U->L ... (z rotation)
  static const int8_t kToZ[6] = {B, L, U, R, D, F};      // slices about F-B (x rotation)
  static const int8_t kAxisFace[3] = {U, L, B};
  const bool odd = n % 2 == 1;
  for (int axis = 0; axis < 3; ++axis)
    for (const Base& base : kBases)
      for (int spin = 0; spin < 4; ++spin)
        for (int mirror = 0; mirror < 2; ++mirror) {
          BlockMove faceTurns[7];
          for (int k = 0; k < base.count; ++k) {
            int face = base.faces[k];
            int turns = base.turns[k];
            if (mirror) {  // left-right mirror image: R<->L and every turn the other way
              if (face == R)
                face = L;
              else if (face == L)
                face = R;
              turns = 4 - turns;
            }
            for (int s = 0; s < spin; ++s) face = kYRotate[face];
            if (axis == 1) face = kToX[face];
            if (axis == 2) face = kToZ[face];
            faceTurns[k] = Block(face, 1, 1, turns);
          }
          for (int first = 2; first < n; ++first)
            for (int last = first; last < n; ++last) {
              if (odd && first <= (n + 1) / 2 && last >= (n + 1) / 2) continue;
              for (int q = 1; q < 4; ++q) {
                Macro macro{};
                macro.moves[macro.count++] = Block(kAxisFace[axis], first, last, q);
                for (int k = 0; k < base.count; ++k) macro.moves[macro.count++] = faceTurns[k];
                macro.moves[macro.count++] = Block(kAxisFace[axis], first, last, 4 - q);
                macro.endgame = &base == &kBases[0] && first == last;
                AddIfCentresStay(n, tables, &macro);
                // The same with the block turned together with the face next to it: one outer block
                // each way instead of an inner one, the face's edges taken along.
                if (first != 2 && last != n - 1) continue;
                Macro wide = macro;
                wide.count = 0;
                wide.size = wide.placeCount = 0;
                wide.endgame = false;
                wide.wide = true;
                const BlockMove in = first == 2
                                         ? Block(kAxisFace[axis], 1, last, q)
                                         : Block(kOppositeFace[kAxisFace[axis]], 1, n + 1 - first, 4 - q);
                wide.moves[wide.count++] = in;
                for (int k = 0; k < base.count; ++k) wide.moves[wide.count++] = faceTurns[k];
                wide.moves[wide.count++] = InverseBlockMove(in);
                AddIfCentresStay(n, tables, &wide);
              }
            }
        }
}

template <bool kInner>
void BuildEdgeTables(int n, EdgeTables* tables) {
  tables->n = n;
  tables->inner = kInner;
  BuildPlaces(n, kInner, &tables->places);
  AddMacros(n, tables);
  AddWingCycles(n, tables);
}

}  // namespace

const EdgeTables& EdgeTablesOf(int n, bool inner) {
  return inner ? LargeTableOfSize<EdgeTables, BuildEdgeTables<true>>(n)
               : LargeTableOfSize<EdgeTables, BuildEdgeTables<false>>(n);
}

// The score gained by the macro: its cells moved on a scratch copy, the places it touches rescored.
int PlainGain(BigState* state, const EdgeTables& tables, const Macro& macro, int8_t* saved,
              const int* placeScores) {
  const int16_t* to = &tables.to[macro.first];
  const int16_t* from = &tables.from[macro.first];
  int before = 0, after = 0;
  for (int k = 0; k < macro.placeCount; ++k) before += placeScores[macro.places[k]];
  for (int k = 0; k < macro.size; ++k) saved[k] = state->cells[to[k]];
  int8_t moved[kCellCount];
  for (int k = 0; k < macro.size; ++k) moved[k] = state->cells[from[k]];
  for (int k = 0; k < macro.size; ++k) state->cells[to[k]] = moved[k];
  for (int k = 0; k < macro.placeCount; ++k) after += PlaceScore(*state, tables.places, macro.places[k]);
  for (int k = 0; k < macro.size; ++k) state->cells[to[k]] = saved[k];
  return after - before;
}

// The most the macro can gain: places filled whole take their source's score; in the others the
// changed wings that counted are lost (or the next pair comes to count most) and each changed wing may
// count after.
int GainBound(const EdgeTables& tables, const Macro& macro, const PairCodes& codes, const int* placeScores) {
  int gain = 0;
  for (int k = 0; k < macro.placeCount; ++k) {
    const int place = macro.places[k], before = placeScores[place];
    if (macro.source[k] >= 0) {
      gain += placeScores[macro.source[k]] - before;
      continue;
    }
    const uint16_t changed = macro.changed[k];
    const int kept = before - __builtin_popcount(codes.counted[place] & changed);
    const int after = (kept > codes.next[place] ? kept : codes.next[place]) + __builtin_popcount(changed);
    gain += (after < tables.places.wings ? after : tables.places.wings) - before;
  }
  return gain;
}

void ReadCodes(const BigState& state, const EdgePlaces& p, PairCodes* codes) {
  for (int place = 0; place < 12; ++place) {
    for (int w = 0; w < p.wings; ++w)
      codes->of[place][w] =
          static_cast<uint8_t>(state.cells[p.wing[place][w][0]] * 6 + state.cells[p.wing[place][w][1]]);
    codes->of[place][p.wings] =
        static_cast<uint8_t>(state.cells[p.middle[place][0]] * 6 + state.cells[p.middle[place][1]]);
    const uint8_t* of = codes->of[place];
    uint16_t counted = 0;
    int next = 0;
    if (state.n % 2 == 1) {
      for (int w = 0; w < p.wings; ++w)
        if (of[w] == of[p.wings]) counted = static_cast<uint16_t>(counted | 1 << w);
    } else {
      uint8_t counts[36] = {};
      int most = 0, mostCode = 0;
      for (int w = 0; w < p.wings; ++w)
        if (++counts[of[w]] > most) most = counts[of[w]], mostCode = of[w];
      for (int c = 0; c < 36; ++c)
        if (c != mostCode && counts[c] > next) next = counts[c];
      for (int w = 0; w < p.wings; ++w)
        if (of[w] == mostCode) counted = static_cast<uint16_t>(counted | 1 << w);
    }
    codes->counted[place] = counted;
    codes->next[place] = static_cast<int8_t>(next);
  }
}

namespace {

// PlaceScore read from the place's pair codes.
int CodeScore(const uint8_t* codes, int wings, bool odd) {
  int score = 0;
  if (odd) {
    for (int w = 0; w < wings; ++w) score += codes[w] == codes[wings];
    return score;
  }
  uint8_t counts[36] = {};
  for (int w = 0; w < wings; ++w) {
    const int same = ++counts[codes[w]];
    if (same > score) score = same;
  }
  return score;
}

}  // namespace

// The same gain as PlainGain: places filled whole take their source's score, the others are rescored
// from the pair codes with the wings moved in.
int MacroGain(const EdgeTables& tables, const Macro& macro, const PairCodes& codes, const int* placeScores) {
  int gain = 0;
  for (int k = 0; k < macro.placeCount; ++k) {
    gain -= placeScores[macro.places[k]];
    if (macro.source[k] >= 0) gain += placeScores[macro.source[k]];
  }
  if (macro.slotMoves == 0) return gain;
  const int wings = tables.places.wings;
  uint8_t local[12][kMaxSize + 1];
  for (int k = 0; k < macro.placeCount; ++k)
    if (macro.source[k] < 0) std::memcpy(local[k], codes.of[macro.places[k]], sizeof local[k]);
  const SlotMove* moves = &tables.slotMoves[static_cast<size_t>(macro.firstSlotMove)];
  for (int m = 0; m < macro.slotMoves; ++m) {
    const uint8_t code = codes.of[moves[m].sourcePlace][moves[m].sourceSlot];
    local[moves[m].place][moves[m].slot] =
        moves[m].flipped ? static_cast<uint8_t>(code % 6 * 6 + code / 6) : code;
  }
  for (int k = 0; k < macro.placeCount; ++k)
    if (macro.source[k] < 0) gain += CodeScore(local[k], wings, tables.n % 2 == 1);
  return gain;
}

}  // namespace big_edge
