// 5×5×5, third phase (F-B the staged axis): with every face turn and the wide half turns, the F-B centres
// brought where the later half turns finish them, and every edge's wings parted, one among the low places
// and one among the high, with its middle's twist agreeing with which of them is low. Searched from
// every labelling of the edges (see five_orient_tables.h); a goal is kept only if one of the fourth
// phase's two frames has four edges clear of the slice it cannot empty.
#include <vector>

#include "solve/phase/five/five_phases.h"
#include "solve/phase/five/geometry/five_edges.h"
#include "solve/phase/five/geometry/five_frame.h"
#include "solve/phase/five/tables/five_orient_tables.h"

namespace {

struct OrientNode {
  int centres, flip;
  uint32_t wings;
  uint64_t wingIndex;  // worked out by Ready
  int8_t middle[12];   // by slot, the middle's edge: kept only along the way the search goes
  int8_t wingEdge[24];
};

// Whether four edges have no piece in the slice's slots.
bool FourClear(const OrientNode& node, uint32_t slice) {
  const FiveEdges& edges = FiveEdgeGeometry();
  uint32_t touched = 0;
  for (int s = 0; s < 12; ++s)
    if (slice >> s & 1) touched |= 1u << node.middle[s];
  for (int q = 0; q < 24; ++q)
    if (slice >> edges.slotOfWing[q] & 1) touched |= 1u << node.wingEdge[q];
  return __builtin_popcount(~touched & 0xFFF) >= 4;
}

struct OrientSpace {
  typedef OrientNode Node;
  const OrientData& d;
  bool wingTable = OrientWingTable().Ready();
  void Next(const Node& from, int move, Node* to) const {
    to->centres = d.centres.Next(from.centres, move);
    to->flip = d.flipMove[from.flip][move];
    to->wings = d.wings.Apply(from.wings, move);
  }
  int CentreBound(const Node& node) const {
    return OrientCentreTable().Get(OrientCentreIndex(node.centres, node.flip));
  }
  int Bound(const Node& node) const {
    const int centres = CentreBound(node);
    if (!wingTable) return centres;
    const int wings = OrientWingTable().Get(OrientWingIndex(d, node.wings, node.flip));
    return centres > wings ? centres : wings;
  }
  bool Ready(Node& node, int moves) const {
    if (CentreBound(node) > moves) return false;
    if (!wingTable) return true;
    node.wingIndex = OrientWingIndex(d, node.wings, node.flip);
    OrientWingTable().Prefetch(node.wingIndex);
    return true;
  }
  bool Within(const Node& node, int moves) const {
    return !wingTable || OrientWingTable().Get(node.wingIndex) <= moves;
  }
  bool Goal(const Node& node) const {
    return d.goalCentres[node.centres] &&
           ((node.flip == 0 && node.wings == d.low) || (node.flip == kFlips - 1 && node.wings == d.high));
  }
  void Enter(const Node& from, int move, Node* to) const {
    for (int q = 0; q < 12; ++q) to->middle[q] = from.middle[d.middleFrom[move][q]];
    for (int q = 0; q < 24; ++q) to->wingEdge[q] = from.wingEdge[d.wingFrom[move][q]];
  }
  bool Accept(const Node&, const Node& end, const int*, int) const {
    return FourClear(end, SliceSlots(0)) || FourClear(end, SliceSlots(1));
  }
};

// The start under every labelling: edge e's mark on its low-home wing when bit e of the labelling is
// clear, on the other when set; bit 11 always clear (marking every edge's other wing is the same
// labelling up to the symmetry the tables share), and an even number set so the twists stay a position.
// Empty when the state cannot be read.
std::vector<OrientNode> Labellings(const BigState& state) {
  std::vector<OrientNode> nodes;
  BigState seen;
  FixedCentreColours(state, &seen);
  FiveEdgePieces pieces;
  const int centres = AxisCentres(seen, 2);
  if (centres < 0 || !ReadFiveEdges(seen, &pieces)) return nodes;
  OrientNode base;
  base.centres = centres;
  int twists = 0;
  for (int q = 0; q < 12; ++q) twists |= pieces.twist[q] << q, base.middle[q] = pieces.middle[q];
  for (int q = 0; q < 24; ++q) base.wingEdge[q] = pieces.wingEdge[q];
  // Each half of the labelling's bits, as the places it marks and the twists it turns.
  uint32_t marked[2][64] = {}, turned[2][64] = {};
  for (int half = 0; half < 2; ++half)
    for (int bits = 0; bits < 64; ++bits) {
      for (int q = 0; q < 24; ++q) {
        const int edge = pieces.wingEdge[q];
        if (edge / 6 != half) continue;
        if ((pieces.wingLow[q] ^ (bits >> (edge % 6) & 1)) != 0) marked[half][bits] |= 1u << q;
      }
      for (int q = 0; q < 12; ++q) {
        const int edge = pieces.middle[q];
        if (edge / 6 == half && (bits >> (edge % 6) & 1)) turned[half][bits] |= 1u << q;
      }
    }
  nodes.reserve(1024);
  for (int labels = 0; labels < 2048; ++labels) {
    if (__builtin_popcount(labels) & 1) continue;
    OrientNode node = base;
    node.wings = marked[0][labels & 63] | marked[1][labels >> 6];
    node.flip = (twists ^ turned[0][labels & 63] ^ turned[1][labels >> 6]) & (kFlips - 1);
    nodes.push_back(node);
  }
  return nodes;
}

class OrientPhase : public FivePhase {
 public:
  const char* Name() const override { return "orient"; }
  int MaxLength() const override { return 15; }
  TableResult Prepare() const override { return PrepareOrientTables(true); }
  TableResult PrepareSmall() const override { return PrepareOrientTables(false); }

  int Tables(const DistanceTable** out) const override {
    out[0] = &OrientCentreTable();
    out[1] = &OrientWingTable();
    return 2;
  }

  int Bound(const BigState& state) const override {
    const OrientData* d = OrientTables();
    if (d == nullptr) return kUnknownDistance;
    const OrientSpace space{*d};
    int best = kUnknownDistance;
    for (OrientNode& node : Labellings(state)) {
      if (space.CentreBound(node) >= best) continue;
      const int bound = space.Bound(node);
      if (bound < best) best = bound;
    }
    return best;
  }

  bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
              SearchBudget& budget) const override {
    const OrientData* d = OrientTables();
    if (d == nullptr) return true;
    const OrientSpace space{*d};
    bool first[kMaxPhaseMoves];
    FirstMoves(d->moves, last, first);
    FixedLengthSearch<OrientSpace> search(space, d->moves, finds, budget);
    for (OrientNode& node : Labellings(state))
      if (space.CentreBound(node) <= length && !search.Run(node, length, first)) return false;
    return true;
  }
};

}  // namespace

const FivePhase& FiveOrientPhase() {
  static const OrientPhase phase;
  return phase;
}
