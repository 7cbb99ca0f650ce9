// 5×5×5, first phase: the x- and t-centres of one pair of opposite colours onto the faces of their own
// fixed centres, any of the three pairs, with every face turn and every two-layer wide turn. Each pair is
// searched on a copy turned so that its axis is F-B, where the next phase wants it.
#include <mutex>

#include "solve/phase/five/five_phases.h"
#include "solve/phase/five/geometry/five_frame.h"
#include "solve/phase/five/tables/five_stage_joint.h"
#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"

namespace {

const uint64_t kPlacings = 735471;  // eight places of 24
const unsigned kFrontBack = 1u << F | 1u << B;

struct StageData {
  PhaseMoveSet moves;
  MaskMoves masks[2];  // x-centres, t-centres
  MaskRanker ranker;
  uint32_t goal[2];
};

DistanceTable tables[2] = {DistanceTable("5x5x5-stage-x", 1, kPlacings),
                           DistanceTable("5x5x5-stage-t", 1, kPlacings)};

const OrbitPlaces& Orbit(int o) { return OrbitOf(kFive, o == 0 ? kXCentreOrbit : kTCentreOrbit); }

const StageData& Data() {
  static StageData* data = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    static StageData storage;
    BlockMove list[kMaxPhaseMoves];
    const int count = StageMoveList(list);
    BuildMoveSet(kFive, list, count, &storage.moves);
    for (int o = 0; o < 2; ++o) {
      storage.masks[o].Build(Orbit(o), list, count);
      storage.goal[o] = FaceMask(Orbit(o), kFrontBack);
    }
    storage.ranker.Build(0xFFFFFF);
    data = &storage;
  });
  return *data;
}

struct StageNode {
  uint32_t mask[2];
  uint64_t slot;  // the joint table's, worked out by Ready near the goal
};

struct StageSpace {
  typedef StageNode Node;
  const StageData& d;
  bool joint = StageJointTable().Ready();
  void Next(const Node& from, int move, Node* to) const {
    for (int o = 0; o < 2; ++o) to->mask[o] = d.masks[o].Apply(from.mask[o], move);
  }
  int Separate(const Node& node) const {
    const int x = tables[0].Get(d.ranker.Rank(node.mask[0])), t = tables[1].Get(d.ranker.Rank(node.mask[1]));
    return x > t ? x : t;
  }
  int Bound(const Node& node) const {
    const int separate = Separate(node);
    if (!joint) return separate;
    const int both = StageJointBound(node.mask[0], node.mask[1]);
    return separate > both ? separate : both;
  }
  bool Goal(const Node& node) const { return node.mask[0] == d.goal[0] && node.mask[1] == d.goal[1]; }
  // The joint bound is never more than eight, so it is asked only nearer the goal than that.
  bool Ready(Node& node, int moves) const {
    if (Separate(node) > moves) return false;
    if (joint && moves < 8) node.slot = StageJointSlot(node.mask[0], node.mask[1]);
    return true;
  }
  bool Within(const Node& node, int moves) const {
    return !joint || moves >= 8 || StageJointBoundAt(node.slot) <= moves;
  }
  void Enter(const Node&, int, Node*) const {}
  bool Accept(const Node&, const Node&, const int*, int) const { return true; }
};

// The F-B colours' places once the axis is turned to F-B.
StageNode NodeOf(const BigState& state, int axis) {
  BigState turned;
  TurnedCopy(state, AxisToFrontBack(axis), &turned);
  StageNode node;
  for (int o = 0; o < 2; ++o) node.mask[o] = ColourMask(Orbit(o), turned, kFrontBack);
  return node;
}

class StagePhase : public FivePhase {
 public:
  const char* Name() const override { return "stage"; }
  int MaxLength() const override { return 12; }

  TableResult Prepare() const override {
    const TableResult result = PrepareSmall();
    if (result != TableResult::kReady) return result;
    return PrepareStageJoint();
  }

  TableResult PrepareSmall() const override {
    const StageData& d = Data();
    for (int o = 0; o < 2; ++o) {
      const uint64_t goal = d.ranker.Rank(d.goal[o]);
      auto next = [&d, o](uint64_t index, int move, uint64_t* out) {
        out[0] = d.ranker.Rank(d.masks[o].Apply(UnrankMask(static_cast<uint32_t>(index), 24, 8), move));
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

  int Tables(const DistanceTable** out) const override {
    out[0] = &tables[0];
    out[1] = &tables[1];
    out[2] = &StageJointTable();
    return 3;
  }

  int Bound(const BigState& state) const override {
    const StageSpace space{Data()};
    int best = kUnknownDistance;
    for (int axis = 0; axis < 3; ++axis) {
      const int bound = space.Bound(NodeOf(state, axis));
      if (bound < best) best = bound;
    }
    return best;
  }

  bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
              SearchBudget& budget) const override {
    const StageData& d = Data();
    const StageSpace space{d};
    for (int axis = 0; axis < 3; ++axis) {
      const FiveTurn& turn = AxisToFrontBack(axis);
      bool first[kMaxPhaseMoves];
      BlockMove seen;
      if (last != nullptr) seen = IntoTurn(turn, *last);
      FirstMoves(d.moves, last != nullptr ? &seen : nullptr, first);
      TurnedFinds turned(turn, finds);
      FixedLengthSearch<StageSpace> search(space, d.moves, turned, budget);
      if (!search.Run(NodeOf(state, axis), length, first)) return false;
    }
    return true;
  }

  // The staged axis turned to F-B.
  int Frame(const BigState& state, BlockMove* rotation) const override {
    const StageSpace space{Data()};
    for (int axis = 0; axis < 3; ++axis) {
      if (!space.Goal(NodeOf(state, axis))) continue;
      const FiveTurn& turn = AxisToFrontBack(axis);
      for (int k = 0; k < turn.count; ++k) rotation[k] = turn.moves[k];
      return turn.count;
    }
    return 0;
  }
};

}  // namespace

const FivePhase& FiveStagePhase() {
  static const StagePhase phase;
  return phase;
}
