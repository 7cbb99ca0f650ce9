// The big cube's second stage: each edge's wings brought together (with its middle edge on odd sizes)
// by greedy slice-macro-unslice steps that keep the centres, scored by the wings that agree in each edge.
#include <cstring>
#include <utility>

#include "cube/size_tables.h"
#include "solve/big/big_cube.h"
#include "solve/big/edge_steps.h"
#include "study/facelet_map.h"
#include "study/pieces.h"
#include "study/reachability_steps.h"

namespace {

// Each of the twelve edge places: the cells of its wings (first facelet, second), and of the middle
// edge on odd sizes.
struct EdgePlaces {
  int wings;  // per place
  int16_t wing[12][kMaxSize][2];
  int16_t middle[12][2];
  int8_t placeOfCell[kCellCount];  // -1 for a cell on no edge
  int8_t sideOfCell[kCellCount];   // which of its piece's two facelets the cell is
  int8_t slotOfCell[kCellCount];   // the cell's wing in its place, `wings` for the middle edge
};

// Each edge place's wings (then its middle edge) as colour pairs, first facelet's colour times six
// plus the second's: a wing agrees with another, or with the middle, when their pairs are equal.
struct PairCodes {
  uint8_t of[12][kMaxSize + 1];
};

// A wing (or middle) of a place a macro fills partly: which of the macro's places, which slot, and where
// its colours come from, turned round or not.
struct SlotMove {
  int8_t place, slot, sourcePlace, sourceSlot;
  bool flipped;
};

// A step that keeps the centres: a block of slices, a short sequence of face turns, the block back.
// Its effect on the edge cells as a sparse permutation.
struct Macro {
  int8_t count;
  BlockMove moves[10];
  int first, size;  // into the shared to/from arrays
  int8_t places[12];
  int8_t placeCount;
  // For each place touched: the place it is filled from whole (every wing, and the middle, from there,
  // all the same way round, so that its score becomes that place's), or -1; and how many of its wings
  // change, which bounds what its score can gain. The cells of the places not filled whole come first
  // in the lists, `partial` of them.
  int8_t source[12];
  int8_t changed[12];
  int partial;
  int firstSlotMove, slotMoves;  // into the shared slot moves: how the partly filled places fill
  bool endgame;  // a wing 3-cycle or one slice's flip: searched behind longer set-ups on a plateau
  bool wide;     // its block turned with the face next to it: only for steps costed in outer block turns
  int8_t outerCost;
};

// The counts at 10×10×10, the most of any size.
const int kMaxMacros = 30000;
const int kMaxMacroCells = 2000000;

struct EdgeTables {
  int n = 0;
  EdgePlaces places;
  FixedList<Macro, kMaxMacros> macros;
  FixedList<int16_t, kMaxMacroCells> to, from;
  FixedList<SlotMove, kMaxMacroCells / 2> slotMoves;
};

const EdgePlaces& BuildPlaces(int n, EdgePlaces* p) {
  std::memset(p, 0, sizeof *p);
  std::memset(p->placeOfCell, -1, sizeof p->placeOfCell);
  const PieceSet& set = PiecesOf(n);
  const PieceLists& lists = ListsOf(n);
  int counts[12] = {};
  for (int k = 0; k < set.count; ++k) {
    const Piece& piece = set.pieces[k];
    if (piece.kind != kWingPiece && piece.kind != kMiddleEdgePiece) continue;
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
      changed += perm[wing[0]] != wing[0] || perm[wing[1]] != wing[1];
      if (p.placeOfCell[perm[wing[0]]] != source || p.sideOfCell[perm[wing[0]]] != side) source = -1;
    }
    // A middle moved in from elsewhere may leave every wing agreeing or none.
    if (n % 2 == 1 && perm[first[0]] != first[0]) changed = p.wings;
    macro->source[k] = static_cast<int8_t>(source);
    macro->changed[k] = static_cast<int8_t>(changed);
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
      // Corners may move (the last stage places them); a centre only within its face.
      const Piece& piece = PiecesOf(n).pieces[PiecesOf(n).pieceOfCell[cell]];
      keepsCentres =
          keepsCentres && (piece.kind == kCornerPiece || perm[cell] / kFaceStride == cell / kFaceStride);
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

void BuildEdgeTables(int n, EdgeTables* tables) {
  tables->n = n;
  BuildPlaces(n, &tables->places);
  AddMacros(n, tables);
  AddWingCycles(n, tables);
}

const EdgeTables& TablesOf(int n) { return LargeTableOfSize<EdgeTables, BuildEdgeTables>(n); }

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

// The most the macro can gain: places filled whole take their source's score, the others at most one
// more per wing changed.
int GainBound(const EdgeTables& tables, const Macro& macro, const int* placeScores) {
  int gain = 0;
  for (int k = 0; k < macro.placeCount; ++k) {
    const int place = macro.places[k], before = placeScores[place];
    const int after = macro.source[k] >= 0 ? placeScores[macro.source[k]] : before + macro.changed[k];
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
  }
}

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

const int kCycleSetups = 2;
const int kPlateauSteps = 20;
// On even sizes: plateau steps before the stuck orbits' parities are turned, and how often that may be.
const int kFlipAfter = 2;
const int kMaxFlips = 3;

const int kMaxLookahead = 4;

struct Choice {
  double ratio = 0;
  int gain = 0;
  int cost = 0;
  int setups = 0;
  BlockMove setup[3];  // face turns first: they move whole edges, so the score stays
  int macro = -1;
};

// The next few best steps by score gained per turn, best first, for weighing each with what it leaves.
const int kMaxEdgeChoices = big_edge::kMaxEdgeSteps;
struct Runners {
  int keep = 0;
  int count = 0;
  Choice choices[kMaxEdgeChoices];
  bool Takes(double ratio) const { return keep > 0 && (count < keep || choices[count - 1].ratio < ratio); }
  void Offer(const Choice& choice) {
    if (count == keep && (keep == 0 || choices[count - 1].ratio >= choice.ratio)) return;
    int at = count < keep ? count++ : count - 1;
    while (at > 0 && choices[at - 1].ratio < choice.ratio) {
      choices[at] = choices[at - 1];
      --at;
    }
    choices[at] = choice;
  }
};

// How a search weighs macros: with the bound and the partial rescoring, or each fully rescored (the two
// choose alike); and whether the runners are the true best few, or only those met while they could
// beat the best so far, as the greedy has always kept them.
struct Search {
  bool bounded = true;
  bool everyRunner = false;
};

void BestMacro(BigState* state, const EdgeTables& tables, const BlockMove* setup, int setups,
               bool endgameOnly, bool outer, const Search& search, Choice* best, Runners* runners = nullptr) {
  int8_t saved[kCellCount];
  int placeScores[12];
  for (int place = 0; place < 12; ++place) placeScores[place] = PlaceScore(*state, tables.places, place);
  PairCodes codes;
  ReadCodes(*state, tables.places, &codes);
  for (size_t m = 0; m < tables.macros.size(); ++m) {
    const Macro& macro = tables.macros[m];
    if (endgameOnly && !macro.endgame) continue;
    if (macro.wide && !outer) continue;
    const int cost = (outer ? macro.outerCost : macro.count) + setups;
    const double crude = static_cast<double>(tables.places.wings * 4) / cost;
    if (crude <= best->ratio && !(search.everyRunner && runners != nullptr && runners->Takes(crude)))
      continue;
    int gain;
    if (search.bounded) {
      const int most = GainBound(tables, macro, placeScores);
      if (most <= 0) continue;
      const double ratio = static_cast<double>(most) / cost;
      if (ratio <= best->ratio && (runners == nullptr || !runners->Takes(ratio))) continue;
      gain = MacroGain(tables, macro, codes, placeScores);
    } else {
      gain = PlainGain(state, tables, macro, saved, placeScores);
    }
    if (gain <= 0) continue;
    const double ratio = static_cast<double>(gain) / cost;
    Choice choice;
    choice.ratio = ratio;
    choice.gain = gain;
    choice.cost = cost;
    choice.setups = setups;
    for (int k = 0; k < setups; ++k) choice.setup[k] = setup[k];
    choice.macro = static_cast<int>(m);
    if (runners != nullptr) runners->Offer(choice);
    if (ratio <= best->ratio) continue;
    *best = choice;
  }
}

// The best step behind every sequence of `depth` face turns (no face twice in a row).
void BestBehindSetups(const BigState& state, const EdgeTables& tables, int depth, bool endgameOnly,
                      bool outer, const Search& search, Choice* best) {
  BlockMove setup[3];
  int count = 1;
  for (int k = 0; k < depth; ++k) count *= 18;
  for (int code = 0; code < count; ++code) {
    int c = code;
    bool repeated = false;
    for (int k = 0; k < depth; ++k, c /= 18) {
      setup[k] = Block(c % 18 / 3, 1, 1, 1 + c % 3);
      repeated = repeated || (k > 0 && setup[k].face == setup[k - 1].face);
    }
    if (repeated) continue;
    BigState turned = state;
    for (int k = 0; k < depth; ++k) BigApply(&turned, setup[k]);
    BestMacro(&turned, tables, setup, depth, endgameOnly, outer, search, best);
  }
}

// For each orbit with a wing out of place: face turns bring an edge holding one to U-F, and the
// sequence that swaps U-F's two wings of that orbit turns the orbit's parity without touching the
// pairing that the other edges have.
bool TurnOddOrbits(BigState* state, BigMoveList* list, const EdgeTables& tables) {
  const int n = state->n;
  const PieceSet& set = PiecesOf(n);
  const int upFront = tables.places.placeOfCell[CellIndex(U, n - 1, 1)];
  int16_t perm[kCellCount];
  for (int orbit = 0; orbit < (n - 2) / 2; ++orbit) {
    int misplaced = -1;
    int placeScores[12];
    for (int place = 0; place < 12; ++place) placeScores[place] = PlaceScore(*state, tables.places, place);
    for (int place = 0; place < 12 && misplaced < 0; ++place) {
      for (int w = 0; w < tables.places.wings && misplaced < 0; ++w) {
        const int16_t cell = tables.places.wing[place][w][0];
        if (set.pieces[set.pieceOfCell[cell]].orbit - 1 != orbit) continue;
        // A wing that does not show its edge's majority colours.
        int same = 0;
        for (int v = 0; v < tables.places.wings; ++v)
          same +=
              state->cells[tables.places.wing[place][v][0]] == state->cells[cell] &&
              state->cells[tables.places.wing[place][v][1]] == state->cells[tables.places.wing[place][w][1]];
        if (same < placeScores[place]) misplaced = cell;
      }
    }
    if (misplaced < 0) continue;
    bool moved = tables.places.placeOfCell[misplaced] == upFront;
    for (int code = 0; code < 18 * 19 && !moved; ++code) {
      const BlockMove first = Block(code % 18 / 3, 1, 1, 1 + code % 3);
      const BlockMove second =
          Block(code / 18 % 19 == 18 ? 0 : code / 18 / 3, 1, 1, code / 18 == 18 ? 0 : 1 + code / 18 % 3);
      for (int c = 0; c < kCellCount; ++c) perm[c] = static_cast<int16_t>(c);
      CarryAlong(n, perm, first);
      CarryAlong(n, perm, second);
      int at = -1;
      for (int c = 0; c < kCellCount && at < 0; ++c)
        if (perm[c] == misplaced) at = c;
      if (at < 0 || tables.places.placeOfCell[at] != upFront) continue;
      if (!BigPush(state, list, first) || !BigPush(state, list, second)) return false;
      moved = true;
    }
    if (!moved || !FlipOrbits(state, list, orbit, orbit)) return false;
  }
  return true;
}

}  // namespace

bool EdgesPaired(const BigState& state) {
  const EdgeTables& tables = TablesOf(state.n);
  return Score(state, tables.places) == 12 * tables.places.wings;
}

namespace {

void Play(BigState* state, const EdgeTables& tables, const Choice& choice) {
  for (int k = 0; k < choice.setups; ++k) BigApply(state, choice.setup[k]);
  const Macro& macro = tables.macros[choice.macro];
  for (int k = 0; k < macro.count; ++k) BigApply(state, macro.moves[k]);
}

// Of the best few single steps, the one that gains most per turn together with the best step after it.
Choice LookAhead(const BigState& state, const EdgeTables& tables, const Runners& runners, bool outer,
                 const Search& search) {
  Choice chosen = runners.choices[0];
  double bestValue = -1;
  for (int c = 0; c < runners.count; ++c) {
    const Choice& choice = runners.choices[c];
    BigState turned = state;
    Play(&turned, tables, choice);
    Choice next;
    BestMacro(&turned, tables, nullptr, 0, false, outer, search, &next);
    const double value =
        static_cast<double>(choice.gain + next.gain) / (choice.cost + (next.gain > 0 ? next.cost : 0));
    if (value > bestValue) bestValue = value, chosen = choice;
  }
  return chosen;
}

bool PairEdges(BigState* state, BigMoveList* list, bool outer, int lookahead, bool bounded) {
  Search search;
  search.bounded = bounded;
  const EdgeTables& tables = TablesOf(state->n);
  const int target = 12 * tables.places.wings;
  unsigned seed = 977;
  int bestScore = 0, sinceBest = 0;
  int flips = 0;
  for (int score = Score(*state, tables.places); score < target; score = Score(*state, tables.places)) {
    if (score > bestScore) bestScore = score, sinceBest = 0;
    ++sinceBest;
    // On even sizes the edges often near a pairing whose flips disagree with the wings' parity, which
    // no even step completes: soon on a plateau, each stuck orbit's parity turned, by swapping one
    // edge's two wings of that orbit (the last stage flips that edge back if the pairing ends with it
    // flipped). The steps after may near such a pairing again, so this may come more than once.
    if (flips < kMaxFlips && state->n % 2 == 0 && sinceBest > kFlipAfter) {
      if (!TurnOddOrbits(state, list, tables)) return false;
      ++flips;
      bestScore = sinceBest = 0;
      continue;
    }
    // A plateau that random steps do not leave soon: the caller starts again on another path.
    if (sinceBest > kPlateauSteps) return false;
    Choice best;
    Runners runners;
    runners.keep = lookahead < kMaxLookahead ? lookahead : kMaxLookahead;
    BestMacro(state, tables, nullptr, 0, false, outer, search, &best, &runners);
    if (runners.count > 1) best = LookAhead(*state, tables, runners, outer, search);
    if (best.gain == 0) BestBehindSetups(*state, tables, 1, false, outer, search, &best);
    // The last few wings: three-cycles behind longer set-ups reach any three places.
    for (int depth = 2; depth <= kCycleSetups && best.gain == 0; ++depth)
      BestBehindSetups(*state, tables, depth, true, outer, search, &best);
    if (best.gain == 0) {
      // A plateau: a random small step that loses nothing (a wing cycle or one slice's flip), so
      // the next steps see other arrangements.
      int placeScores[12];
      for (int place = 0; place < 12; ++place) placeScores[place] = PlaceScore(*state, tables.places, place);
      PairCodes codes;
      ReadCodes(*state, tables.places, &codes);
      for (int tries = 0; tries < 4000; ++tries) {
        seed = seed * 1103515245u + 12345u;
        best.macro = static_cast<int>((seed >> 8) % tables.macros.size());
        const Macro& macro = tables.macros[best.macro];
        if (macro.endgame && MacroGain(tables, macro, codes, placeScores) >= 0) break;
      }
    }
    for (int k = 0; k < best.setups; ++k)
      if (!BigPush(state, list, best.setup[k])) return false;
    const Macro& macro = tables.macros[best.macro];
    for (int k = 0; k < macro.count; ++k)
      if (!BigPush(state, list, macro.moves[k])) return false;
  }
  return true;
}

}  // namespace

bool PairBigEdges(BigState* state, BigMoveList* list) { return PairEdges(state, list, false, 0, true); }

bool PairBigEdgesOuter(BigState* state, BigMoveList* list, int lookahead) {
  return PairEdges(state, list, true, lookahead, true);
}

namespace big_edge {

bool PairEdgesGreedy(BigState* state, BigMoveList* list, int lookahead, bool bounded) {
  return PairEdges(state, list, true, lookahead, bounded);
}

int PairedWings(const BigState& state) { return Score(state, TablesOf(state.n).places); }

int EveryWing(int n) { return 12 * TablesOf(n).places.wings; }

int BestEdgeSteps(const BigState& state, int keep, EdgeStep* out) {
  const EdgeTables& tables = TablesOf(state.n);
  BigState scratch = state;
  Search search;
  search.everyRunner = true;
  Choice best;
  Runners runners;
  runners.keep = keep < kMaxEdgeChoices ? keep : kMaxEdgeChoices;
  BestMacro(&scratch, tables, nullptr, 0, false, true, search, &best, &runners);
  for (int c = 0; c < runners.count; ++c) {
    const Choice& choice = runners.choices[c];
    const Macro& macro = tables.macros[static_cast<size_t>(choice.macro)];
    EdgeStep& step = out[c];
    step.gain = choice.gain;
    step.cost = choice.cost;
    step.count = macro.count;
    for (int k = 0; k < macro.count; ++k) step.moves[k] = macro.moves[k];
  }
  return runners.count;
}

}  // namespace big_edge

void PrepareBigEdgeTables(int n) { TablesOf(n); }
