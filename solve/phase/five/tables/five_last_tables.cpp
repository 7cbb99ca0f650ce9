// The last phase's tables: the wing permutations' moves and symmetries worked out on positions, then the
// centres' table and the low wings' permutation up to symmetry with L-R's centres.
#include "solve/phase/five/tables/five_last_tables.h"

#include <algorithm>
#include <mutex>
#include <new>

#include "solve/phase/five/geometry/five_edges.h"
#include "solve/phase/five/geometry/five_symmetry.h"
#include "solve/phase/phase_pieces.h"

namespace {

// Sized for the classes found (checked when the data are built).
const uint64_t kClasses = 5288;

DistanceTable centreTable("5x5x5-last-centres", 1, static_cast<uint64_t>(kAxisCentres) * kUpDownFrontBack);
DistanceTable edgeTable("5x5x5-last-edges", 1, kClasses* kAxisCentres);

LastData* data = nullptr;
std::once_flag dataOnce;

// Where each position's middle and wings (0 low, 1 high) came from, as positions and kinds.
struct PositionMap {
  int8_t middle[8], wing[2][8], kind[2][8];
};

void MapOf(const LastData& d, const int8_t* middleFrom, const int8_t* wingFrom, PositionMap* map) {
  const FiveEdges& edges = FiveEdgeGeometry();
  int8_t position[12];
  for (int s = 0; s < 12; ++s) position[s] = -1;
  for (int k = 0; k < 8; ++k) position[d.slot[k]] = static_cast<int8_t>(k);
  for (int k = 0; k < 8; ++k) {
    map->middle[k] = position[middleFrom[d.slot[k]]];
    for (int kind = 0; kind < 2; ++kind) {
      const int source = wingFrom[(kind == 0 ? edges.lowPlace : edges.highPlace)[d.slot[k]]];
      map->wing[kind][k] = position[edges.slotOfWing[source]];
      map->kind[kind][k] = static_cast<int8_t>(edges.low >> source & 1 ? 0 : 1);
    }
  }
}

// The permutation of the wings of one kind after the map: at each position, the new position of the
// middle whose wing is there.
int Carry(const PositionMap& map, int kind, const int8_t* wings, const int8_t* otherWings) {
  int8_t middleTo[8], moved[8];
  for (int k = 0; k < 8; ++k) middleTo[map.middle[k]] = static_cast<int8_t>(k);
  for (int k = 0; k < 8; ++k) {
    const int8_t* source = map.kind[kind][k] == kind ? wings : otherWings;
    moved[k] = middleTo[source[map.wing[kind][k]]];
  }
  return static_cast<int>(RankPermutation(moved, 8));
}

void Build(LastData* d) {
  const OrbitPlaces& middles = OrbitOf(kFive, kMiddleEdgeOrbit);
  const OrbitPlaces& wings = OrbitOf(kFive, kWingOrbit);
  BlockMove list[kMaxPhaseMoves];
  const int count = LastEdgesMoves(list);
  PositionMap maps[kLastMoves];
  for (int m = 0; m < count; ++m) {
    int8_t middleFrom[12], wingFrom[24], twist[24];
    MovePlaces(middles, list[m], middleFrom, twist);
    MovePlaces(wings, list[m], wingFrom, twist);
    MapOf(*d, middleFrom, wingFrom, &maps[m]);
  }
  int8_t symmetries[48], all[48];
  AxisKeepingSymmetries(1u << 1, true, symmetries);
  const int allCount = AxisKeepingSymmetries(1u << 1, false, all);
  // The rotations, then one symmetry that keeps L-R and sends these slots' low places to their high ones.
  PositionMap symmetryMaps[kLastSymmetries + 1];
  int mirror = -1;
  for (int g = 0; g <= kLastSymmetries; ++g) {
    for (int k = allCount - 1; g == kLastSymmetries && mirror < 0 && k >= 0; --k) {
      int8_t wingFrom[24];
      SymmetryPlaces(wings, all[k], wingFrom);
      if (!(FiveEdgeGeometry().low >> wingFrom[FiveEdgeGeometry().lowPlace[d->slot[0]]] & 1)) mirror = all[k];
    }
    int8_t middleFrom[12], wingFrom[24];
    SymmetryPlaces(middles, g < kLastSymmetries ? symmetries[g] : mirror, middleFrom);
    SymmetryPlaces(wings, g < kLastSymmetries ? symmetries[g] : mirror, wingFrom);
    MapOf(*d, middleFrom, wingFrom, &symmetryMaps[g]);
    // Each must keep the slots and send every low place to a low one (or, the last, to a high one).
    for (int k = 0; k < 8; ++k)
      if (symmetryMaps[g].middle[k] < 0 || symmetryMaps[g].kind[0][k] != (g == kLastSymmetries ? 1 : 0))
        return;
  }
  for (int perm = 0; perm < kLastPerms; ++perm) {
    int8_t wingsAt[8];
    UnrankPermutation(static_cast<uint32_t>(perm), 8, wingsAt);
    for (int m = 0; m < count; ++m) {
      d->lowMove[perm][m] = static_cast<uint16_t>(Carry(maps[m], 0, wingsAt, wingsAt));
      d->highMove[perm][m] = static_cast<uint16_t>(Carry(maps[m], 1, wingsAt, wingsAt));
    }
    for (int g = 0; g < kLastSymmetries; ++g)
      d->lowConjugate[perm][g] = static_cast<uint16_t>(Carry(symmetryMaps[g], 0, wingsAt, wingsAt));
    d->highMirror[perm] = static_cast<uint16_t>(Carry(symmetryMaps[kLastSymmetries], 0, wingsAt, wingsAt));
  }
  int8_t inverse[kLastSymmetries];
  for (int g = 0; g < kLastSymmetries; ++g)
    for (int h = 0; h < kLastSymmetries; ++h)
      if (symmetries[h] == InverseSymmetry(kFive, symmetries[g])) inverse[g] = static_cast<int8_t>(h);
  const LastData& c = *d;
  d->classes.Build(kLastPerms, kLastSymmetries, inverse,
                   [&c](uint32_t raw, int g) { return c.lowConjugate[raw][g]; });
  // The centres.
  d->leftRight.Build(1, list, count);
  const int axes[2] = {0, 2};
  d->rest = ReachedCentres(axes, 2, list, count);
  AxisCentreMoves upDown, frontBack;
  upDown.Build(0, list, count);
  frontBack.Build(2, list, count);
  for (int r = 0; r < kUpDownFrontBack; ++r)
    for (int m = 0; m < count; ++m)
      d->restMove[r][m] =
          static_cast<uint8_t>(LastRest(*d, upDown.Next(static_cast<int>(d->rest[r] / kAxisCentres), m),
                                        frontBack.Next(static_cast<int>(d->rest[r] % kAxisCentres), m)));
  for (int g = 0; g <= kLastSymmetries; ++g) {
    const int s = g < kLastSymmetries ? symmetries[g] : mirror;
    for (int centres = 0; centres < kAxisCentres; ++centres) {
      const uint16_t seen = static_cast<uint16_t>(ConjugateAxisCentres(1, centres, s));
      (g < kLastSymmetries ? d->leftRightConjugate[centres][g] : d->leftRightMirror[centres]) = seen;
    }
  }
  d->symmetric = true;
  d->solvedCentres =
      SolvedAxisCentres(1) * kUpDownFrontBack + LastRest(*d, SolvedAxisCentres(0), SolvedAxisCentres(2));
}

struct EdgeGraph {
  struct Position {
    uint32_t cls = 0xFFFFFFFFu;
    uint32_t own = 0;
    int centres = 0;
  };
  const LastData& d;
  int Moves() const { return d.moves.count; }
  void Decode(uint64_t index, Position* position) const {
    position->cls = static_cast<uint32_t>(index / kAxisCentres);
    position->own = d.classes.RawOf(position->cls);
    position->centres = static_cast<int>(index % kAxisCentres);
  }
  int Next(const Position& position, int move, uint64_t* out) const {
    const uint32_t perm = d.lowMove[position.own][move];
    const uint32_t cls = d.classes.ClassOf(perm);
    const int seen = d.leftRightConjugate[d.leftRight.Next(position.centres, move)][d.classes.SymOf(perm)];
    int count = 0;
    out[count++] = static_cast<uint64_t>(cls) * kAxisCentres + seen;
    for (uint32_t rest = d.classes.Stabiliser(cls) & ~1u; rest != 0; rest &= rest - 1)
      out[count++] =
          static_cast<uint64_t>(cls) * kAxisCentres + d.leftRightConjugate[seen][__builtin_ctz(rest)];
    return count;
  }
};

int CentreNext(const LastData& d, uint64_t index, int move, uint64_t* out) {
  const int leftRight = static_cast<int>(index / kUpDownFrontBack),
            rest = static_cast<int>(index % kUpDownFrontBack);
  out[0] =
      static_cast<uint64_t>(d.leftRight.Next(leftRight, move)) * kUpDownFrontBack + d.restMove[rest][move];
  return 1;
}

}  // namespace

