// 4×4×4, first phase: the eight centres of one pair of opposite colours onto one axis, any of the
// three. Wide turns of U, R and F stand for the others (Dw is Uw with the cube turned), so the
// answer may come out turned, which the next phase's frame puts right.
#include <mutex>

#include "solve/phase/four/four_phases.h"
#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"

namespace {

const int kN = 4;
const unsigned kPairs[3] = {1u << U | 1u << D, 1u << L | 1u << R, 1u << F | 1u << B};

struct StageData {
  PhaseMoveSet moves;
  MaskMoves masks;
  MaskRanker ranker;
  uint32_t goals[3];  // the places of the three axes
};

StageData* data = nullptr;
std::once_flag dataOnce;
DistanceTable table("4x4x4-stage", 1, 735471);

const StageData& Data() {
  std::call_once(dataOnce, [] {
    static StageData storage;
    BlockMove list[27];
    int count = 0;
    for (int face = 0; face < 6; ++face)
      for (int q = 1; q <= 3; ++q) list[count++] = Block(face, 1, 1, q);
    for (int face : {U, R, F})
      for (int q = 1; q <= 3; ++q) list[count++] = Block(face, 1, 2, q);
    BuildMoveSet(kN, list, count, &storage.moves);
    const OrbitPlaces& orbit = OrbitOf(kN, kXCentreOrbit);
    storage.masks.Build(orbit, list, count);
    storage.ranker.Build(0xFFFFFF);
    for (int axis = 0; axis < 3; ++axis) storage.goals[axis] = FaceMask(orbit, kPairs[axis]);
    data = &storage;
  });
  return *data;
}

struct StageSpace {
  typedef uint32_t Node;
  const StageData& d;
  void Next(const Node& from, int move, Node* to) const { *to = d.masks.Apply(from, move); }
  int Bound(const Node& node) const { return table.Get(d.ranker.Rank(node)); }
  bool Goal(const Node& node) const { return node == d.goals[0] || node == d.goals[1] || node == d.goals[2]; }
  bool Within(const Node& node, int moves) const { return Bound(node) <= moves; }
  bool Ready(Node&, int) const { return true; }
  void Enter(const Node&, int, Node*) const {}
  bool Accept(const Node&, const Node&, const int*, int) const { return true; }
};

int TableNext(const StageData& d, uint64_t index, int move, uint64_t* out) {
  out[0] = d.ranker.Rank(d.masks.Apply(UnrankMask(static_cast<uint32_t>(index), 24, 8), move));
  return 1;
}

class StagePhase : public Phase {
 public:
  const char* Name() const override { return "stage"; }
  int MaxLength() const override { return 10; }

  TableResult Prepare() const override {
    const StageData& d = Data();
    uint64_t goals[3];
    for (int axis = 0; axis < 3; ++axis) goals[axis] = d.ranker.Rank(d.goals[axis]);
    auto next = [&d](uint64_t index, int move, uint64_t* out) { return TableNext(d, index, move, out); };
    return table.Ensure(
        [&](DistanceTable& t) { return FillDistances(t, goals, 3, MakeIndexGraph(d.moves.count, next)); },
        [&](const DistanceTable& t) {
          return DistancesConsistent(t, goals, 3, MakeIndexGraph(d.moves.count, next), 2000);
        });
  }

  int Tables(const DistanceTable** out) const override {
    out[0] = &table;
    return 1;
  }

  int Bound(const BigState& state) const override {
    const StageData& d = Data();
    const OrbitPlaces& orbit = OrbitOf(kN, kXCentreOrbit);
    int best = kUnknownDistance;
    for (unsigned pair : kPairs) {
      const int bound = table.Get(d.ranker.Rank(ColourMask(orbit, state, pair)));
      if (bound < best) best = bound;
    }
    return best;
  }

  bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
              SearchBudget& budget) const override {
    const StageData& d = Data();
    const OrbitPlaces& orbit = OrbitOf(kN, kXCentreOrbit);
    bool first[kMaxPhaseMoves];
    FirstMoves(d.moves, last, first);
    StageSpace space{d};
    FixedLengthSearch<StageSpace> search(space, d.moves, finds, budget);
    for (unsigned pair : kPairs)
      if (!search.Run(ColourMask(orbit, state, pair), length, first)) return false;
    return true;
  }

  // The staged axis turned to L-R, where the next phase expects it.
  int Frame(const BigState& state, BlockMove* rotation) const override {
    const StageData& d = Data();
    const OrbitPlaces& orbit = OrbitOf(kN, kXCentreOrbit);
    for (unsigned pair : kPairs) {
      const uint32_t mask = ColourMask(orbit, state, pair);
      if (mask == d.goals[0]) return rotation[0] = Block(F, 1, kN, 1), 1;  // z: U to R
      if (mask == d.goals[2]) return rotation[0] = Block(U, 1, kN, 1), 1;  // y: F to L
    }
    return 0;
  }
};

}  // namespace

const Phase& FourStagePhase() {
  static const StagePhase phase;
  return phase;
}
