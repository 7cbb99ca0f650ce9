// The fourth phase's tables: its coordinates' moves and symmetries worked out on the pieces' positions,
// then four distance tables: the centres, and the middle and low wing values up to symmetry with the
// high wing values, with U-D's centres and with F-B's.
#include "solve/phase/five/tables/five_first_tables.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

#include "solve/phase/five/geometry/five_edges.h"
#include "solve/phase/five/geometry/five_symmetry.h"
#include "solve/phase/phase_pieces.h"

namespace {

// Sized for the classes found (checked when the data are built).
const uint64_t kClasses = 29616;

DistanceTable centreTable("5x5x5-first-centres", 1, static_cast<uint64_t>(kAxisCentres) * kFrontBackKept);
DistanceTable edgeTable("5x5x5-first-edges", 1, kClasses* kWingPlacings4);
DistanceTable upDownTable("5x5x5-first-ud", 1, kClasses* kAxisCentres);
DistanceTable frontBackTable("5x5x5-first-fb", 1, kClasses* kFrontBackKept);

FirstData* data = nullptr;
std::once_flag dataOnce;

// What a move or symmetry does to the eight slots: where each position's middle, and its low (0) and
// high (1) wing, came from (a wing's position and kind).
struct PositionMap {
  int8_t middle[8];
  int8_t wing[2][8], kind[2][8];
};

void MapOf(const FirstData& d, const int8_t* middleFrom, const int8_t* wingFrom, PositionMap* map) {
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

// Labels by position: the middles', then the low and the high wings' (-1 where no chosen piece).
struct Labels {
  int8_t middle[8], wing[2][8];
};

void Carry(const PositionMap& map, const Labels& in, Labels* out) {
  for (int k = 0; k < 8; ++k) {
    out->middle[k] = map.middle[k] < 0 ? -1 : in.middle[map.middle[k]];
    for (int kind = 0; kind < 2; ++kind)
      out->wing[kind][k] = map.wing[kind][k] < 0 ? -1 : in.wing[map.kind[kind][k]][map.wing[kind][k]];
  }
}

int WingValue(const int8_t* wing, const int8_t* order) {
  uint32_t comb = 0;
  int8_t perm[4];
  int j = 0;
  for (int k = 0; k < 8; ++k)
    if (wing[k] >= 0) comb |= 1u << k, perm[j++] = order[wing[k]];
  return static_cast<int>(RankMask(comb, 8, 4)) * 24 + static_cast<int>(RankPermutation(perm, 4));
}

void Encode(const Labels& labels, int* middles, int* low, int* high) {
  uint32_t comb = 0;
  int8_t order[4] = {0, 0, 0, 0};
  int j = 0;
  for (int k = 0; k < 8; ++k)
    if (labels.middle[k] >= 0) comb |= 1u << k, order[labels.middle[k]] = static_cast<int8_t>(j++);
  *middles = static_cast<int>(RankMask(comb, 8, 4));
  *low = WingValue(labels.wing[0], order);
  *high = WingValue(labels.wing[1], order);
}

void Decode(int middles, int low, int high, Labels* labels) {
  const uint32_t comb = UnrankMask(static_cast<uint32_t>(middles), 8, 4);
  for (int k = 0, j = 0; k < 8; ++k) labels->middle[k] = static_cast<int8_t>(comb >> k & 1 ? j++ : -1);
  const int values[2] = {low, high};
  for (int kind = 0; kind < 2; ++kind) {
    const uint32_t wingComb = UnrankMask(static_cast<uint32_t>(values[kind] / 24), 8, 4);
    int8_t perm[4];
    UnrankPermutation(static_cast<uint32_t>(values[kind] % 24), 4, perm);
    for (int k = 0, j = 0; k < 8; ++k)
      labels->wing[kind][k] = static_cast<int8_t>(wingComb >> k & 1 ? perm[j++] : -1);
  }
}

int Moves(BlockMove* list) { return FirstEdgesMoves(list); }

void BuildEdges(FirstData* d) {
  const OrbitPlaces& middles = OrbitOf(kFive, kMiddleEdgeOrbit);
  const OrbitPlaces& wings = OrbitOf(kFive, kWingOrbit);
  BlockMove list[kMaxPhaseMoves];
  const int count = Moves(list);
  PositionMap maps[kFirstMoves];
  for (int m = 0; m < count; ++m) {
    int8_t middleFrom[12], wingFrom[24], twist[24];
    MovePlaces(middles, list[m], middleFrom, twist);
    MovePlaces(wings, list[m], wingFrom, twist);
    MapOf(*d, middleFrom, wingFrom, &maps[m]);
  }
  // The rotations that keep every axis, and a mirror that does too (it swaps low and high).
  int8_t symmetries[48], all[48];
  AxisKeepingSymmetries(7, true, symmetries);
  const int allCount = AxisKeepingSymmetries(7, false, all);
  PositionMap symmetryMaps[kFirstSymmetries + 1];
  for (int g = 0; g <= kFirstSymmetries; ++g) {
    const int s = g < kFirstSymmetries ? symmetries[g] : all[allCount - 1];
    int8_t middleFrom[12], wingFrom[24];
    SymmetryPlaces(middles, s, middleFrom);
    SymmetryPlaces(wings, s, wingFrom);
    MapOf(*d, middleFrom, wingFrom, &symmetryMaps[g]);
  }
  for (int middlesValue = 0; middlesValue < 70; ++middlesValue)
    for (int wingValue = 0; wingValue < kWingPlacings4; ++wingValue) {
      const int pair = EdgePair(middlesValue, wingValue);
      Labels labels, moved;
      Decode(middlesValue, wingValue, wingValue, &labels);
      int m2, low, high;
      for (int m = 0; m < count; ++m) {
        Carry(maps[m], labels, &moved);
        Encode(moved, &m2, &low, &high);
        d->middleMove[middlesValue][m] = static_cast<uint8_t>(m2);
        d->lowMove[pair][m] = static_cast<uint16_t>(low);
        d->highMove[pair][m] = static_cast<uint16_t>(high);
      }
      for (int g = 0; g < kFirstSymmetries; ++g) {
        Carry(symmetryMaps[g], labels, &moved);
        Encode(moved, &m2, &low, &high);
        d->lowConjugate[pair][g] = static_cast<uint32_t>(EdgePair(m2, low));
        d->highConjugate[pair][g] = static_cast<uint32_t>(EdgePair(m2, high));
      }
      Carry(symmetryMaps[kFirstSymmetries], labels, &moved);
      Encode(moved, &m2, &low, &high);
      d->highMirror[pair] = static_cast<uint32_t>(EdgePair(m2, low));
    }
  // The goal: the chosen edges paired in the M slice.
  Labels goal;
  for (int k = 0, j = 0; k < 8; ++k) {
    const bool inSlice = SliceSlots(1) >> d->slot[k] & 1;
    goal.middle[k] = goal.wing[0][k] = goal.wing[1][k] = static_cast<int8_t>(inSlice ? j++ : -1);
  }
  int high;
  Encode(goal, &d->goalMiddles, &d->goalWings, &high);
  int8_t inverse[kFirstSymmetries];
  for (int g = 0; g < kFirstSymmetries; ++g)
    for (int h = 0; h < kFirstSymmetries; ++h)
      if (symmetries[h] == InverseSymmetry(kFive, symmetries[g])) inverse[g] = static_cast<int8_t>(h);
  const FirstData& c = *d;
  d->classes.Build(kEdgePairs4, kFirstSymmetries, inverse,
                   [&c](uint32_t raw, int g) { return c.lowConjugate[raw][g]; });
  // The centres, with the same symmetries.
  d->upDown.Build(0, list, count);
  d->frontBack.Build(2, list, count);
  for (int16_t& kept : d->keptOf) kept = -1;
  BlockMove later[2 * kMaxPhaseMoves];
  int laterCount = FirstEdgesMoves(later);
  laterCount += LastEdgesMoves(later + laterCount);
  const int frontBack = 2;
  const std::vector<uint64_t> reached = ReachedCentres(&frontBack, 1, later, laterCount);
  if (reached.size() != kFrontBackKept) return;
  int kept = 0;
  for (uint64_t value : reached) {
    d->keptValue[kept] = static_cast<int16_t>(value);
    d->keptOf[value] = static_cast<int16_t>(kept++);
  }
  for (int g = 0; g <= kFirstSymmetries; ++g) {
    const int s = g < kFirstSymmetries ? symmetries[g] : all[allCount - 1];
    for (int centres = 0; centres < kAxisCentres; ++centres) {
      const uint16_t seen = static_cast<uint16_t>(ConjugateAxisCentres(0, centres, s));
      (g < kFirstSymmetries ? d->upDownConjugate[centres][g] : d->upDownMirror[centres]) = seen;
    }
    for (int k = 0; k < kFrontBackKept; ++k) {
      const uint16_t seen = static_cast<uint16_t>(d->keptOf[ConjugateAxisCentres(2, d->keptValue[k], s)]);
      (g < kFirstSymmetries ? d->keptConjugate[k][g] : d->keptMirror[k]) = seen;
    }
  }
  BlockMove last[kMaxPhaseMoves];
  const int lastCount = LastEdgesMoves(last);
  const int axes[2] = {0, 2};
  for (bool& goalCentre : d->goalCentres) goalCentre = false;
  for (uint64_t value : ReachedCentres(axes, 2, last, lastCount))
    d->goalCentres[value / kAxisCentres * kFrontBackKept + d->keptOf[value % kAxisCentres]] = true;
  d->sound = true;
}

// A table over the classes of the middle and low wing values times another coordinate, whose class
// moves are worked out once per class: Other supplies Count(), Move(pair, other, move) (the pair the
// move starts from, as a class's own value) and Conjugate(pair, other, symmetry) (the pair it ends at,
// before the symmetry).
template <class Other>
struct ClassGraph {
  struct Position {
    uint32_t cls = 0xFFFFFFFFu;
    uint32_t own = 0;
    uint32_t other = 0;
    uint32_t moved[kFirstMoves];  // the pair after each move, before the symmetry
  };
  const FirstData& d;
  Other other;
  int Moves() const { return d.moves.count; }
  void Decode(uint64_t index, Position* position) const {
    const uint32_t cls = static_cast<uint32_t>(index / other.Count());
    position->other = static_cast<uint32_t>(index % other.Count());
    if (cls == position->cls) return;
    position->cls = cls;
    position->own = d.classes.RawOf(cls);
    const int middles = static_cast<int>(position->own / kWingPlacings4);
    for (int m = 0; m < d.moves.count; ++m)
      position->moved[m] =
          static_cast<uint32_t>(EdgePair(d.middleMove[middles][m], d.lowMove[position->own][m]));
  }
  int Next(const Position& position, int move, uint64_t* out) const {
    const uint32_t pair = position.moved[move];
    const uint32_t cls = d.classes.ClassOf(pair);
    const int g = d.classes.SymOf(pair);
    const uint32_t seen = other.Conjugate(pair, other.Move(position.own, position.other, move), g);
    const uint32_t own = d.classes.RawOf(cls);
    int count = 0;
    out[count++] = static_cast<uint64_t>(cls) * other.Count() + seen;
    for (uint32_t rest = d.classes.Stabiliser(cls) & ~1u; rest != 0; rest &= rest - 1)
      out[count++] =
          static_cast<uint64_t>(cls) * other.Count() + other.Conjugate(own, seen, __builtin_ctz(rest));
    return count;
  }
};

struct HighWings {
  const FirstData& d;
  uint32_t Count() const { return kWingPlacings4; }
  uint32_t Move(uint32_t pair, uint32_t high, int move) const {
    return d.highMove[EdgePair(static_cast<int>(pair / kWingPlacings4), static_cast<int>(high))][move];
  }
  uint32_t Conjugate(uint32_t pair, uint32_t high, int g) const {
    return d.highConjugate[EdgePair(static_cast<int>(pair / kWingPlacings4), static_cast<int>(high))][g] %
           kWingPlacings4;
  }
};

struct UpDownCentres {
  const FirstData& d;
  uint32_t Count() const { return kAxisCentres; }
  uint32_t Move(uint32_t, uint32_t centres, int move) const {
    return static_cast<uint32_t>(d.upDown.Next(static_cast<int>(centres), move));
  }
  uint32_t Conjugate(uint32_t, uint32_t centres, int g) const { return d.upDownConjugate[centres][g]; }
};

struct FrontBackCentres {
  const FirstData& d;
  uint32_t Count() const { return kFrontBackKept; }
  uint32_t Move(uint32_t, uint32_t kept, int move) const {
    return static_cast<uint32_t>(d.keptOf[d.frontBack.Next(d.keptValue[kept], move)]);
  }
  uint32_t Conjugate(uint32_t, uint32_t kept, int g) const { return d.keptConjugate[kept][g]; }
};

template <class Graph>
TableResult Fill(DistanceTable& table, const std::vector<uint64_t>& goals, const Graph& graph) {
  const int count = static_cast<int>(goals.size());
  return table.Ensure(
      [&](DistanceTable& t) { return FillDistances(t, goals.data(), count, graph); },
      [&](const DistanceTable& t) { return DistancesConsistent(t, goals.data(), count, graph, 2000); });
}

// The goal's entries in a class table: the goal pair's class with each goal value of the other
// coordinate, seen through the symmetry and those that keep the class.
template <class Other>
std::vector<uint64_t> ClassGoals(const FirstData& d, const Other& other,
                                 const std::vector<uint32_t>& values) {
  const uint32_t pair = static_cast<uint32_t>(EdgePair(d.goalMiddles, d.goalWings));
  const uint32_t cls = d.classes.ClassOf(pair), own = d.classes.RawOf(cls);
  std::vector<uint64_t> goals;
  for (uint32_t value : values) {
    const uint32_t seen = other.Conjugate(pair, value, d.classes.SymOf(pair));
    goals.push_back(static_cast<uint64_t>(cls) * other.Count() + seen);
    for (uint32_t rest = d.classes.Stabiliser(cls) & ~1u; rest != 0; rest &= rest - 1)
      goals.push_back(static_cast<uint64_t>(cls) * other.Count() +
                      other.Conjugate(own, seen, __builtin_ctz(rest)));
  }
  std::sort(goals.begin(), goals.end());
  goals.erase(std::unique(goals.begin(), goals.end()), goals.end());
  return goals;
}

int CentreNext(const FirstData& d, uint64_t index, int move, uint64_t* out) {
  const int upDown = static_cast<int>(index / kFrontBackKept),
            kept = static_cast<int>(index % kFrontBackKept);
  out[0] = static_cast<uint64_t>(d.upDown.Next(upDown, move)) * kFrontBackKept +
           static_cast<uint64_t>(d.keptOf[d.frontBack.Next(d.keptValue[kept], move)]);
  return 1;
}

}  // namespace

const FirstData* FirstTables() {
  std::call_once(dataOnce, [] {
    FirstData* d = new (std::nothrow) FirstData;
    if (d == nullptr) return;
    BlockMove list[kMaxPhaseMoves];
    BuildMoveSet(kFive, list, Moves(list), &d->moves);
    int k = 0;
    for (int s = 0; s < 12; ++s)
      if (!(SliceSlots(0) >> s & 1)) d->slot[k++] = static_cast<int8_t>(s);
    BuildEdges(d);
    if (!d->sound || d->classes.Count() != kClasses) {
      delete d;
      return;
    }
    data = d;
  });
  return data;
}

TableResult PrepareFirstTables(bool large) {
  const FirstData* tables = FirstTables();
  if (tables == nullptr) return TableResult::kNoMemory;
  const FirstData& d = *tables;
  std::vector<uint64_t> centreGoals;
  for (uint64_t index = 0; index < kAxisCentres * kFrontBackKept; ++index)
    if (d.goalCentres[index]) centreGoals.push_back(index);
  auto next = [&d](uint64_t index, int move, uint64_t* out) { return CentreNext(d, index, move, out); };
  TableResult result = Fill(centreTable, centreGoals, MakeIndexGraph(d.moves.count, next));
  if (result != TableResult::kReady || !large) return result;
  const HighWings high{d};
  result = Fill(edgeTable, ClassGoals(d, high, std::vector<uint32_t>(1, static_cast<uint32_t>(d.goalWings))),
                ClassGraph<HighWings>{d, high});
  if (result != TableResult::kReady) return result;
  std::vector<uint32_t> upDownGoals, frontBackGoals;
  for (uint64_t index : centreGoals) {
    upDownGoals.push_back(static_cast<uint32_t>(index / kFrontBackKept));
    frontBackGoals.push_back(static_cast<uint32_t>(index % kFrontBackKept));
  }
  const UpDownCentres upDown{d};
  result = Fill(upDownTable, ClassGoals(d, upDown, upDownGoals), ClassGraph<UpDownCentres>{d, upDown});
  if (result != TableResult::kReady) return result;
  const FrontBackCentres frontBack{d};
  return Fill(frontBackTable, ClassGoals(d, frontBack, frontBackGoals),
              ClassGraph<FrontBackCentres>{d, frontBack});
}

int FirstTableList(const DistanceTable** out) {
  out[0] = &centreTable;
  out[1] = &edgeTable;
  out[2] = &upDownTable;
  out[3] = &frontBackTable;
  return 4;
}

void FirstIndices(const FirstData& d, int middles, int low, int high, int upDown, int kept, FirstIndex* out) {
  out->centres = static_cast<uint64_t>(upDown) * kFrontBackKept + static_cast<uint64_t>(kept);
  out->large = frontBackTable.Ready();
  if (!out->large) return;
  const uint32_t lowPair = static_cast<uint32_t>(EdgePair(middles, low));
  const uint32_t highPair = static_cast<uint32_t>(EdgePair(middles, high));
  const uint32_t pairs[2] = {lowPair, d.highMirror[highPair]};
  const int upDowns[2] = {upDown, d.upDownMirror[upDown]}, keeps[2] = {kept, d.keptMirror[kept]};
  for (int side = 0; side < 2; ++side) {
    const uint32_t cls = d.classes.ClassOf(pairs[side]);
    const int g = d.classes.SymOf(pairs[side]);
    if (side == 0)
      out->edges =
          static_cast<uint64_t>(cls) * kWingPlacings4 + d.highConjugate[highPair][g] % kWingPlacings4;
    out->upDown[side] = static_cast<uint64_t>(cls) * kAxisCentres + d.upDownConjugate[upDowns[side]][g];
    out->frontBack[side] = static_cast<uint64_t>(cls) * kFrontBackKept + d.keptConjugate[keeps[side]][g];
  }
}

void PrefetchFirst(const FirstIndex& index) {
  centreTable.Prefetch(index.centres);
  if (!index.large) return;
  edgeTable.Prefetch(index.edges);
  for (int side = 0; side < 2; ++side) {
    upDownTable.Prefetch(index.upDown[side]);
    frontBackTable.Prefetch(index.frontBack[side]);
  }
}

int FirstBound(const FirstIndex& index) {
  if (!index.large) return centreTable.Get(index.centres);
  int bound = std::max(centreTable.Get(index.centres), edgeTable.Get(index.edges));
  for (int side = 0; side < 2; ++side)
    bound = std::max(
        bound, std::max(upDownTable.Get(index.upDown[side]), frontBackTable.Get(index.frontBack[side])));
  return bound;
}

void EncodeFirstEdges(const int8_t* middle, const int8_t* low, const int8_t* high, int* middles,
                      int* lowWings, int* highWings) {
  Labels labels;
  for (int k = 0; k < 8; ++k)
    labels.middle[k] = middle[k], labels.wing[0][k] = low[k], labels.wing[1][k] = high[k];
  Encode(labels, middles, lowWings, highWings);
}
