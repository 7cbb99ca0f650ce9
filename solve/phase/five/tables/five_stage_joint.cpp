// The first phase's joint table: breadth first over positions up to symmetry, six levels kept exactly to
// find the seventh, every level hashed into the table with the least distance per slot.
#include "solve/phase/five/tables/five_stage_joint.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "solve/phase/five/geometry/five_frame.h"
#include "solve/phase/five/geometry/five_symmetry.h"
#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/sym_classes.h"

namespace {

const uint64_t kPlacings = 735471;
const int kSlotBits = 25;
const int kExactLevels = 6;  // kept exactly; the seventh is only hashed
const int kBeyond = kExactLevels + 2;

DistanceTable table("5x5x5-stage-joint", 1, 1ull << kSlotBits);

struct JointData {
  PhaseMoveSet moves;
  MaskMoves masks[2];  // x-centres, t-centres
  uint32_t goal[2];    // the F-B places
  int symmetryCount;
  MaskSymmetry x[16], t[16];
  MaskRanker ranker;
  SymClasses classes;  // of the x-centre places
  bool ready;
};

const JointData& Data() {
  static JointData* data = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    static JointData storage;
    JointData& d = storage;
    BlockMove list[kMaxPhaseMoves];
    const int count = StageMoveList(list);
    BuildMoveSet(kFive, list, count, &d.moves);
    for (int o = 0; o < 2; ++o) {
      const OrbitPlaces& orbit = OrbitOf(kFive, o == 0 ? kXCentreOrbit : kTCentreOrbit);
      d.masks[o].Build(orbit, list, count);
      d.goal[o] = FaceMask(orbit, 1u << F | 1u << B);
    }
    int8_t symmetries[16], inverse[16];
    d.symmetryCount = AxisKeepingSymmetries(1u << 2, false, symmetries);
    for (int k = 0; k < d.symmetryCount; ++k) {
      d.x[k].Build(OrbitOf(kFive, kXCentreOrbit), symmetries[k]);
      d.t[k].Build(OrbitOf(kFive, kTCentreOrbit), symmetries[k]);
      const int back = InverseSymmetry(kFive, symmetries[k]);
      for (int j = 0; j < d.symmetryCount; ++j)
        if (symmetries[j] == back) inverse[k] = static_cast<int8_t>(j);
    }
    d.ranker.Build(0xFFFFFF);
    d.ready = d.classes.Build(
        static_cast<uint32_t>(kPlacings), d.symmetryCount, inverse,
        [&d](uint32_t raw, int s) { return d.ranker.Rank(d.x[s].Apply(UnrankMask(raw, 24, 8))); });
    data = &d;
  });
  return *data;
}

// The position's key: its x-centres' class, then the least rank its t-centres take under the symmetries
// that bring the x-centres to the class's own places.
uint64_t KeyOf(const JointData& d, uint32_t x, uint32_t t) {
  const uint32_t raw = d.ranker.Rank(x);
  const uint32_t cls = d.classes.ClassOf(raw);
  const uint32_t seen = d.t[d.classes.SymOf(raw)].Apply(t);
  uint32_t least = d.ranker.Rank(seen);
  for (uint32_t rest = d.classes.Stabiliser(cls) & ~1u; rest != 0; rest &= rest - 1) {
    const uint32_t other = d.ranker.Rank(d.t[__builtin_ctz(rest)].Apply(seen));
    if (other < least) least = other;
  }
  return cls * kPlacings + least;
}

uint64_t SlotOf(uint64_t key) { return (key * 0x9E3779B97F4A7C15ull) >> (64 - kSlotBits); }

void Keep(DistanceTable& t, uint64_t key, int depth) {
  const uint64_t slot = SlotOf(key);
  if (t.Get(slot) > depth) t.Set(slot, depth);
}

