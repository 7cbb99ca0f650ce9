// Rings of x-centres and t-centres solved from the middle out by IDA* over the centre stages' tables,
// a ring's two orbits searched together, with joint tables of each axis for the last stage.
#include "solve/phase/centres/centre_rings.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "solve/phase/centres/centre_orbits.h"
#include "solve/phase/centres/centre_tables.h"

namespace {

const int kMaxRingOrbits = 2;
const int kMaxRingMoves = 36;
const int kMaxStageTurns = 40;
// Positions each try of a stage may visit (a tenth of a second or two); the exact search first, then
// greedier ones, which find a way a turn or two longer where the two orbits pull apart. A ring that
// reaches its goal saves the commutators many more turns than one left half done, so the budget pays:
// at 7×7×7, 5 million positions a try against 1.5 million brought the inner ring home on 22 patterns
// of 30 against 4 of 20 and took 15 turns off the mean answer; 10 million took half a turn more.
const long kNodesPerTry = 5000000;
// The bound's weight in quarters, one try each: the exact search first, then greedier ones.
const int kWeights[] = {4, 5, 6, 8, 12};

struct Ring {
  int count;
  const CentreOrbit* orbits[kMaxRingOrbits];
  int moveCount;
  int moves[kMaxRingMoves];  // the layout's
  bool alike;                // every turn the same model turn for both orbits (as it is for an x and a t)
};

// The orbits on the ring and the turns that move them: face turns, and wide turns one layer deeper.
Ring RingOf(const CentreLayout& layout, int ring) {
  Ring found{};
  for (int o = 0; o < layout.orbitCount; ++o) {
    const CentreOrbit& orbit = layout.orbits[o];
    if (std::min(orbit.row, orbit.column) != ring) continue;
    if (orbit.kind == kTCentres || (orbit.kind == kXCentres && ring > 1))
      found.orbits[found.count++] = &orbit;
  }
  for (int m = 0; m < layout.moveCount; ++m)
    if (layout.moves[m].last == 1 || layout.moves[m].last == ring + 1) found.moves[found.moveCount++] = m;
  found.alike = found.count == 2;
  for (int a = 0; a < found.moveCount && found.alike; ++a)
    found.alike = found.orbits[0]->modelMove[found.moves[a]] == found.orbits[1]->modelMove[found.moves[a]];
  return found;
}

// The last stage reads three masks of an orbit, one for each axis, which its turns never mix: a table
// over both orbits' masks of one axis bounds the ring's search better than either orbit's alone (it
// visits a fourth to a sixth of the positions). A mask of an axis's eight places packed in a byte.
const int kAxisFaces[3][2] = {{U, D}, {L, R}, {F, B}};
const int kOppositeFace[6] = {D, R, B, L, F, U};
int AxisByte(uint32_t mask, int axis) {
  return static_cast<int>((mask >> (4 * kAxisFaces[axis][0]) & 15) | (mask >> (4 * kAxisFaces[axis][1]) & 15)
                                                                         << 4);
}

struct JointTables {
  int8_t distance[3][1 << 16];  // -1 where no position reaches
};

const JointTables& JointTablesOf() {
  static std::unique_ptr<JointTables> tables;
  static std::once_flag once;
  std::call_once(once, [] {
    tables.reset(new JointTables);
    const CentreModel& x = CentreModelOf(kXCentres);
    const CentreModel& t = CentreModelOf(kTCentres);
    uint32_t goal[kMaxStageMasks];
    StageGoalMasks(2, goal);
    for (int axis = 0; axis < 3; ++axis) {
      int8_t* distance = tables->distance[axis];
      std::memset(distance, -1, sizeof tables->distance[axis]);
      std::vector<std::pair<uint32_t, uint32_t>> frontier{{goal[axis], goal[axis]}}, next;
      distance[AxisByte(goal[axis], axis) << 8 | AxisByte(goal[axis], axis)] = 0;
      for (int depth = 1; !frontier.empty(); ++depth) {
        next.clear();
        for (const auto& masks : frontier)
          for (int m = 0; m < x.moveCount; ++m) {
            if (!StageMove(2, x.moves[m])) continue;
            const uint32_t a = x.masks.Apply(masks.first, m), b = t.masks.Apply(masks.second, m);
            int8_t& slot = distance[AxisByte(a, axis) << 8 | AxisByte(b, axis)];
            if (slot >= 0) continue;
            slot = static_cast<int8_t>(depth);
            next.emplace_back(a, b);
          }
        frontier.swap(next);
      }
    }
  });
  return *tables;
}

struct Search {
  const CentreLayout* layout;
  int stage, maskCount;
  const Ring* ring;
  const DistanceTable* tables[kMaxRingOrbits];
  const JointTables* joint;  // the last stage of a ring with both kinds; else null
  int allowed[kMaxRingMoves], allowedCount;
  int weight;
  long nodes;
  const SolveLimit* limit;
  bool cancelled;
  int path[kMaxStageTurns], length;

