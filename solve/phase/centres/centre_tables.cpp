// Centre stage coordinates (ranks of masks of an orbit's places) and their distance tables, filled
// breadth first over each kind's small cube.
#include "solve/phase/centres/centre_tables.h"

#include <mutex>

#include "solve/phase/phase_pieces.h"

namespace {

// Places are numbered face by face, four to a face.
constexpr uint32_t FacePlaces(int face) { return 0xFu << (4 * face); }
const uint32_t kUpDown = FacePlaces(U) | FacePlaces(D);
const uint32_t kLeftRight = FacePlaces(L) | FacePlaces(R);
const uint32_t kFrontBack = FacePlaces(F) | FacePlaces(B);
const uint64_t kEntries[kCentreStages] = {735471, 12870, 70 * 70 * 70};

struct Rankers {
  MaskRanker all, sides, upDown, leftRight, frontBack;
};

const Rankers& RankersOf() {
  static Rankers* rankers = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    static Rankers storage;
    storage.all.Build(0xFFFFFF);
    storage.sides.Build(kLeftRight | kFrontBack);
    storage.upDown.Build(kUpDown);
    storage.leftRight.Build(kLeftRight);
    storage.frontBack.Build(kFrontBack);
    rankers = &storage;
  });
  return *rankers;
}

// The places of `within` (in order) given a rank among masks of k of them.
uint32_t Expand(uint32_t compact, uint32_t within) {
  uint32_t mask = 0;
  int k = 0;
  for (int place = 0; place < 24; ++place)
    if (within >> place & 1) {
      if (compact >> k & 1) mask |= 1u << place;
      ++k;
    }
  return mask;
}

void Decode(int stage, uint64_t index, uint32_t* masks) {
  switch (stage) {
    case 0: masks[0] = UnrankMask(static_cast<uint32_t>(index), 24, 8); break;
    case 1:
      masks[0] = Expand(UnrankMask(static_cast<uint32_t>(index), 16, 8), kLeftRight | kFrontBack);
      break;
    default:
      masks[0] = Expand(UnrankMask(static_cast<uint32_t>(index / 4900), 8, 4), kUpDown);
      masks[1] = Expand(UnrankMask(static_cast<uint32_t>(index / 70 % 70), 8, 4), kLeftRight);
      masks[2] = Expand(UnrankMask(static_cast<uint32_t>(index % 70), 8, 4), kFrontBack);
  }
}

struct StageGraph {
  typedef uint64_t Position;
  int stage;
  const CentreModel* model;
  int moves[kMaxModelMoves];
  int count;
  int Moves() const { return count; }
  void Decode(uint64_t index, Position* position) const { *position = index; }
  int Next(const Position& position, int move, uint64_t* out) const {
    uint32_t masks[kMaxStageMasks];
    ::Decode(stage, position, masks);
    for (int k = 0; k < StageMaskCount(stage); ++k) masks[k] = model->masks.Apply(masks[k], moves[move]);
    out[0] = StageIndex(stage, masks);
    return 1;
  }
};

StageGraph GraphOf(int stage, int kind) {
  StageGraph graph;
  graph.stage = stage;
  graph.model = &CentreModelOf(kind);
  graph.count = 0;
  for (int m = 0; m < graph.model->moveCount; ++m)
    if (StageMove(stage, graph.model->moves[m])) graph.moves[graph.count++] = m;
  return graph;
}

const char* const kNames[kCentreStages][kCentreKinds] = {
    {"centres-x-axis", "centres-t-axis", "centres-left-axis", "centres-right-axis"},
    {"centres-x-sides", "centres-t-sides", "centres-left-sides", "centres-right-sides"},
    {"centres-x-faces", "centres-t-faces", "centres-left-faces", "centres-right-faces"}};

DistanceTable& TableOf(int stage, int kind) {
  static DistanceTable* tables[kCentreStages][kCentreKinds];
  static std::once_flag once;
  std::call_once(once, [] {
    for (int s = 0; s < kCentreStages; ++s)
      for (int k = 0; k < kCentreKinds; ++k) tables[s][k] = new DistanceTable(kNames[s][k], 1, kEntries[s]);
  });
  return *tables[stage][kind];
}

}  // namespace

