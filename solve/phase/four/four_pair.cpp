// 4×4×4, third phase: every centre home up to a rotation and every edge paired, with the quarter turns
// of U, D, F and B, half turns of R and L and of every wide block. The reduced cube it leaves is a
// sound 3×3×3 (no swapped-edge parity): a bit that those moves change in a known way (the corners'
// permutation parity against the low wings' one) must match the parity of the rotation the centres
// end in, and the centre coordinate carries it.
#include <cstring>
#include <mutex>

#include "solve/phase/four/four_pair_edges.h"
#include "solve/phase/four/four_phases.h"
#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"
#include "study/facelet_map.h"

namespace {

const int kN = 4;
const uint64_t kPerAssignment = 70ull * 70 * 70 * 2;
// The lower colour of each pair (U, L, F): which places hold them, axis by axis.
const unsigned kLowerColours = 1u << U | 1u << L | 1u << F;
const unsigned kAxisFaces[3] = {1u << U | 1u << D, 1u << L | 1u << R, 1u << F | 1u << B};

int PairOf(int colour) { return colour == U || colour == D ? 0 : colour == L || colour == R ? 1 : 2; }

struct PairData {
  PhaseMoveSet moves;
  MaskMoves masks;
  MaskRanker axisRanker[3];
  int8_t axisPlaces[3][8];
  uint8_t axisMove[3][70][kMaxPhaseMoves];  // each axis's arrangement (its ranker's rank) after a move
  int8_t parityFlip[kMaxPhaseMoves];
  uint64_t goals[24];
};

PairData* data = nullptr;
std::once_flag dataOnce;
DistanceTable table("4x4x4-pair-centres", 1, 6 * kPerAssignment);

WingHalves halves;
std::once_flag halvesOnce;

// Which pair each axis holds, as one of the six orders.
int AssignmentOf(const BigState& state) {
  int pairs[3];
  for (int axis = 0; axis < 3; ++axis)
    pairs[axis] = PairOf(state.cells[CellIndex(axis == 0 ? U : axis == 1 ? L : F, 1, 1)]);
  static const int8_t kOrder[3][3] = {{-1, 0, 1}, {2, -1, 3}, {4, 5, -1}};
  return kOrder[pairs[0]][pairs[1]];
}

// The corners' permutation parity against the low wings' (each edge's low wing read as its edge).
int ParityBit(const BigState& state) {
  int8_t piece[24], twist[24];
  if (!ReadPieces(OrbitOf(kN, kCornerOrbit), state, piece, twist)) return -1;
  const bool corners = OddPermutation(piece, 8);
  if (!ReadPieces(OrbitOf(kN, kWingOrbit), state, piece, twist)) return -1;
  int8_t edges[12];
  for (int e = 0; e < 12; ++e) edges[e] = halves.edgeOf[piece[halves.lowPlace[e]]];
  return corners != OddPermutation(edges, 12);
}

struct Centres {
  uint8_t rank[3];
  int bit;
};

Centres CentresOf(const PairData& d, uint32_t mask, int bit) {
  Centres c;
  for (int axis = 0; axis < 3; ++axis) c.rank[axis] = static_cast<uint8_t>(d.axisRanker[axis].Rank(mask));
  c.bit = bit;
  return c;
}

uint64_t CentreIndex(int assignment, const Centres& c) {
  return ((((static_cast<uint64_t>(assignment) * 70 + c.rank[0]) * 70 + c.rank[1]) * 70 + c.rank[2]) << 1) +
         static_cast<uint64_t>(c.bit);
}

Centres MoveCentres(const PairData& d, const Centres& c, int move) {
  Centres to;
  for (int axis = 0; axis < 3; ++axis) to.rank[axis] = d.axisMove[axis][c.rank[axis]][move];
  to.bit = c.bit ^ d.parityFlip[move];
  return to;
}

const PairData& Data() {
  std::call_once(dataOnce, [] {
    static PairData storage;
    PairData& d = storage;
    BlockMove list[kMaxPhaseMoves];
    const int count = FourPairMoves(list);
    BuildMoveSet(kN, list, count, &d.moves);
    const OrbitPlaces& centres = OrbitOf(kN, kXCentreOrbit);
    d.masks.Build(centres, list, count);
    for (int axis = 0; axis < 3; ++axis) {
      const uint32_t within = FaceMask(centres, kAxisFaces[axis]);
      d.axisRanker[axis].Build(within);
      int k = 0;
      for (int q = 0; q < 24; ++q)
        if (within >> q & 1) d.axisPlaces[axis][k++] = static_cast<int8_t>(q);
    }
    for (int axis = 0; axis < 3; ++axis)
      for (uint32_t rank = 0; rank < 70; ++rank) {
        const uint32_t compact = UnrankMask(rank, 8, 4);
        uint32_t mask = 0;
        for (int k = 0; k < 8; ++k)
          if (compact >> k & 1) mask |= 1u << d.axisPlaces[axis][k];
        for (int m = 0; m < count; ++m)
          d.axisMove[axis][rank][m] = static_cast<uint8_t>(d.axisRanker[axis].Rank(d.masks.Apply(mask, m)));
      }
    FourWingHalves();
    BigState solved;
    BigSolved(kN, &solved);
    const int solvedBit = ParityBit(solved);
    for (int m = 0; m < count; ++m) {
      BigState turned = solved;
      BigApply(&turned, list[m]);
      d.parityFlip[m] = static_cast<int8_t>(ParityBit(turned) ^ solvedBit);
    }
    // The goal: each of the 24 rotations of the solved cube, with its own parity bit.
    for (int s = 0; s < 24; ++s) {
      const int16_t* source = SymmetrySources(kN, s);
      BigState turned = solved;
      ForEachUsedCell(kN, [&](int cell) { turned.cells[cell] = solved.cells[source[cell]]; });
      d.goals[s] = CentreIndex(AssignmentOf(turned),
                               CentresOf(d, ColourMask(centres, turned, kLowerColours), ParityBit(turned)));
    }
    data = &d;
  });
  return *data;
}

struct PairNode {
  Centres centres;
  int8_t partner[12];
  uint64_t edgeIndex;  // worked out by Ready
};

struct PairSpace {
  typedef PairNode Node;
  const PairData& d;
  const PairEdgeData& edges;
  int assignment;
  void Next(const Node& from, int move, Node* to) const {
    to->centres = MoveCentres(d, from.centres, move);
    MovePartners(edges, from.partner, move, to->partner);
  }
  int Bound(const Node& node) const {
    const int centres = table.Get(CentreIndex(assignment, node.centres));
    const int pairs = PairEdgeDistances().Get(PartnerIndex(edges, node.partner));
    return centres > pairs ? centres : pairs;
  }
  // The centres' bound first: it is cheap and often enough; then the edges' entry is asked for.
  bool Ready(Node& node, int moves) const {
    if (table.Get(CentreIndex(assignment, node.centres)) > moves) return false;
    node.edgeIndex = PartnerIndex(edges, node.partner);
    PairEdgeDistances().Prefetch(node.edgeIndex);
    return true;
  }
  bool Within(const Node& node, int moves) const { return PairEdgeDistances().Get(node.edgeIndex) <= moves; }
  bool Goal(const Node& node) const {
    for (int e = 0; e < 12; ++e)
      if (node.partner[e] != e) return false;
    return table.Get(CentreIndex(assignment, node.centres)) == 0;
  }
  void Enter(const Node&, int, Node*) const {}
  bool Accept(const Node&, const Node&, const int*, int) const { return true; }
};

bool Encode(const BigState& state, PairSpace* space, PairNode* node) {
  const OrbitPlaces& centres = OrbitOf(kN, kXCentreOrbit);
  space->assignment = AssignmentOf(state);
  if (space->assignment < 0) return false;
  const int bit = ParityBit(state);
  node->centres = CentresOf(space->d, ColourMask(centres, state, kLowerColours), bit);
  int8_t piece[24], twist[24];
  if (bit < 0 || !ReadPieces(OrbitOf(kN, kWingOrbit), state, piece, twist)) return false;
  int8_t placeOf[24];
  for (int q = 0; q < 24; ++q) placeOf[piece[q]] = static_cast<int8_t>(q);
  for (int e = 0; e < 12; ++e) {
    const int home = piece[halves.lowPlace[e]], edge = halves.edgeOf[home];
    const int other = halves.lowPlace[edge] == home ? halves.highPlace[edge] : halves.lowPlace[edge];
    const int at = placeOf[other];
    if (halves.low >> at & 1) return false;  // not parted: the phase before did not end here
    node->partner[e] = halves.edgeOf[at];
  }
  return true;
}

int TableNext(const PairData& d, uint64_t index, int move, uint64_t* out) {
  Centres c;
  c.bit = static_cast<int>(index & 1);
  uint64_t rest = index >> 1;
  for (int axis = 2; axis >= 0; --axis) {
    c.rank[axis] = static_cast<uint8_t>(rest % 70);
    rest /= 70;
  }
  out[0] = CentreIndex(static_cast<int>(rest), MoveCentres(d, c, move));
  return 1;
}

class PairPhase : public Phase {
 public:
  const char* Name() const override { return "pair"; }
  int MaxLength() const override { return 20; }

