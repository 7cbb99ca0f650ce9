// 5×5×5, last phase: with quarter turns of R and L and half turns of U, D, F and B and of the wide blocks
// that leave the M slice's edges whole, the other eight edges paired and every centre home; the cube
// then turned so that the fixed centres are home for the 3×3×3 search.
#include "solve/phase/five/five_phases.h"
#include "solve/phase/five/geometry/five_edges.h"
#include "solve/phase/five/tables/five_last_tables.h"
#include "solve/phase/phase_pieces.h"

namespace {

struct LastNode {
  int low, high, centres;
  LastIndex index;  // worked out by Ready
};

struct LastSpace {
  typedef LastNode Node;
  const LastData& d;
  void Next(const Node& from, int move, Node* to) const {
    to->low = d.lowMove[from.low][move];
    to->high = d.highMove[from.high][move];
    to->centres = d.leftRight.Next(from.centres / kUpDownFrontBack, move) * kUpDownFrontBack +
                  d.restMove[from.centres % kUpDownFrontBack][move];
  }
  int Bound(const Node& node) const {
    LastIndex index;
    LastIndices(d, node.low, node.high, node.centres, &index);
    return LastBound(index);
  }
  bool Ready(Node& node, int) const {
    LastIndices(d, node.low, node.high, node.centres, &node.index);
    PrefetchLast(node.index);
    return true;
  }
  bool Within(const Node& node, int moves) const { return LastBound(node.index) <= moves; }
  bool Goal(const Node& node) const {
    return node.low == 0 && node.high == 0 && node.centres == d.solvedCentres;
  }
  void Enter(const Node&, int, Node*) const {}
  bool Accept(const Node&, const Node&, const int*, int) const { return true; }
};

// False when the state cannot be read, or the M slice's edges are not whole.
bool Encode(const LastData& d, const BigState& state, LastNode* node) {
  BigState seen;
  FixedCentreColours(state, &seen);
  FiveEdgePieces pieces;
  const int leftRight = AxisCentres(seen, 1), upDown = AxisCentres(seen, 0), frontBack = AxisCentres(seen, 2);
  if (leftRight < 0 || upDown < 0 || frontBack < 0 || !ReadFiveEdges(seen, &pieces)) return false;
  const int rest = LastRest(d, upDown, frontBack);
  if (rest < 0) return false;
  int8_t middleAt[12];
  for (int e = 0; e < 12; ++e) middleAt[e] = -1;
  for (int k = 0; k < 8; ++k) middleAt[pieces.middle[d.slot[k]]] = static_cast<int8_t>(k);
  const FiveEdges& edges = FiveEdgeGeometry();
  int8_t low[8], high[8];
  for (int k = 0; k < 8; ++k) {
    low[k] = middleAt[pieces.wingEdge[edges.lowPlace[d.slot[k]]]];
    high[k] = middleAt[pieces.wingEdge[edges.highPlace[d.slot[k]]]];
    if (low[k] < 0 || high[k] < 0) return false;
  }
  node->low = static_cast<int>(RankPermutation(low, 8));
  node->high = static_cast<int>(RankPermutation(high, 8));
  node->centres = leftRight * kUpDownFrontBack + rest;
  return true;
}

class LastEdgesPhase : public FivePhase {
 public:
  const char* Name() const override { return "last edges"; }
  int MaxLength() const override { return 17; }
  TableResult Prepare() const override { return PrepareLastTables(true); }
  TableResult PrepareSmall() const override { return PrepareLastTables(false); }
  int Tables(const DistanceTable** out) const override { return LastTableList(out); }

  int Bound(const BigState& state) const override {
    const LastData* d = LastTables();
    LastNode node;
    if (d == nullptr || !Encode(*d, state, &node)) return kUnknownDistance;
    return LastSpace{*d}.Bound(node);
  }

  bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
              SearchBudget& budget) const override {
    const LastData* d = LastTables();
    LastNode node;
    if (d == nullptr || !Encode(*d, state, &node)) return true;
    bool first[kMaxPhaseMoves];
    FirstMoves(d->moves, last, first);
    const LastSpace space{*d};
    FixedLengthSearch<LastSpace> search(space, d->moves, finds, budget);
    return search.Run(node, length, first);
  }

  // The fixed centres turned home, for the 3×3×3 search.
  int Frame(const BigState& state, BlockMove* rotation) const override {
    const BigRotation* rotations = BigRotations(kFive);
    for (int r = 0; r < 24; ++r) {
      BigState turned = state;
      for (int k = 0; k < rotations[r].count; ++k) BigApply(&turned, rotations[r].moves[k]);
      bool home = true;
      for (int face = 0; face < 6 && home; ++face)
        home = turned.cells[CellIndex(face, kFive / 2, kFive / 2)] == face;
      if (!home) continue;
      for (int k = 0; k < rotations[r].count; ++k) rotation[k] = rotations[r].moves[k];
      return rotations[r].count;
    }
    return 0;
  }
};

}  // namespace

const FivePhase& FiveLastEdgesPhase() {
  static const LastEdgesPhase phase;
  return phase;
}