int LastRest(const LastData& d, int upDown, int frontBack) {
  const uint64_t value = static_cast<uint64_t>(upDown) * kAxisCentres + static_cast<uint64_t>(frontBack);
  const auto at = std::lower_bound(d.rest.begin(), d.rest.end(), value);
  return at != d.rest.end() && *at == value ? static_cast<int>(at - d.rest.begin()) : -1;
}

const LastData* LastTables() {
  std::call_once(dataOnce, [] {
    LastData* d = new (std::nothrow) LastData;
    if (d == nullptr) return;
    BlockMove list[kMaxPhaseMoves];
    BuildMoveSet(kFive, list, LastEdgesMoves(list), &d->moves);
    int k = 0;
    for (int s = 0; s < 12; ++s)
      if (!(SliceSlots(1) >> s & 1)) d->slot[k++] = static_cast<int8_t>(s);
    Build(d);
    if (!d->symmetric || d->classes.Count() != kClasses || d->rest.size() != kUpDownFrontBack) {
      delete d;
      return;
    }
    data = d;
  });
  return data;
}

TableResult PrepareLastTables(bool large) {
  const LastData* tables = LastTables();
  if (tables == nullptr) return TableResult::kNoMemory;
  const LastData& d = *tables;
  const uint64_t centreGoal = static_cast<uint64_t>(d.solvedCentres);
  auto next = [&d](uint64_t index, int move, uint64_t* out) { return CentreNext(d, index, move, out); };
  const auto centreGraph = MakeIndexGraph(d.moves.count, next);
  const TableResult result = centreTable.Ensure(
      [&](DistanceTable& t) { return FillDistances(t, &centreGoal, 1, centreGraph); },
      [&](const DistanceTable& t) { return DistancesConsistent(t, &centreGoal, 1, centreGraph, 2000); });
  if (result != TableResult::kReady || !large) return result;
  // Solved: the identity (rank 0, its own class's value, kept by every symmetry) with L-R solved.
  const uint64_t edgeGoal = static_cast<uint64_t>(d.classes.ClassOf(0)) * kAxisCentres +
                            static_cast<uint64_t>(SolvedAxisCentres(1));
  const EdgeGraph edgeGraph{d};
  return edgeTable.Ensure(
      [&](DistanceTable& t) { return FillDistances(t, &edgeGoal, 1, edgeGraph); },
      [&](const DistanceTable& t) { return DistancesConsistent(t, &edgeGoal, 1, edgeGraph, 2000); });
}

