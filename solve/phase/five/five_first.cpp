// 5×5×5, fourth phase: with quarter turns of U and D and half turns of everything else (the wide blocks
// too), four edges paired in the M slice, every centre but L-R's left where the last phase's moves finish
// it. Searched from each choice of four edges with no piece in the E slice, which these moves never
// empty or fill; the phase before turned the cube so that there are such edges.
#include <vector>

#include "solve/phase/five/five_phases.h"
#include "solve/phase/five/geometry/five_edges.h"
#include "solve/phase/five/geometry/five_frame.h"
#include "solve/phase/five/tables/five_first_tables.h"

namespace {

struct FirstNode {
  int middles, low, high, upDown, kept;
  FirstIndex index;  // worked out by Ready
};

struct FirstSpace {
  typedef FirstNode Node;
  const FirstData& d;
  void Next(const Node& from, int move, Node* to) const {
    to->middles = d.middleMove[from.middles][move];
    to->low = d.lowMove[EdgePair(from.middles, from.low)][move];
    to->high = d.highMove[EdgePair(from.middles, from.high)][move];
    to->upDown = d.upDown.Next(from.upDown, move);
    to->kept = d.keptOf[d.frontBack.Next(d.keptValue[from.kept], move)];
  }
  int Bound(const Node& node) const {
    FirstIndex index;
    FirstIndices(d, node.middles, node.low, node.high, node.upDown, node.kept, &index);
    return FirstBound(index);
  }
  bool Ready(Node& node, int) const {
    FirstIndices(d, node.middles, node.low, node.high, node.upDown, node.kept, &node.index);
    PrefetchFirst(node.index);
    return true;
  }
  bool Within(const Node& node, int moves) const { return FirstBound(node.index) <= moves; }
  bool Goal(const Node& node) const {
    return node.middles == d.goalMiddles && node.low == d.goalWings && node.high == d.goalWings &&
           d.goalCentres[node.upDown * kFrontBackKept + node.kept];
  }
  void Enter(const Node&, int, Node*) const {}
  bool Accept(const Node&, const Node&, const int*, int) const { return true; }
};

// A start for each four edges clear of the E slice; none when the state cannot be read or has fewer.
std::vector<FirstNode> Starts(const FirstData& d, const BigState& state) {
  std::vector<FirstNode> nodes;
  BigState seen;
  FixedCentreColours(state, &seen);
  FiveEdgePieces pieces;
  const int upDown = AxisCentres(seen, 0), frontBack = AxisCentres(seen, 2);
  if (upDown < 0 || frontBack < 0 || d.keptOf[frontBack] < 0 || !ReadFiveEdges(seen, &pieces)) return nodes;
  const FiveEdges& edges = FiveEdgeGeometry();
  const uint32_t slice = SliceSlots(0);
  uint32_t touched = 0;
  for (int s = 0; s < 12; ++s)
    if (slice >> s & 1) touched |= 1u << pieces.middle[s];
  for (int q = 0; q < 24; ++q)
    if (slice >> edges.slotOfWing[q] & 1) touched |= 1u << pieces.wingEdge[q];
  const uint32_t clear = ~touched & 0xFFF;
  for (uint32_t chosen = clear; chosen != 0; chosen = (chosen - 1) & clear) {
    if (__builtin_popcount(chosen) != 4) continue;
    int8_t label[12];
    for (int e = 0, j = 0; e < 12; ++e) label[e] = static_cast<int8_t>(chosen >> e & 1 ? j++ : -1);
    int8_t middle[8], low[8], high[8];
    for (int k = 0; k < 8; ++k) {
      const int s = d.slot[k];
      middle[k] = label[pieces.middle[s]];
      low[k] = label[pieces.wingEdge[edges.lowPlace[s]]];
      high[k] = label[pieces.wingEdge[edges.highPlace[s]]];
    }
    FirstNode node;
    EncodeFirstEdges(middle, low, high, &node.middles, &node.low, &node.high);
    node.upDown = upDown;
    node.kept = d.keptOf[frontBack];
    nodes.push_back(node);
  }
  return nodes;
}

// The two frames: as it stands (U-D's quarter turns, the E slice left alone), and turned so that L-R
// takes U-D's part.
const FiveTurn& Turn(int frame) { return frame == 0 ? NoTurn() : UpDownToLeftRight(); }

class FirstEdgesPhase : public FivePhase {
 public:
  const char* Name() const override { return "first edges"; }
  int MaxLength() const override { return 17; }
  TableResult Prepare() const override { return PrepareFirstTables(true); }
  TableResult PrepareSmall() const override { return PrepareFirstTables(false); }
  int Tables(const DistanceTable** out) const override { return FirstTableList(out); }

  int Bound(const BigState& state) const override {
    const FirstData* d = FirstTables();
    if (d == nullptr) return kUnknownDistance;
    const FirstSpace space{*d};
    int best = kUnknownDistance;
    for (int frame = 0; frame < 2; ++frame) {
      BigState turned;
      TurnedCopy(state, Turn(frame), &turned);
      for (const FirstNode& node : Starts(*d, turned)) {
        const int bound = space.Bound(node);
        if (bound < best) best = bound;
      }
    }
    return best;
  }

  bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
              SearchBudget& budget) const override {
    const FirstData* d = FirstTables();
    if (d == nullptr) return true;
    const FirstSpace space{*d};
    for (int frame = 0; frame < 2; ++frame) {
      const FiveTurn& turn = Turn(frame);
      BigState turned;
      TurnedCopy(state, turn, &turned);
      bool first[kMaxPhaseMoves];
      BlockMove seen;
      if (last != nullptr) seen = IntoTurn(turn, *last);
      FirstMoves(d->moves, last != nullptr ? &seen : nullptr, first);
      TurnedFinds back(turn, finds);
      FixedLengthSearch<FirstSpace> search(space, d->moves, back, budget);
      for (const FirstNode& node : Starts(*d, turned))
        if (!search.Run(node, length, first)) return false;
    }
    return true;
  }

  // The frame the goal was met in, where the last phase wants it.
  int Frame(const BigState& state, BlockMove* rotation) const override {
    const FirstData* d = FirstTables();
    if (d == nullptr) return 0;
    const FirstSpace space{*d};
    for (int frame = 0; frame < 2; ++frame) {
      BigState turned;
      TurnedCopy(state, Turn(frame), &turned);
      for (const FirstNode& node : Starts(*d, turned)) {
        if (!space.Goal(node)) continue;
        const FiveTurn& turn = Turn(frame);
        for (int k = 0; k < turn.count; ++k) rotation[k] = turn.moves[k];
        return turn.count;
      }
    }
    return 0;
  }
};

}  // namespace

const FivePhase& FiveFirstEdgesPhase() {
  static const FirstEdgesPhase phase;
  return phase;
}
