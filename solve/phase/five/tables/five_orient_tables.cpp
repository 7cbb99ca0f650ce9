// The third phase's tables: F-B centres with the twists (a position for each), and the marked wings'
// places up to symmetry with the twists, built breadth first with each class's moves worked out once.
#include "solve/phase/five/tables/five_orient_tables.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

#include "solve/phase/five/geometry/five_edges.h"
#include "solve/phase/five/geometry/five_symmetry.h"
#include "solve/phase/phase_pieces.h"

namespace {

const uint64_t kWingPlacings = 2704156;  // twelve places of 24
// Sized for the classes found (checked when the data are built).
const uint64_t kWingClasses = 86048;

DistanceTable centreTable("5x5x5-orient-centres", 1, static_cast<uint64_t>(kAxisCentres) * kFlips);
DistanceTable wingTable("5x5x5-orient-wings", 1, kWingClasses* kFlips);

OrientData* data = nullptr;
std::once_flag dataOnce;

int FlipOf12(int twists) { return twists & (kFlips - 1); }
int Twelve(int flip) { return flip | (__builtin_popcount(flip) & 1) << 11; }

int MoveList(BlockMove* list) {
  int count = 0;
  for (int face = 0; face < 6; ++face)
    for (int q = 1; q <= 3; ++q) list[count++] = Block(face, 1, 1, q);
  for (int face = 0; face < 6; ++face) list[count++] = Block(face, 1, 2, 2);
  return count;
}

uint32_t ConjugateWings(const OrientData& d, uint32_t mask, int g) {
  const int k = g % 16;
  uint32_t image = d.wingSymmetry[k].Apply(mask);
  if (d.swapsLow[k] != (g >= 16)) image ^= 0xFFFFFF;
  return image;
}

void Build(OrientData* d) {
  BlockMove list[kMaxPhaseMoves];
  const int count = MoveList(list);
  BuildMoveSet(kFive, list, count, &d->moves);
  d->centres.Build(2, list, count);
  // The F-B centres the later phases' half turns can finish: those their moves reach from solved.
  BlockMove later[2 * kMaxPhaseMoves];
  int laterCount = FirstEdgesMoves(later);
  laterCount += LastEdgesMoves(later + laterCount);
  const int frontBack = 2;
  for (bool& goal : d->goalCentres) goal = false;
  for (uint64_t value : ReachedCentres(&frontBack, 1, later, laterCount)) d->goalCentres[value] = true;
  const OrbitPlaces& middles = OrbitOf(kFive, kMiddleEdgeOrbit);
  const OrbitPlaces& wings = OrbitOf(kFive, kWingOrbit);
  for (int m = 0; m < count; ++m) {
    int8_t turned[12], twist[24];
    MovePlaces(middles, list[m], d->middleFrom[m], turned);
    for (int flip = 0; flip < kFlips; ++flip) {
      const int twelve = Twelve(flip);
      int next = 0;
      for (int q = 0; q < 12; ++q) next |= ((twelve >> d->middleFrom[m][q] & 1) ^ turned[q]) << q;
      d->flipMove[flip][m] = static_cast<uint16_t>(FlipOf12(next));
    }
    MovePlaces(wings, list[m], d->wingFrom[m], twist);
  }
  d->wings.Build(wings, list, count);
  d->ranker.Build(0xFFFFFF);
  d->low = FiveEdgeGeometry().low;
  d->high = 0xFFFFFF & ~d->low;
  int8_t spatial[16];
  d->spatialCount = AxisKeepingSymmetries(1u << 2, false, spatial);
  for (int k = 0; k < d->spatialCount; ++k) {
    d->wingSymmetry[k].Build(wings, spatial[k]);
    d->swapsLow[k] = d->wingSymmetry[k].Apply(d->low) != d->low;
    int8_t from[12];
    SymmetryPlaces(middles, spatial[k], from);
    for (int flip = 0; flip < kFlips; ++flip) {
      const int twelve = Twelve(flip);
      int image = 0;
      for (int q = 0; q < 12; ++q) image |= (twelve >> from[q] & 1) << q;
      d->flipConjugate[flip][k] = static_cast<uint16_t>(FlipOf12(image));
      d->flipConjugate[flip][k + 16] = static_cast<uint16_t>(FlipOf12(image) ^ (kFlips - 1));
    }
    const int back = InverseSymmetry(kFive, spatial[k]);
    for (int j = 0; j < d->spatialCount; ++j)
      if (spatial[j] == back)
        d->inverse[k] = static_cast<int8_t>(j), d->inverse[k + 16] = static_cast<int8_t>(j + 16);
  }
  const OrientData& c = *d;
  if (!d->wingClasses.Build(static_cast<uint32_t>(kWingPlacings), 32, d->inverse, [&c](uint32_t raw, int g) {
        return c.ranker.Rank(ConjugateWings(c, UnrankMask(raw, 24, 12), g));
      }))
    return;
}

// The wing table as a graph: an entry's class's moves are worked out once for all its twists.
struct WingGraph {
  struct Position {
    uint32_t cls = 0xFFFFFFFFu;
    int flip = 0;
    uint32_t next[kMaxPhaseMoves];  // class << 5 | symmetry
  };
  const OrientData& d;
  int Moves() const { return d.moves.count; }
  void Decode(uint64_t index, Position* position) const {
    const uint32_t cls = static_cast<uint32_t>(index / kFlips);
    position->flip = static_cast<int>(index % kFlips);
    if (cls == position->cls) return;
    position->cls = cls;
    const uint32_t own = UnrankMask(d.wingClasses.RawOf(cls), 24, 12);
    for (int m = 0; m < d.moves.count; ++m) {
      const uint32_t raw = d.ranker.Rank(d.wings.Apply(own, m));
      position->next[m] = d.wingClasses.ClassOf(raw) << 5 | static_cast<uint32_t>(d.wingClasses.SymOf(raw));
    }
  }
  int Next(const Position& position, int move, uint64_t* out) const {
    const uint32_t cls = position.next[move] >> 5;
    const int flip = d.flipConjugate[d.flipMove[position.flip][move]][position.next[move] & 31];
    int count = 0;
    out[count++] = static_cast<uint64_t>(cls) * kFlips + flip;
    for (uint32_t rest = d.wingClasses.Stabiliser(cls) & ~1u; rest != 0; rest &= rest - 1)
      out[count++] = static_cast<uint64_t>(cls) * kFlips + d.flipConjugate[flip][__builtin_ctz(rest)];
    return count;
  }
};

int CentreNext(const OrientData& d, uint64_t index, int move, uint64_t* out) {
  const int centres = static_cast<int>(index / kFlips), flip = static_cast<int>(index % kFlips);
  out[0] = OrientCentreIndex(d.centres.Next(centres, move), d.flipMove[flip][move]);
  return 1;
}

}  // namespace

