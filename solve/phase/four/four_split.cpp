// 4×4×4, second phase (staged axis on L-R): the other two pairs' centres parted onto their own axes,
// the L-R centres left where the last phase's half turns can finish them, the wings' permutation
// made even (only the inner quarter turns Rw and Lw change it), and each edge's two wings parted
// between the halves the last phase keeps apart, which is checked at the goal.
#include <mutex>

#include "solve/phase/four/four_phases.h"
#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"

namespace {

const int kN = 4;
const unsigned kLeftRight = 1u << L | 1u << R;
const int kRlCount = 70;

struct SplitData {
  PhaseMoveSet moves;
  MaskMoves masks;
  MaskRanker ctRanker, rlRanker;
  int8_t ctPlaces[16], rlPlaces[8];
  uint32_t upDown, frontBack;
  bool goodRl[kRlCount];
  int8_t wingFrom[kMaxPhaseMoves][24];
  int8_t parityFlip[kMaxPhaseMoves];
};

SplitData* data = nullptr;
std::once_flag dataOnce;
DistanceTable table("4x4x4-split", 1, 12870ull * kRlCount * 2);

uint32_t Expand(uint32_t compact, const int8_t* places, int count) {
  uint32_t mask = 0;
  for (int k = 0; k < count; ++k)
    if (compact >> k & 1) mask |= 1u << places[k];
  return mask;
}

const SplitData& Data() {
  std::call_once(dataOnce, [] {
    static SplitData storage;
    SplitData& d = storage;
    BlockMove list[28];
    int count = 0;
    for (int face = 0; face < 6; ++face)
      for (int q = 1; q <= 3; ++q) list[count++] = Block(face, 1, 1, q);
    for (int face : {R, L})
      for (int q = 1; q <= 3; ++q) list[count++] = Block(face, 1, 2, q);
    for (int face : {U, D, F, B}) list[count++] = Block(face, 1, 2, 2);
    BuildMoveSet(kN, list, count, &d.moves);
    const OrbitPlaces& centres = OrbitOf(kN, kXCentreOrbit);
    d.masks.Build(centres, list, count);
    const uint32_t rl = FaceMask(centres, kLeftRight);
    d.ctRanker.Build(0xFFFFFF & ~rl);
    d.rlRanker.Build(rl);
    int ct = 0, r = 0;
    for (int q = 0; q < 24; ++q) {
      if (rl >> q & 1)
        d.rlPlaces[r++] = static_cast<int8_t>(q);
      else
        d.ctPlaces[ct++] = static_cast<int8_t>(q);
    }
    d.upDown = FaceMask(centres, 1u << U | 1u << D);
    d.frontBack = FaceMask(centres, 1u << F | 1u << B);
    // The L-R arrangements the last phase can finish: those its moves reach from either finished one.
    BlockMove pair[kMaxPhaseMoves];
    const int pairCount = FourPairMoves(pair);
    MaskMoves* pairMasks = new MaskMoves;
    pairMasks->Build(centres, pair, pairCount);
    for (bool& good : d.goodRl) good = false;
    uint32_t queue[kRlCount];
    int head = 0, tail = 0;
    for (uint32_t start : {FaceMask(centres, 1u << R), FaceMask(centres, 1u << L)}) {
      d.goodRl[d.rlRanker.Rank(start)] = true;
      queue[tail++] = start;
    }
    while (head < tail) {
      const uint32_t mask = queue[head++];
      for (int m = 0; m < pairCount; ++m) {
        const uint32_t next = pairMasks->Apply(mask, m);
        bool& good = d.goodRl[d.rlRanker.Rank(next)];
        if (!good) good = true, queue[tail++] = next;
      }
    }
    delete pairMasks;
    const OrbitPlaces& wings = OrbitOf(kN, kWingOrbit);
    for (int m = 0; m < count; ++m) {
      int8_t twist[kMaxOrbitPlaces];
      MovePlaces(wings, list[m], d.wingFrom[m], twist);
      d.parityFlip[m] = OddPermutation(d.wingFrom[m], 24);
    }
    data = &d;
  });
  return *data;
}

struct SplitNode {
  uint32_t ct, rl;
  int parity;
  int8_t wings[24];  // kept only along the way the search goes
};

uint64_t IndexOf(const SplitData& d, const SplitNode& node) {
  return (static_cast<uint64_t>(d.ctRanker.Rank(node.ct)) * kRlCount + d.rlRanker.Rank(node.rl)) * 2 +
         node.parity;
}

bool Parted(const int8_t* wings) {
  const WingHalves& halves = FourWingHalves();
  // Every edge has one wing among the low places (so one among the high), and the pairing the last
  // phase has to undo is an even permutation of the edges, which its moves keep.
  int partnerAt[24], placeOf[24];
  for (int q = 0; q < 24; ++q) placeOf[wings[q]] = q;
  for (int q = 0; q < 24; ++q) {
    const int8_t piece = wings[q];
    const int edge = halves.edgeOf[piece];
    const int other = halves.lowPlace[edge] == piece ? halves.highPlace[edge] : halves.lowPlace[edge];
    partnerAt[q] = placeOf[other];
  }
  int8_t partner[12];
  for (int e = 0; e < 12; ++e) {
    const int at = partnerAt[halves.lowPlace[e]];
    if (halves.low >> at & 1) return false;
    partner[e] = halves.edgeOf[at];
  }
  return !OddPermutation(partner, 12);
}

struct SplitSpace {
  typedef SplitNode Node;
  const SplitData& d;
  void Next(const Node& from, int move, Node* to) const {
    to->ct = d.masks.Apply(from.ct, move);
    to->rl = d.masks.Apply(from.rl, move);
    to->parity = from.parity ^ d.parityFlip[move];
  }
  int Bound(const Node& node) const { return table.Get(IndexOf(d, node)); }
  bool Goal(const Node& node) const {
    return node.parity == 0 && (node.ct == d.upDown || node.ct == d.frontBack) &&
           d.goodRl[d.rlRanker.Rank(node.rl)];
  }
  bool Within(const Node& node, int moves) const { return Bound(node) <= moves; }
  bool Ready(Node&, int) const { return true; }
  void Enter(const Node& from, int move, Node* to) const {
    for (int q = 0; q < 24; ++q) to->wings[q] = from.wings[d.wingFrom[move][q]];
  }
  bool Accept(const Node&, const Node& end, const int*, int) const { return Parted(end.wings); }
};

// The pair of colours not staged whose lower colour is lowest; the lower staged colour.
void Colours(const BigState& state, unsigned* parted, unsigned* staged) {
  const int onRight = state.cells[CellIndex(R, 1, 1)];
  const int stagedLow = onRight == U || onRight == D ? U : onRight == L || onRight == R ? L : F;
  *staged = 1u << stagedLow;
  *parted = stagedLow == U ? (1u << L | 1u << R) : (1u << U | 1u << D);
}

bool Encode(const BigState& state, SplitNode* node) {
  const OrbitPlaces& centres = OrbitOf(kN, kXCentreOrbit);
  unsigned parted, staged;
  Colours(state, &parted, &staged);
  node->ct = ColourMask(centres, state, parted);
  node->rl = ColourMask(centres, state, staged);
  int8_t twist[24];
  if (!ReadPieces(OrbitOf(kN, kWingOrbit), state, node->wings, twist)) return false;
  node->parity = OddPermutation(node->wings, 24);
  return true;
}

int TableNext(const SplitData& d, uint64_t index, int move, uint64_t* out) {
  SplitNode node, next;
  node.parity = static_cast<int>(index & 1);
  node.rl = Expand(UnrankMask(static_cast<uint32_t>(index / 2 % kRlCount), 8, 4), d.rlPlaces, 8);
  node.ct = Expand(UnrankMask(static_cast<uint32_t>(index / 2 / kRlCount), 16, 8), d.ctPlaces, 16);
  next.ct = d.masks.Apply(node.ct, move);
  next.rl = d.masks.Apply(node.rl, move);
  next.parity = node.parity ^ d.parityFlip[move];
  out[0] = IndexOf(d, next);
  return 1;
}

class SplitPhase : public Phase {
 public:
  const char* Name() const override { return "split"; }
  int MaxLength() const override { return 14; }