  int Bound(const uint32_t (*masks)[kMaxStageMasks]) const {
    int bound = 0;
    for (int k = 0; k < ring->count; ++k)
      bound = std::max(bound, tables[k]->Get(StageIndex(stage, masks[k])));
    if (joint != nullptr)
      for (int axis = 0; axis < 3; ++axis)
        bound = std::max<int>(
            bound,
            joint->distance[axis][AxisByte(masks[0][axis], axis) << 8 | AxisByte(masks[1][axis], axis)]);
    return bound;
  }

  // Ways within `bound` (the weighted sum of turns made and the bound left, in quarters).
  bool Dfs(const uint32_t (*masks)[kMaxStageMasks], int made, int bound, int last) {
    if ((++nodes & 4095) == 0 && limit != nullptr && SolveCancelled(*limit)) cancelled = true;
    if (cancelled || nodes > kNodesPerTry) return false;
    const int left = Bound(masks);
    if (left == 0) {
      length = made;
      return true;
    }
    if (4 * made + weight * left > 4 * bound || made == kMaxStageTurns) return false;
    for (int a = 0; a < allowedCount; ++a) {
      const int m = allowed[a];
      if (last >= 0) {
        // A face's turns in one order of depth; turns of opposite faces, which commute, in one order.
        const BlockMove &before = layout->moves[last], &move = layout->moves[m];
        if (before.face == move.face && before.last >= move.last) continue;
        if (before.face == kOppositeFace[move.face] && before.face > move.face) continue;
      }
      uint32_t turned[kMaxRingOrbits][kMaxStageMasks];
      for (int k = 0; k < ring->count; ++k) {
        const MaskMoves& moves = CentreModelOf(ring->orbits[k]->kind).masks;
        for (int i = 0; i < maskCount; ++i)
          turned[k][i] = moves.Apply(masks[k][i], ring->orbits[k]->modelMove[m]);
      }
      path[made] = m;
      if (Dfs(turned, made + 1, bound, m)) return true;
      if (cancelled) return false;
    }
    return false;
  }
};

// One stage of the ring: its turns appended; false when every try ran past its budget or the limit
// cancelled.
bool SolveRingStage(const Ring& ring, int stage, const BigState& state, Search* search,
                    std::vector<int>* turns) {
  search->stage = stage;
  search->maskCount = StageMaskCount(stage);
  search->ring = &ring;
  for (int k = 0; k < ring.count; ++k) search->tables[k] = &CentreTable(stage, ring.orbits[k]->kind);
  search->joint = stage == 2 && ring.count == 2 && ring.alike && ring.orbits[1]->kind == kTCentres
                      ? &JointTablesOf()
                      : nullptr;
  const CentreModel& model = CentreModelOf(ring.orbits[0]->kind);
  search->allowedCount = 0;
  for (int a = 0; a < ring.moveCount; ++a)
    if (StageMove(stage, model.moves[ring.orbits[0]->modelMove[ring.moves[a]]]))
      search->allowed[search->allowedCount++] = ring.moves[a];
  uint32_t masks[kMaxRingOrbits][kMaxStageMasks];
  for (int k = 0; k < ring.count; ++k) StageMasks(stage, ring.orbits[k]->places, state, masks[k]);
  const int start = search->Bound(masks);
  for (int weight : kWeights) {
    search->weight = weight;
    search->nodes = 0;
    for (int bound = (weight * start + 3) / 4; bound <= kMaxStageTurns && search->nodes <= kNodesPerTry;
         ++bound)
      if (search->Dfs(masks, 0, bound, -1)) {
        turns->insert(turns->end(), search->path, search->path + search->length);
        return true;
      }
    if (search->cancelled) return false;
  }
  return false;
}

}  // namespace

bool SolveCentreRings(const BigState& start, int outermost, const SolveLimit* limit,
                      std::vector<BlockMove>* moves) {
  std::unique_ptr<BigState> state(new BigState(start));
  const int n = state->n;
  const CentreLayout& layout = CentreLayoutOf(n);
  std::unique_ptr<Search> search(new Search{});
  search->layout = &layout;
  search->limit = limit;
  for (int ring = (n - 2) / 2; ring >= std::max(1, outermost); --ring) {
    const Ring found = RingOf(layout, ring);
    for (int stage = 0; stage < kCentreStages && found.count > 0; ++stage) {
      std::vector<int> turns;
      const bool solved = SolveRingStage(found, stage, *state, search.get(), &turns);
      if (search->cancelled) return false;
      // A stage past its budget leaves the ring to the commutators (the x-centres alone would cost
      // them more turns than they save); the rings outside it go on.
      if (!solved) break;
      for (int m : turns) {
        BigApply(state.get(), layout.moves[m]);
        moves->push_back(layout.moves[m]);
      }
    }
  }
  return true;
}

bool CentreRingsHome(const BigState& state, int outermost) {
  const CentreLayout& layout = CentreLayoutOf(state.n);
  for (int ring = std::max(1, outermost); 2 * ring < state.n - 1; ++ring) {
    const Ring found = RingOf(layout, ring);
    for (int k = 0; k < found.count; ++k)
      for (int p = 0; p < found.orbits[k]->places.count; ++p) {
        const int cell = found.orbits[k]->places.cells[p][0];
        if (state.cells[cell] != cell / kFaceStride) return false;
      }
  }
  return true;
}
