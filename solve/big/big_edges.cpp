// The big cube's second stage: each edge's wings brought together (with its middle edge on odd sizes)
// by greedy slice-macro-unslice steps that keep the centres, scored by the wings that agree in each edge.
#include <cstring>
#include <utility>

#include "solve/big/big_cube.h"
#include "solve/big/edge_macros.h"
#include "solve/big/edge_steps.h"
#include "study/facelet_map.h"
#include "study/pieces.h"

using namespace big_edge;

namespace {

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
      const int most = GainBound(tables, macro, codes, placeScores);
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
  const EdgeTables& tables = EdgeTablesOf(state.n);
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

bool PairEdges(BigState* state, BigMoveList* list, bool outer, int lookahead, bool bounded, bool inner) {
  Search search;
  search.bounded = bounded;
  const EdgeTables& tables = EdgeTablesOf(state->n, inner);
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
    // Not for the inner wings alone: their parities were made even before, and no stage after flips
    // a pair back.
    if (!inner && flips < kMaxFlips && state->n % 2 == 0 && sinceBest > kFlipAfter) {
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

bool PairBigEdges(BigState* state, BigMoveList* list) {
  return PairEdges(state, list, false, 0, true, false);
}

bool PairBigEdgesOuter(BigState* state, BigMoveList* list, int lookahead) {
  return PairEdges(state, list, true, lookahead, true, false);
}

namespace big_edge {

bool PairEdgesGreedy(BigState* state, BigMoveList* list, int lookahead, bool bounded, bool inner) {
  return PairEdges(state, list, true, lookahead, bounded, inner);
}

int PairedWings(const BigState& state, bool inner) {
  return Score(state, EdgeTablesOf(state.n, inner).places);
}

int EveryWing(int n, bool inner) { return 12 * EdgeTablesOf(n, inner).places.wings; }

int BestEdgeSteps(const BigState& state, int keep, bool setups, EdgeStep* out, bool inner) {
  const EdgeTables& tables = EdgeTablesOf(state.n, inner);
  BigState scratch = state;
  Search search;
  search.everyRunner = true;
  Choice best;
  Runners runners;
  runners.keep = keep < kMaxEdgeChoices ? keep : kMaxEdgeChoices;
  BestMacro(&scratch, tables, nullptr, 0, false, true, search, &best, &runners);
  // Where no step gains alone, the greedy's next resort: the best behind one face turn.
  if (runners.count == 0 && setups) {
    BestBehindSetups(state, tables, 1, false, true, Search(), &best);
    if (best.gain > 0) runners.choices[runners.count++] = best;
  }
  for (int c = 0; c < runners.count; ++c) {
    const Choice& choice = runners.choices[c];
    const Macro& macro = tables.macros[static_cast<size_t>(choice.macro)];
    EdgeStep& step = out[c];
    step.gain = choice.gain;
    step.cost = choice.cost;
    step.count = 0;
    for (int k = 0; k < choice.setups; ++k) step.moves[step.count++] = choice.setup[k];
    for (int k = 0; k < macro.count; ++k) step.moves[step.count++] = macro.moves[k];
  }
  return runners.count;
}

}  // namespace big_edge

void PrepareBigEdgeTables(int n) { EdgeTablesOf(n); }