  TableResult Prepare() const override {
    const SplitData& d = Data();
    uint64_t goals[2 * kRlCount];
    int goalCount = 0;
    for (uint32_t ct : {d.upDown, d.frontBack})
      for (uint32_t rl = 0; rl < kRlCount; ++rl)
        if (d.goodRl[rl])
          goals[goalCount++] = (static_cast<uint64_t>(d.ctRanker.Rank(ct)) * kRlCount + rl) * 2;
    auto next = [&d](uint64_t index, int move, uint64_t* out) { return TableNext(d, index, move, out); };
    return table.Ensure(
        [&](DistanceTable& t) {
          return FillDistances(t, goals, goalCount, MakeIndexGraph(d.moves.count, next));
        },
        [&](const DistanceTable& t) {
          return DistancesConsistent(t, goals, goalCount, MakeIndexGraph(d.moves.count, next), 2000);
        });
  }

  int Tables(const DistanceTable** out) const override {
    out[0] = &table;
    return 1;
  }

  int Bound(const BigState& state) const override {
    SplitSpace space{Data()};
    SplitNode node;
    if (!Encode(state, &node)) return kUnknownDistance;
    return space.Bound(node);
  }

  bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
              SearchBudget& budget) const override {
    const SplitData& d = Data();
    SplitSpace space{d};
    SplitNode node;
    if (!Encode(state, &node)) return true;
    bool first[kMaxPhaseMoves];
    FirstMoves(d.moves, last, first);
    FixedLengthSearch<SplitSpace> search(space, d.moves, finds, budget);
    return search.Run(node, length, first);
  }
};

}  // namespace

const Phase& FourSplitPhase() {
  static const SplitPhase phase;
  return phase;
}