// The levels up to kExactLevels, each sorted; false when asked to stop.
bool Levels(const JointData& d, int levelCount, std::vector<std::vector<uint64_t>>* levels) {
  levels->assign(1, std::vector<uint64_t>(1, KeyOf(d, d.goal[0], d.goal[1])));
  for (int depth = 0; depth + 1 < levelCount; ++depth) {
    if (!ReportBuild(table.Name(), 0.1 * depth)) return false;
    std::vector<uint64_t> next;
    for (uint64_t key : (*levels)[depth]) {
      const uint32_t x = UnrankMask(d.classes.RawOf(static_cast<uint32_t>(key / kPlacings)), 24, 8);
      const uint32_t t = UnrankMask(static_cast<uint32_t>(key % kPlacings), 24, 8);
      for (int m = 0; m < d.moves.count; ++m)
        next.push_back(KeyOf(d, d.masks[0].Apply(x, m), d.masks[1].Apply(t, m)));
    }
    std::sort(next.begin(), next.end());
    next.erase(std::unique(next.begin(), next.end()), next.end());
    // Neighbours of a level lie in the level before, the level itself or the next.
    std::vector<uint64_t> fresh;
    for (uint64_t key : next) {
      bool old = false;
      for (int back = depth; back >= 0 && back >= depth - 1 && !old; --back)
        old = std::binary_search((*levels)[back].begin(), (*levels)[back].end(), key);
      if (!old) fresh.push_back(key);
    }
    levels->push_back(fresh);
  }
  return true;
}

}  // namespace

int StageMoveList(BlockMove* moves) {
  int count = 0;
  for (int face = 0; face < 6; ++face)
    for (int last = 1; last <= 2; ++last)
      for (int q = 1; q <= 3; ++q) moves[count++] = Block(face, 1, last, q);
  return count;
}

TableResult PrepareStageJoint() {
  const JointData& d = Data();
  if (!d.ready) return TableResult::kNoMemory;
  return table.Ensure(
      [&](DistanceTable& t) {
        std::vector<std::vector<uint64_t>> levels;
        if (!Levels(d, kExactLevels + 1, &levels)) return false;
        for (int depth = 0; depth <= kExactLevels; ++depth)
          for (uint64_t key : levels[depth]) Keep(t, key, depth);
        // The next level's positions are only hashed: what is already nearer keeps its smaller value.
        size_t done = 0;
        for (uint64_t key : levels[kExactLevels]) {
          if ((++done & 0xFFFF) == 0 &&
              !ReportBuild(t.Name(), 0.7 + 0.3 * static_cast<double>(done) / levels[kExactLevels].size()))
            return false;
          const uint32_t x = UnrankMask(d.classes.RawOf(static_cast<uint32_t>(key / kPlacings)), 24, 8);
          const uint32_t tc = UnrankMask(static_cast<uint32_t>(key % kPlacings), 24, 8);
          for (int m = 0; m < d.moves.count; ++m)
            Keep(t, KeyOf(d, d.masks[0].Apply(x, m), d.masks[1].Apply(tc, m)), kExactLevels + 1);
        }
        return true;
      },
      StageJointTrusted);
}

bool StageJointTrusted(const DistanceTable& copy) {
  const JointData& d = Data();
  if (!d.ready) return false;
  std::vector<std::vector<uint64_t>> levels;
  if (!Levels(d, 5, &levels)) return false;
  for (int depth = 0; depth < 5; ++depth)
    for (uint64_t key : levels[depth])
      if (copy.Get(SlotOf(key)) > depth) return false;
  if (copy.Get(SlotOf(levels[0][0])) != 0) return false;
  // Spread slots: no value past the hashed level but the empty mark, and empty about as often as the build
  // leaves them (roughly half of them).
  int empty = 0;
  const int samples = 4096;
  for (int k = 0; k < samples; ++k) {
    const int value = copy.Get((static_cast<uint64_t>(k) * 0x9E3779B97F4Aull) % copy.Entries());
    if (value > kExactLevels + 1 && value != kUnknownDistance) return false;
    empty += value == kUnknownDistance;
  }
  return empty > samples / 4 && empty < samples * 3 / 4;
}

int StageJointBound(uint32_t x, uint32_t t) { return StageJointBoundAt(SlotOf(KeyOf(Data(), x, t))); }

uint64_t StageJointSlot(uint32_t x, uint32_t t) {
  const uint64_t slot = SlotOf(KeyOf(Data(), x, t));
  table.Prefetch(slot);
  return slot;
}

int StageJointBoundAt(uint64_t slot) {
  const int value = table.Get(slot);
  return value > kBeyond ? kBeyond : value;
}

const DistanceTable& StageJointTable() { return table; }
