// 5×5×5, second phase (the staged pair on F-B): the U-D pair's x- and t-centres onto U and D, which
// leaves the L-R pair on L and R, and the wings' permutation made even, which only the wide quarter
// turns Fw and Bw change. F and B themselves are left out: they touch neither.
#include <mutex>

#include "solve/phase/five/five_phases.h"
#include "solve/phase/five/geometry/five_frame.h"
#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"

namespace {

const uint64_t kPlacings = 12870;  // eight places of sixteen
const unsigned kUpDown = 1u << U | 1u << D;
const unsigned kFrontBack = 1u << F | 1u << B;

struct SplitData {
  PhaseMoveSet moves;
  MaskMoves masks[2];
  MaskRanker ranker[2];
  int8_t places[2][16];  // the places off F and B, in order
  uint32_t frontBack[2], goal[2];
  int8_t parityFlip[kMaxPhaseMoves];
};

DistanceTable tables[2] = {DistanceTable("5x5x5-split-x", 1, kPlacings * 2),
                           DistanceTable("5x5x5-split-t", 1, kPlacings * 2)};

const OrbitPlaces& Orbit(int o) { return OrbitOf(kFive, o == 0 ? kXCentreOrbit : kTCentreOrbit); }

const SplitData& Data() {
  static SplitData* data = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    static SplitData storage;
    SplitData& d = storage;
    BlockMove list[22];
    int count = 0;
    for (int face : {U, D, R, L})
      for (int q = 1; q <= 3; ++q) list[count++] = Block(face, 1, 1, q);
    for (int face : {F, B})
      for (int q = 1; q <= 3; ++q) list[count++] = Block(face, 1, 2, q);
    for (int face : {U, D, R, L}) list[count++] = Block(face, 1, 2, 2);
    BuildMoveSet(kFive, list, count, &d.moves);
    for (int o = 0; o < 2; ++o) {
      d.masks[o].Build(Orbit(o), list, count);
      d.frontBack[o] = FaceMask(Orbit(o), kFrontBack);
      d.goal[o] = FaceMask(Orbit(o), kUpDown);
      d.ranker[o].Build(0xFFFFFF & ~d.frontBack[o]);
      int k = 0;
      for (int q = 0; q < 24; ++q)
        if (!(d.frontBack[o] >> q & 1)) d.places[o][k++] = static_cast<int8_t>(q);
    }
    const OrbitPlaces& wings = OrbitOf(kFive, kWingOrbit);
    for (int m = 0; m < count; ++m) {
      int8_t from[kMaxOrbitPlaces], twist[kMaxOrbitPlaces];
      MovePlaces(wings, list[m], from, twist);
      d.parityFlip[m] = OddPermutation(from, 24);
    }
    data = &d;
  });
  return *data;
}

struct SplitNode {
  uint32_t mask[2];
  int parity;
};

struct SplitSpace {
  typedef SplitNode Node;
  const SplitData& d;
  void Next(const Node& from, int move, Node* to) const {
    for (int o = 0; o < 2; ++o) to->mask[o] = d.masks[o].Apply(from.mask[o], move);
    to->parity = from.parity ^ d.parityFlip[move];
  }
  uint64_t Index(const Node& node, int o) const {
    return d.ranker[o].Rank(node.mask[o]) * 2ull + node.parity;
  }
  int Bound(const Node& node) const {
    const int x = tables[0].Get(Index(node, 0)), t = tables[1].Get(Index(node, 1));
    return x > t ? x : t;
  }
  bool Goal(const Node& node) const {
    return node.parity == 0 && node.mask[0] == d.goal[0] && node.mask[1] == d.goal[1];
  }
  bool Within(const Node& node, int moves) const { return Bound(node) <= moves; }
  bool Ready(Node&, int) const { return true; }
  void Enter(const Node&, int, Node*) const {}
  bool Accept(const Node&, const Node&, const int*, int) const { return true; }
};

// False when F-B does not hold its pair or the wings cannot be read.
bool Encode(const SplitData& d, const BigState& state, SplitNode* node) {
  BigState seen;
  FixedCentreColours(state, &seen);
  for (int o = 0; o < 2; ++o) {
    node->mask[o] = ColourMask(Orbit(o), seen, kUpDown);
    if ((node->mask[o] & d.frontBack[o]) != 0) return false;
  }
  int8_t wings[24], twist[24];
  if (!ReadPieces(OrbitOf(kFive, kWingOrbit), seen, wings, twist)) return false;
  node->parity = OddPermutation(wings, 24);
  return true;
}

class SplitPhase : public FivePhase {
 public:
  const char* Name() const override { return "split"; }
  int MaxLength() const override { return 13; }

  TableResult Prepare() const override {
    const SplitData& d = Data();
    for (int o = 0; o < 2; ++o) {
      const uint64_t goal = d.ranker[o].Rank(d.goal[o]) * 2ull;
      auto next = [&d, o](uint64_t index, int move, uint64_t* out) {
        const uint32_t compact = UnrankMask(static_cast<uint32_t>(index / 2), 16, 8);
        uint32_t mask = 0;
        for (int k = 0; k < 16; ++k)
          if (compact >> k & 1) mask |= 1u << d.places[o][k];
        out[0] = d.ranker[o].Rank(d.masks[o].Apply(mask, move)) * 2ull + ((index & 1) ^ d.parityFlip[move]);
        return 1;
      };
      const auto graph = MakeIndexGraph(d.moves.count, next);
      const TableResult result = tables[o].Ensure(
          [&](DistanceTable& t) { return FillDistances(t, &goal, 1, graph); },
          [&](const DistanceTable& t) { return DistancesConsistent(t, &goal, 1, graph, 2000); });
      if (result != TableResult::kReady) return result;
    }
    return TableResult::kReady;
  }

  TableResult PrepareSmall() const override { return Prepare(); }

  int Tables(const DistanceTable** out) const override {
    out[0] = &tables[0];
    out[1] = &tables[1];
    return 2;
  }

  int Bound(const BigState& state) const override {
    const SplitData& d = Data();
    SplitNode node;
    if (!Encode(d, state, &node)) return kUnknownDistance;
    return SplitSpace{d}.Bound(node);
  }

  bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
              SearchBudget& budget) const override {
    const SplitData& d = Data();
    SplitNode node;
    if (!Encode(d, state, &node)) return true;
    bool first[kMaxPhaseMoves];
    FirstMoves(d.moves, last, first);
    const SplitSpace space{d};
    FixedLengthSearch<SplitSpace> search(space, d.moves, finds, budget);
    return search.Run(node, length, first);
  }
};

}  // namespace

const FivePhase& FiveSplitPhase() {
  static const SplitPhase phase;
  return phase;
}