  TableResult Prepare() const override {
    const PairData& d = Data();
    auto next = [&d](uint64_t index, int move, uint64_t* out) { return TableNext(d, index, move, out); };
    const auto graph = MakeIndexGraph(d.moves.count, next);
    const TableResult centres = table.Ensure(
        [&](DistanceTable& t) { return FillDistances(t, d.goals, 24, graph); },
        [&](const DistanceTable& t) { return DistancesConsistent(t, d.goals, 24, graph, 2000); });
    if (centres != TableResult::kReady) return centres;
    return PreparePairEdges();
  }

  int Tables(const DistanceTable** out) const override {
    out[0] = &table;
    out[1] = &PairEdgeDistances();
    return 2;
  }

  int Bound(const BigState& state) const override {
    PairSpace space{Data(), *PairEdgeTables(), 0};
    PairNode node;
    if (!Encode(state, &space, &node)) return kUnknownDistance;
    return space.Bound(node);
  }

  // The centres and the edges' partners: the corners and which wing is which are not read here.
  uint64_t Key(const BigState& state) const override {
    PairSpace space{Data(), *PairEdgeTables(), 0};
    PairNode node;
    if (!Encode(state, &space, &node)) return CellsKey(state);
    const uint64_t centres = CentreIndex(space.assignment, node.centres);
    return BytesKey(node.partner, sizeof node.partner, centres);
  }

  bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
              SearchBudget& budget) const override {
    const PairData& d = Data();
    PairSpace space{d, *PairEdgeTables(), 0};
    PairNode node;
    if (!Encode(state, &space, &node)) return true;
    bool first[kMaxPhaseMoves];
    FirstMoves(d.moves, last, first);
    FixedLengthSearch<PairSpace> search(space, d.moves, finds, budget);
    return search.Run(node, length, first);
  }

  // The centres turned home, for the 3×3×3 search.
  int Frame(const BigState& state, BlockMove* rotation) const override {
    const BigRotation* rotations = BigRotations(kN);
    for (int r = 0; r < 24; ++r) {
      BigState turned = state;
      for (int k = 0; k < rotations[r].count; ++k) BigApply(&turned, rotations[r].moves[k]);
      bool home = true;
      for (int face = 0; face < 6 && home; ++face) home = turned.cells[CellIndex(face, 1, 1)] == face;
      if (!home) continue;
      for (int k = 0; k < rotations[r].count; ++k) rotation[k] = rotations[r].moves[k];
      return rotations[r].count;
    }
    return 0;
  }
};

}  // namespace

int FourPairMoves(BlockMove* moves) {
  int count = 0;
  for (int face : {U, D, F, B})
    for (int q = 1; q <= 3; ++q) moves[count++] = Block(face, 1, 1, q);
  for (int face : {R, L}) moves[count++] = Block(face, 1, 1, 2);
  for (int face = 0; face < 6; ++face) moves[count++] = Block(face, 1, 2, 2);
  return count;
}

const WingHalves& FourWingHalves() {
  std::call_once(halvesOnce, [] {
    const OrbitPlaces& wings = OrbitOf(kN, kWingOrbit);
    // Edges numbered as their places first appear.
    int faces[12][2], edges = 0;
    for (int q = 0; q < 24; ++q) {
      const int a = wings.cells[q][0] / kFaceStride, b = wings.cells[q][1] / kFaceStride;
      int found = -1;
      for (int e = 0; e < edges && found < 0; ++e)
        if (faces[e][0] == a && faces[e][1] == b) found = e;
      if (found < 0) faces[edges][0] = a, faces[edges][1] = b, found = edges++;
      halves.edgeOf[q] = static_cast<int8_t>(found);
    }
    // The low places: those the phase's moves reach from place 0.
    BlockMove list[kMaxPhaseMoves];
    const int count = FourPairMoves(list);
    int8_t from[kMaxPhaseMoves][24];
    for (int m = 0; m < count; ++m) {
      int8_t twist[24];
      MovePlaces(wings, list[m], from[m], twist);
    }
    halves.low = 1;
    for (bool grew = true; grew;) {
      grew = false;
      for (int m = 0; m < count; ++m)
        for (int q = 0; q < 24; ++q)
          if ((halves.low >> from[m][q] & 1) && !(halves.low >> q & 1)) halves.low |= 1u << q, grew = true;
    }
    std::memset(halves.lowPlace, -1, sizeof halves.lowPlace);
    std::memset(halves.highPlace, -1, sizeof halves.highPlace);
    for (int q = 0; q < 24; ++q)
      (halves.low >> q & 1 ? halves.lowPlace : halves.highPlace)[halves.edgeOf[q]] = static_cast<int8_t>(q);
  });
  return halves;
}

const Phase& FourPairPhase() {
  static const PairPhase phase;
  return phase;
}
