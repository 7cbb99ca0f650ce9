// The big cube's first stage: every centre to its face, by greedy steps over single slice blocks and
// block commutators (many 3-cycles of centres at once), each step the most centres gained per move.
#include <cstring>

#include "cube/size_tables.h"
#include "solve/big/big_cube.h"
#include "solve/big/centre_steps.h"
#include "study/facelet_map.h"
#include "study/pieces.h"

using namespace big_centre;

namespace {

// One commutator [A, Y Z Y'] (or [Y Z Y', A]) of single inner layers s (A) and t (Z) about the axis
// of `face`, Y a face turn across it: a 3-cycle of centres, cell to[k] taking what from[k] held.
struct Cycle {
  bool valid;
  int16_t to[3], from[3];
};

// A slice block, a face turn across it and the block back: moves whole bars of centres between
// faces for three moves. Its effect on the centre cells as a sparse permutation.
struct Insertion {
  BlockMove moves[3];
  int first, size;
};

// The counts at 10×10×10, the most of any size.
const int kTemplates = 3 * 3 * 4 * 3 * 3 * 2;
const int kMaxInsertions = 3 * 36 * 3 * 4 * 3;
const int kMaxInsertionCells = 249000;

struct CentreTables {
  int n = 0;
  FixedList<Insertion, kMaxInsertions> insertions;
  FixedList<int16_t, kMaxInsertionCells> to, from;
  FixedList<Template, kTemplates> templates;
  FixedList<Cycle, kTemplates * kMaxSize * kMaxSize> cycles;  // indexed [template][s][t]
  FixedList<int16_t, 6 * (kMaxSize - 2) * (kMaxSize - 2)> centres;
  bool isCentre[kCellCount];
};

// The moves of a commutator with blocks [s1, s2] and [t1, t2].
int CommutatorMoves(const Template& t, int s1, int s2, int t1, int t2, BlockMove* out) {
  const BlockMove a = Block(t.face, s1, s2, t.qa), z = Block(t.face, t1, t2, t.qz);
  const BlockMove y = Block(t.yFace, 1, 1, t.qy);
  const BlockMove b[3] = {y, z, InverseBlockMove(y)};
  const BlockMove bInverse[3] = {y, InverseBlockMove(z), InverseBlockMove(y)};
  int k = 0;
  if (t.order == 0) {
    out[k++] = a;
    for (const BlockMove& m : b) out[k++] = m;
    out[k++] = InverseBlockMove(a);
    for (const BlockMove& m : bInverse) out[k++] = m;
  } else {
    for (const BlockMove& m : b) out[k++] = m;
    out[k++] = a;
    for (const BlockMove& m : bInverse) out[k++] = m;
    out[k++] = InverseBlockMove(a);
  }
  return k;
}

// Inner: the centres next to the corners' inner corners left out, to go anywhere (a smaller solver
// takes them on later); a step that cycles only them gains nothing.
template <bool kInner>
void BuildCentreTables(int n, CentreTables* built) {
  CentreTables& tables = *built;
  tables.n = n;
  tables.templates.clear();
  tables.centres.clear();
  std::memset(tables.isCentre, 0, sizeof tables.isCentre);
  const PieceSet& set = PiecesOf(n);
  const int outerCorner = 1 * kMaxSize + 1;
  for (int k = 0; k < set.count; ++k)
    if (set.pieces[k].kind == kCentrePiece && !(kInner && set.pieces[k].orbit == outerCorner)) {
      tables.centres.push_back(set.pieces[k].cells[0]);
      tables.isCentre[set.pieces[k].cells[0]] = true;
    }
  static const int8_t kAcross[3][4] = {{L, F, R, B}, {U, F, D, B}, {U, L, D, R}};
  static const int8_t kAxisFaces[3] = {U, L, F};
  for (int axis = 0; axis < 3; ++axis)
    for (int qa = 1; qa < 4; ++qa)
      for (int y = 0; y < 4; ++y)
        for (int qy = 1; qy < 4; ++qy)
          for (int qz = 1; qz < 4; ++qz)
            for (int order = 0; order < 2; ++order)
              tables.templates.push_back(Template{kAxisFaces[axis], static_cast<int8_t>(qa), kAcross[axis][y],
                                                  static_cast<int8_t>(qy), static_cast<int8_t>(qz),
                                                  static_cast<int8_t>(order)});
  tables.cycles.assign(tables.templates.size() * n * n, Cycle{false, {}, {}});
  int16_t perm[kCellCount];
  tables.insertions.clear();
  tables.to.clear();
  tables.from.clear();
  for (int axis = 0; axis < 3; ++axis)
    for (int first = 2; first < n; ++first)
      for (int last = first; last < n; ++last) {
        if (n % 2 == 1 && first <= (n + 1) / 2 && last >= (n + 1) / 2) continue;
        for (int qa = 1; qa < 4; ++qa)
          for (int y = 0; y < 4; ++y)
            for (int qy = 1; qy < 4; ++qy) {
              Insertion insertion{};
              insertion.moves[0] = Block(kAxisFaces[axis], first, last, qa);
              insertion.moves[1] = Block(kAcross[axis][y], 1, 1, qy);
              insertion.moves[2] = Block(kAxisFaces[axis], first, last, 4 - qa);
              for (int c = 0; c < kCellCount; ++c) perm[c] = static_cast<int16_t>(c);
              for (const BlockMove& move : insertion.moves) CarryAlong(n, perm, move);
              insertion.first = static_cast<int>(tables.to.size());
              for (int16_t cell : tables.centres)
                if (perm[cell] != cell && tables.to.push_back(cell)) tables.from.push_back(perm[cell]);
              insertion.size = static_cast<int>(tables.to.size()) - insertion.first;
              if (tables.to.size() < kMaxInsertionCells) tables.insertions.push_back(insertion);
            }
      }
  for (size_t t = 0; t < tables.templates.size(); ++t)
    for (int s = 2; s < n; ++s)
      for (int u = 2; u < n; ++u) {
        BlockMove moves[8];
        const int count = CommutatorMoves(tables.templates[t], s, s, u, u, moves);
        for (int c = 0; c < kCellCount; ++c) perm[c] = static_cast<int16_t>(c);
        for (int k = 0; k < count; ++k) CarryAlong(n, perm, moves[k]);
        Cycle cycle{true, {}, {}};
        int moved = 0;
        ForEachUsedCell(n, [&](int cell) {
          if (perm[cell] == cell) return;
          if (moved >= 3 || !tables.isCentre[cell]) {
            cycle.valid = false;
            moved = 4;
            return;
          }
          cycle.to[moved] = static_cast<int16_t>(cell);
          cycle.from[moved++] = perm[cell];
        });
        cycle.valid = cycle.valid && moved == 3;
        tables.cycles[(t * n + s) * n + u] = cycle;
      }
}

const CentreTables& TablesOf(int n, bool inner = false) {
  return inner ? LargeTableOfSize<CentreTables, BuildCentreTables<true>>(n)
               : LargeTableOfSize<CentreTables, BuildCentreTables<false>>(n);
}

bool Matches(const BigState& state, int cell) { return state.cells[cell] == cell / kFaceStride; }

int CycleGain(const BigState& state, const Cycle& cycle) {
  int gain = 0;
  for (int k = 0; k < 3; ++k) {
    const int face = cycle.to[k] / kFaceStride;
    gain += (state.cells[cycle.from[k]] == face) - (state.cells[cycle.to[k]] == face);
  }
  return gain;
}

int Score(const BigState& state, const CentreTables& tables) {
  int score = 0;
  for (int16_t cell : tables.centres) score += Matches(state, cell);
  return score;
}

// Layers a block may hold: inner ones, and on odd sizes not the middle (which carries the fixed centres).
bool InnerLayer(int n, int layer) { return layer > 1 && layer < n && !(n % 2 == 1 && layer == (n + 1) / 2); }

const int8_t kOppositeFace[6] = {D, R, B, L, F, U};

BlockMove WideOf(int n, const BlockMove& move) {
  if (move.first == 2) return Block(move.face, 1, move.last, move.quarterTurns);
  if (move.last == n - 1)
    return Block(kOppositeFace[move.face], 1, n + 1 - move.first, 4 - move.quarterTurns);
  return move;
}

void BestSliceBlock(const BigState& state, const CentreTables& tables, const Costing& costing, int setupCost,
                    Choices* best) {
  const int n = state.n;
  static const int8_t kAxisFaces[3] = {U, L, F};
  for (int axis = 0; axis < 3; ++axis)
    for (int q = 1; q < 4; ++q) {
      int gains[kMaxSize + 1] = {};
      for (int layer = 2; layer < n; ++layer) {
        if (!InnerLayer(n, layer)) continue;
        BigState turned = state;
        BigApply(&turned, Block(kAxisFaces[axis], layer, layer, q));
        const LayerPerm& perm = LayerPermOf(n, kAxisFaces[axis], layer);
        for (int k = 0; k < perm.count; ++k) {
          const int cell = perm.to[k];
          if (tables.isCentre[cell]) gains[layer] += Matches(turned, cell) - Matches(state, cell);
        }
      }
      for (int first = 2; first < n; ++first) {
        int sum = 0;
        for (int last = first; last < n && InnerLayer(n, last); ++last) {
          sum += gains[last];
          const BlockMove move = Block(kAxisFaces[axis], first, last, q);
          Consider(best, sum, (costing.outer ? OuterBlockTurns(move, n) : 1) + setupCost, &move, 1);
        }
      }
    }
}

void BestInsertion(const BigState& state, const CentreTables& tables, const Costing& costing, int setupCost,
                   const BlockMove* last, Choices* best) {
  for (const Insertion& insertion : tables.insertions) {
    int gain = 0;
    const int16_t* to = &tables.to[insertion.first];
    const int16_t* from = &tables.from[insertion.first];
    for (int k = 0; k < insertion.size; ++k) {
      const int face = to[k] / kFaceStride;
      gain += (state.cells[from[k]] == face) - (state.cells[to[k]] == face);
    }
    if (!costing.outer) {
      Consider(best, gain, 3 + setupCost - Merged(last, insertion.moves[0]), insertion.moves, 3);
      continue;
    }
    if (gain <= 0) continue;
    BlockMove moves[3] = {insertion.moves[0], insertion.moves[1], insertion.moves[2]};
    const int cost = Shape(state.n, costing, moves, 3);
    Consider(best, gain, cost + setupCost - Merged(last, moves[0]), moves, 3);
  }
}

void BestCommutator(const BigState& state, const CentreTables& tables, const Costing& costing, int setupCost,
                    const BlockMove* last, Choices* best) {
  const int n = state.n;
  int gain[kMaxSize + 1][kMaxSize + 1];
  for (size_t t = 0; t < tables.templates.size(); ++t) {
    const Template& shape = tables.templates[t];
    // Templates that open with the face turn may merge it, whatever their layers.
    const int faceSaved = shape.order == 1 ? Merged(last, Block(shape.yFace, 1, 1, shape.qy)) : 0;
    int gained = 0;  // no rectangle gains more than its cycles that gain, all together
    for (int s = 2; s < n; ++s)
      for (int u = 2; u < n; ++u) {
        const Cycle& cycle = tables.cycles[(t * n + s) * n + u];
        gain[s][u] = cycle.valid ? CycleGain(state, cycle) : kNone;
        if (gain[s][u] > 0) gained += gain[s][u];
      }
    if (gained == 0 || static_cast<double>(gained) / (8 + setupCost - 2) <= best->ratio) continue;
    // The best rectangle of adjacent layers: rows s1..s2 summed, then the best run of columns. No
    // rectangle gains more than the gaining cycles of its rows, nor than its columns' gaining sums.
    const double least = 8 + setupCost - 2;
    int rowsFrom[kMaxSize + 2] = {};
    for (int s = n - 1; s >= 2; --s) {
      rowsFrom[s] = rowsFrom[s + 1];
      for (int u = 2; u < n; ++u)
        if (gain[s][u] > 0) rowsFrom[s] += gain[s][u];
    }
    for (int s1 = 2; s1 < n; ++s1) {
      if (rowsFrom[s1] / least <= best->ratio) break;
      int column[kMaxSize + 1] = {};
      for (int s2 = s1; s2 < n; ++s2) {
        int gaining = 0;
        for (int u = 2; u < n; ++u) {
          column[u] = column[u] <= kNone / 2 ? kNone : column[u] + gain[s2][u];
          if (column[u] > 0) gaining += column[u];
        }
        if (gaining / least <= best->ratio) continue;
        for (int u1 = 2; u1 < n; ++u1) {
          int sum = 0;
          for (int u2 = u1; u2 < n; ++u2) {
            sum += column[u2];
            if (sum <= kNone / 2) break;
            if (sum <= 0 || sum / least <= best->ratio) continue;
            BlockMove moves[8];
            const int count = CommutatorMoves(shape, s1, s2, u1, u2, moves);
            const int cost = Shape(n, costing, moves, count);
            const int saved = shape.order == 1 ? faceSaved : Merged(last, moves[0]);
            Consider(best, sum, cost + setupCost - saved, moves, count);
          }
        }
      }
    }
    // Only once the rectangles gain little: early on they find the best steps alone, for less time.
    const double scatteredBelow = 0.3;
    if (costing.scattered && (best->count == 0 || best->steps[0].ratio < scatteredBelow))
      BestScattered(state, costing, setupCost, last, shape, faceSaved, gain, best);
  }
}

}  // namespace

