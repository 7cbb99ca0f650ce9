// The distance tables' life: built breadth first, read back from a store only when a check accepts the
// copy, rebuilt when it is damaged or foreign, left empty when the build is asked to stop.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_table.h"
#include "solve/table_store.h"

namespace {

// Orders of six things, one swap of neighbours a move: the distance is the number of inversions.
struct SwapGraph {
  typedef uint64_t Position;
  int Moves() const { return 5; }
  void Decode(uint64_t index, Position* position) const { *position = index; }
  int Next(const Position& index, int move, uint64_t* out) const {
    int8_t perm[6];
    UnrankPermutation(static_cast<uint32_t>(index), 6, perm);
    std::swap(perm[move], perm[move + 1]);
    out[0] = RankPermutation(perm, 6);
    return 1;
  }
};

int Inversions(uint64_t index) {
  int8_t perm[6];
  UnrankPermutation(static_cast<uint32_t>(index), 6, perm);
  int count = 0;
  for (int i = 0; i < 6; ++i)
    for (int j = i + 1; j < 6; ++j) count += perm[i] > perm[j];
  return count;
}

// Keeps one copy in memory; can hand back something else instead, and can ask builds to stop.
class MemoryStore : public TableStore {
 public:
  std::vector<uint8_t> kept;
  int loads = 0, saves = 0, reports = 0;
  bool stopBuilds = false;
  bool Load(const char*, unsigned, void* data, size_t size) override {
    ++loads;
    if (kept.size() != size) return false;
    std::memcpy(data, kept.data(), size);
    return true;
  }
  bool Save(const char*, unsigned, const void* data, size_t size) override {
    ++saves;
    kept.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    return true;
  }
  bool Progress(const char*, double) override {
    ++reports;
    return !stopBuilds;
  }
};

class SolvePhaseTable : public ::testing::Test {
 protected:
  void SetUp() override { InstallTableStore(&store); }
  void TearDown() override { InstallTableStore(nullptr); }
  TableResult Ensure(DistanceTable& table) {
    const uint64_t goal = 0;
    return table.Ensure(
        [&](DistanceTable& t) {
          ++builds;
          return FillDistances(t, &goal, 1, graph);
        },
        [&](const DistanceTable& t) { return DistancesConsistent(t, &goal, 1, graph, 300); });
  }
  MemoryStore store;
  SwapGraph graph;
  int builds = 0;
};

TEST_F(SolvePhaseTable, BuildsBreadthFirstDistancesAndKeepsThem) {
  DistanceTable table("swaps", 1, 720);
  ASSERT_EQ(TableResult::kReady, Ensure(table));
  EXPECT_TRUE(table.Ready());
  for (uint64_t index = 0; index < 720; ++index) EXPECT_EQ(Inversions(index), table.Get(index)) << index;
  EXPECT_EQ(1, builds);
  EXPECT_EQ(1, store.saves);
  EXPECT_GT(store.reports, 0);
  // Once ready it is neither built nor read again.
  ASSERT_EQ(TableResult::kReady, Ensure(table));
  EXPECT_EQ(1, builds);
  EXPECT_EQ(1, store.loads);
}

TEST_F(SolvePhaseTable, ASoundCopyIsReadInsteadOfBuilt) {
  {
    DistanceTable first("swaps", 1, 720);
    ASSERT_EQ(TableResult::kReady, Ensure(first));
  }
  DistanceTable second("swaps", 1, 720);
  ASSERT_EQ(TableResult::kReady, Ensure(second));
  EXPECT_EQ(1, builds);
  EXPECT_EQ(1, store.saves);
  for (uint64_t index = 0; index < 720; ++index) EXPECT_EQ(Inversions(index), second.Get(index));
}

TEST_F(SolvePhaseTable, DamagedOrForeignCopiesAreRebuilt) {
  // Every position at 0, a plausible-looking copy of the wrong table, and noise.
  std::vector<std::vector<uint8_t>> copies;
  copies.push_back(std::vector<uint8_t>(360, 0));
  {
    std::vector<uint8_t> shifted(360);
    for (size_t k = 0; k < 360; ++k) shifted[k] = static_cast<uint8_t>(((k + 1) % 7) | ((k % 5) << 4));
    copies.push_back(shifted);
  }
  {
    DistanceTable good("swaps", 1, 720);
    ASSERT_EQ(TableResult::kReady, Ensure(good));
    std::vector<uint8_t> damaged = store.kept;
    damaged[100] ^= 0x33;  // two entries off by more than one step
    damaged[200] ^= 0x30;
    copies.push_back(damaged);
  }
  for (size_t c = 0; c < copies.size(); ++c) {
    store.kept = copies[c];
    builds = 0;
    DistanceTable table("swaps", 1, 720);
    ASSERT_EQ(TableResult::kReady, Ensure(table));
    EXPECT_EQ(1, builds) << "copy " << c;
    for (uint64_t index = 0; index < 720; ++index)
      ASSERT_EQ(Inversions(index), table.Get(index)) << "copy " << c;
    EXPECT_NE(copies[c], store.kept) << "the rebuilt table is kept in place of the bad copy";
  }
}

TEST_F(SolvePhaseTable, AStoppedBuildKeepsNothingAndMayBeTriedAgain) {
  DistanceTable table("swaps", 1, 720);
  store.stopBuilds = true;
  EXPECT_EQ(TableResult::kCancelled, Ensure(table));
  EXPECT_FALSE(table.Ready());
  EXPECT_EQ(0, store.saves);
  store.stopBuilds = false;
  ASSERT_EQ(TableResult::kReady, Ensure(table));
  EXPECT_EQ(Inversions(719), table.Get(719));
}

TEST_F(SolvePhaseTable, ATableTooLargeForMemoryIsRefused) {
  DistanceTable table("huge", 1, 1ull << 34);
  EXPECT_EQ(TableResult::kNoMemory, Ensure(table));
  EXPECT_FALSE(table.Ready());
  EXPECT_EQ(0, builds);
}

}  // namespace