int StageMaskCount(int stage) { return stage == 2 ? 3 : 1; }

namespace {

// The places of `within` that hold the colours, topped up to `count` with places of `within` that hold
// a colour of another axis (left there by an earlier stage that stopped short): the later stages
// carry those pieces as if they were of the colours, and the last stage puts them right.
uint32_t Within(const OrbitPlaces& places, const BigState& state, unsigned colours, unsigned axis,
                uint32_t within, int count) {
  uint32_t mask = ColourMask(places, state, colours) & within;
  const uint32_t strays = ~ColourMask(places, state, axis) & within;
  for (int place = 0; place < 24 && __builtin_popcount(mask) < count; ++place)
    if (strays >> place & 1) mask |= 1u << place;
  return mask;
}

}  // namespace

void StageMasks(int stage, const OrbitPlaces& places, const BigState& state, uint32_t* masks) {
  const unsigned upDown = 1u << U | 1u << D, leftRight = 1u << L | 1u << R, frontBack = 1u << F | 1u << B;
  switch (stage) {
    case 0: masks[0] = ColourMask(places, state, upDown); break;
    case 1:
      masks[0] = Within(places, state, leftRight, leftRight | frontBack, kLeftRight | kFrontBack, 8);
      break;
    default:
      masks[0] = Within(places, state, 1u << U, upDown, kUpDown, 4);
      masks[1] = Within(places, state, 1u << L, leftRight, kLeftRight, 4);
      masks[2] = Within(places, state, 1u << F, frontBack, kFrontBack, 4);
  }
}

bool StageMove(int stage, const BlockMove& move) {
  if (stage == 0 || move.last == 1) return true;
  if (stage == 1 && (move.face == U || move.face == D)) return true;
  return move.quarterTurns == 2;
}

uint64_t StageIndex(int stage, const uint32_t* masks) {
  const Rankers& r = RankersOf();
  switch (stage) {
    case 0: return r.all.Rank(masks[0]);
    case 1: return r.sides.Rank(masks[0]);
    default:
      return (static_cast<uint64_t>(r.upDown.Rank(masks[0])) * 70 + r.leftRight.Rank(masks[1])) * 70 +
             r.frontBack.Rank(masks[2]);
  }
}

bool StageGoal(int stage, const uint32_t* masks) {
  switch (stage) {
    case 0: return masks[0] == kUpDown;
    case 1: return masks[0] == kLeftRight;
    default: return masks[0] == FacePlaces(U) && masks[1] == FacePlaces(L) && masks[2] == FacePlaces(F);
  }
}

void StageGoalMasks(int stage, uint32_t* masks) {
  switch (stage) {
    case 0: masks[0] = kUpDown; break;
    case 1: masks[0] = kLeftRight; break;
    default: masks[0] = FacePlaces(U), masks[1] = FacePlaces(L), masks[2] = FacePlaces(F);
  }
}

const DistanceTable& CentreTable(int stage, int kind) { return TableOf(stage, kind); }

TableResult PrepareCentreTables() {
  for (int stage = 0; stage < kCentreStages; ++stage)
    for (int kind = 0; kind < kCentreKinds; ++kind) {
      const StageGraph graph = GraphOf(stage, kind);
      uint32_t goal[kMaxStageMasks];
      StageGoalMasks(stage, goal);
      const uint64_t goals[1] = {StageIndex(stage, goal)};
      const TableResult result =
          TableOf(stage, kind)
              .Ensure([&](DistanceTable& t) { return FillDistances(t, goals, 1, graph); },
                      [&](const DistanceTable& t) { return DistancesConsistent(t, goals, 1, graph, 2000); });
      if (result != TableResult::kReady) return result;
    }
  return TableResult::kReady;
}

int CentreTables(const DistanceTable** out, int capacity) {
  int count = 0;
  for (int stage = 0; stage < kCentreStages; ++stage)
    for (int kind = 0; kind < kCentreKinds && count < capacity; ++kind) out[count++] = &TableOf(stage, kind);
  return count;
}