bool CentresSolved(const BigState& state, bool inner) {
  const CentreTables& tables = TablesOf(state.n, inner);
  return Score(state, tables) == static_cast<int>(tables.centres.size());
}

namespace {

// The best few steps from the state; when none gains much, face turns set commutators up first (a face
// turn never moves another face's centres).
void Gather(const BigState& state, const CentreTables& tables, const Costing& costing, const BlockMove* last,
            Choices* best) {
  // Below this many centres gained per move, face turns set the commutators up.
  const double setupBelow = 0.2;
  BestSliceBlock(state, tables, costing, 0, best);
  BestInsertion(state, tables, costing, 0, last, best);
  BestCommutator(state, tables, costing, 0, last, best);
  if (best->count > 0 && best->steps[0].ratio >= setupBelow) return;
  for (int face = 0; face < 6; ++face)
    for (int q = 1; q < 4; ++q) {
      BigState turned = state;
      const BlockMove setup = Block(face, 1, 1, q);
      if (Merged(last, setup) > 0) continue;  // what the last move could have been
      BigApply(&turned, setup);
      Choices after;
      BestCommutator(turned, tables, costing, 1, &setup, &after);
      if (after.count == 0) continue;
      const Step& step = after.steps[0];
      BlockMove moves[kMaxStepMoves];
      moves[0] = setup;
      std::memcpy(moves + 1, step.moves, step.count * sizeof *step.moves);
      Consider(best, step.gain, step.cost, moves, step.count + 1);
    }
}

bool SolveCentres(BigState* state, BigMoveList* list, const Costing& costing) {
  const CentreTables& tables = TablesOf(state->n);
  const int target = static_cast<int>(tables.centres.size());
  int score = Score(*state, tables);
  unsigned seed = 12345;
  for (int steps = 0; score < target; ++steps) {
    if (steps > 4000) return false;
    const BlockMove* last = list->count > 0 ? &list->moves[list->count - 1] : nullptr;
    Choices choices;
    choices.keep = costing.lookahead > 0 ? costing.lookahead : 1;
    Gather(*state, tables, costing, last, &choices);
    Step best = choices.count > 0 ? choices.steps[0] : Step{};
    // Each of the best few weighed together with the best step it leaves: a step that gains a little
    // less but opens a much better one is taken.
    if (choices.count > 1) {
      double bestValue = -1;
      for (int c = 0; c < choices.count; ++c) {
        const Step& step = choices.steps[c];
        BigState turned = *state;
        for (int k = 0; k < step.count; ++k) BigApply(&turned, step.moves[k]);
        Choices next;
        if (Score(turned, tables) < target)
          Gather(turned, tables, costing, &step.moves[step.count - 1], &next);
        const int gain = step.gain + (next.count > 0 ? next.steps[0].gain : 0);
        const int cost = step.cost + (next.count > 0 ? next.steps[0].cost : 0);
        const double value = static_cast<double>(gain) / cost;
        if (value > bestValue) bestValue = value, best = step;
      }
    }
    if (best.gain == 0) {
      // Still none: a random 3-cycle, which changes what the next steps can see.
      seed = seed * 1103515245u + 12345u;
      const size_t t = (seed >> 8) % tables.templates.size();
      const int s = 2 + static_cast<int>((seed >> 4) % (state->n - 2));
      const int u = 2 + static_cast<int>((seed >> 20) % (state->n - 2));
      if (!tables.cycles[(t * state->n + s) * state->n + u].valid) continue;
      best.count = CommutatorMoves(tables.templates[t], s, s, u, u, best.moves);
      Shape(state->n, costing, best.moves, best.count);
    }
    for (int k = 0; k < best.count; ++k)
      if (!BigPush(state, list, best.moves[k])) return false;
    score = Score(*state, tables);
  }
  return true;
}

}  // namespace