int LastTableList(const DistanceTable** out) {
  out[0] = &centreTable;
  out[1] = &edgeTable;
  return 2;
}

void LastIndices(const LastData& d, int low, int high, int centres, LastIndex* out) {
  out->centres = static_cast<uint64_t>(centres);
  out->large = edgeTable.Ready();
  if (!out->large) return;
  const int leftRight = centres / kUpDownFrontBack;
  const int perms[2] = {low, d.highMirror[high]};
  const int sides[2] = {leftRight, d.leftRightMirror[leftRight]};
  for (int side = 0; side < 2; ++side) {
    const uint32_t perm = static_cast<uint32_t>(perms[side]);
    out->edges[side] = static_cast<uint64_t>(d.classes.ClassOf(perm)) * kAxisCentres +
                       d.leftRightConjugate[sides[side]][d.classes.SymOf(perm)];
  }
}

void PrefetchLast(const LastIndex& index) {
  centreTable.Prefetch(index.centres);
  if (!index.large) return;
  edgeTable.Prefetch(index.edges[0]);
  edgeTable.Prefetch(index.edges[1]);
}

int LastBound(const LastIndex& index) {
  if (!index.large) return centreTable.Get(index.centres);
  return std::max(centreTable.Get(index.centres),
                  std::max(edgeTable.Get(index.edges[0]), edgeTable.Get(index.edges[1])));
}