const OrientData* OrientTables() {
  std::call_once(dataOnce, [] {
    OrientData* d = new (std::nothrow) OrientData;
    if (d == nullptr) return;
    Build(d);
    if (d->wingClasses.Count() != kWingClasses) {
      delete d;
      return;
    }
    data = d;
  });
  return data;
}

uint64_t OrientWingIndex(const OrientData& d, uint32_t wings, int flip) {
  const uint32_t raw = d.ranker.Rank(wings);
  return static_cast<uint64_t>(d.wingClasses.ClassOf(raw)) * kFlips +
         d.flipConjugate[flip][d.wingClasses.SymOf(raw)];
}

TableResult PrepareOrientTables(bool large) {
  const OrientData* tables = OrientTables();
  if (tables == nullptr) return TableResult::kNoMemory;
  const OrientData& d = *tables;
  std::vector<uint64_t> goals;
  for (int centres = 0; centres < kAxisCentres; ++centres)
    if (d.goalCentres[centres])
      for (int flip : {0, kFlips - 1}) goals.push_back(OrientCentreIndex(centres, flip));
  auto next = [&d](uint64_t index, int move, uint64_t* out) { return CentreNext(d, index, move, out); };
  const auto centreGraph = MakeIndexGraph(d.moves.count, next);
  const int goalCount = static_cast<int>(goals.size());
  TableResult result = centreTable.Ensure(
      [&](DistanceTable& t) { return FillDistances(t, goals.data(), goalCount, centreGraph); },
      [&](const DistanceTable& t) {
        return DistancesConsistent(t, goals.data(), goalCount, centreGraph, 2000);
      });
  if (result != TableResult::kReady || !large) return result;
  // The wing table's goals: the marked wings low with no twist, or high with every twist, and what the
  // symmetries that keep their class make of the twists.
  std::vector<uint64_t> wingGoals;
  const WingGraph wingGraph{d};
  for (int side = 0; side < 2; ++side) {
    const uint64_t index = OrientWingIndex(d, side == 0 ? d.low : d.high, side == 0 ? 0 : kFlips - 1);
    wingGoals.push_back(index);
    const uint32_t cls = static_cast<uint32_t>(index / kFlips);
    for (uint32_t rest = d.wingClasses.Stabiliser(cls) & ~1u; rest != 0; rest &= rest - 1)
      wingGoals.push_back(cls * kFlips + d.flipConjugate[index % kFlips][__builtin_ctz(rest)]);
  }
  std::sort(wingGoals.begin(), wingGoals.end());
  wingGoals.erase(std::unique(wingGoals.begin(), wingGoals.end()), wingGoals.end());
  const int wingGoalCount = static_cast<int>(wingGoals.size());
  return wingTable.Ensure(
      [&](DistanceTable& t) { return FillDistances(t, wingGoals.data(), wingGoalCount, wingGraph); },
      [&](const DistanceTable& t) {
        return DistancesConsistent(t, wingGoals.data(), wingGoalCount, wingGraph, 2000);
      });
}

const DistanceTable& OrientCentreTable() { return centreTable; }
const DistanceTable& OrientWingTable() { return wingTable; }