bool SolveBigCentres(BigState* state, BigMoveList* list) { return SolveCentres(state, list, Costing{}); }

bool SolveBigCentresOuter(BigState* state, BigMoveList* list, int lookahead, bool scattered) {
  Costing costing;
  costing.outer = true;
  costing.lookahead = lookahead < kMaxChoices ? lookahead : kMaxChoices;
  costing.scattered = scattered;
  return SolveCentres(state, list, costing);
}

void PrepareBigCentreTables(int n) { TablesOf(n); }

namespace big_centre {

int BestCentreSteps(const BigState& state, const Costing& costing, const BlockMove* last, int keep,
                    Step* out) {
  Choices choices;
  choices.keep = keep < kMaxChoices ? keep : kMaxChoices;
  Gather(state, TablesOf(state.n, costing.inner), costing, last, &choices);
  for (int c = 0; c < choices.count; ++c) out[c] = choices.steps[c];
  return choices.count;
}

int CentresHome(const BigState& state, bool inner) { return Score(state, TablesOf(state.n, inner)); }

int CentreCells(int n, bool inner) { return static_cast<int>(TablesOf(n, inner).centres.size()); }

// Moves a step saves by merging its first move into the last one made: one, or two when they cancel.
int Merged(const BlockMove* last, const BlockMove& first) {
  if (last == nullptr || last->face != first.face || last->first != first.first || last->last != first.last)
    return 0;
  return (last->quarterTurns + first.quarterTurns) % 4 == 0 ? 2 : 1;
}

// The step's moves as the costing turns them, and what they cost.
int Shape(int n, const Costing& costing, BlockMove* moves, int count) {
  if (!costing.outer) return count;
  int cost = 0;
  for (int k = 0; k < count; ++k) {
    if (moves[k].first > 1) moves[k] = WideOf(n, moves[k]);
    cost += OuterBlockTurns(moves[k], n);
  }
  return cost;
}

void Consider(Choices* best, int gain, int cost, const BlockMove* moves, int count) {
  if (gain <= 0) return;
  const double ratio = static_cast<double>(gain) / cost;
  if (ratio <= best->ratio) return;
  int at = best->count < best->keep ? best->count++ : best->count - 1;
  while (at > 0 && best->steps[at - 1].ratio < ratio) {
    best->steps[at] = best->steps[at - 1];
    --at;
  }
  Step& step = best->steps[at];
  step.ratio = ratio;
  step.gain = gain;
  step.cost = cost;
  step.count = count;
  std::memcpy(step.moves, moves, count * sizeof *moves);
  if (best->count == best->keep) best->ratio = best->steps[best->count - 1].ratio;
}

}  // namespace big_centre
