// Distance tables of four bits an entry: allocated without throwing, built once behind a lock (or read
// from the installed store and checked), shared read-only by every solve after that.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "solve/phase/phase.h"

// 15 marks a position not reached (yet); a table may also cap its distances below that.
const int kUnknownDistance = 15;
// No table asks for more than this in one piece; a larger one is refused as memory would be.
const uint64_t kMaxTableBytes = 1ull << 30;

class DistanceTable {
 public:
  DistanceTable(const char* name, unsigned edition, uint64_t entries);
  ~DistanceTable();
  DistanceTable(const DistanceTable&) = delete;
  DistanceTable& operator=(const DistanceTable&) = delete;

  int Get(uint64_t index) const { return (data_[index >> 1] >> ((index & 1) * 4)) & 15; }
  void Set(uint64_t index, int value) {
    uint8_t& byte = data_[index >> 1];
    byte = static_cast<uint8_t>((index & 1) ? (byte & 0x0F) | (value << 4) : (byte & 0xF0) | value);
  }
  void Prefetch(uint64_t index) const { __builtin_prefetch(data_ + (index >> 1)); }
  uint64_t Entries() const { return entries_; }
  size_t Bytes() const { return static_cast<size_t>((entries_ + 1) / 2); }
  const char* Name() const { return name_; }
  bool Ready() const { return ready_.load(std::memory_order_acquire); }

  // The first caller builds the table (or reads a copy that `check` accepts) while later ones wait;
  // build fills every entry from all unknown, reporting through ReportBuild, and false from it (asked
  // to stop) leaves nothing. A copy read back is saved again only when built here.
  template <class Build, class Check>
  TableResult Ensure(Build build, Check check) {
    if (Ready()) return TableResult::kReady;
    std::lock_guard<std::mutex> lock(mutex_);
    if (Ready()) return TableResult::kReady;
    if (!Allocate()) return TableResult::kNoMemory;
    if (LoadStored() && check(*this)) return Publish();
    Clear();
    const auto started = std::chrono::steady_clock::now();
    if (!build(*this)) {
      Release();
      return TableResult::kCancelled;
    }
    buildSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    SaveStored();
    return Publish();
  }

  // Seconds the build here took (0 when read from the store), for the benchmark.
  double BuildSeconds() const { return buildSeconds_; }

 private:
  bool Allocate();
  void Release();
  void Clear();
  bool LoadStored();
  void SaveStored();
  TableResult Publish() {
    ready_.store(true, std::memory_order_release);
    return TableResult::kReady;
  }

  const char* name_;
  unsigned edition_;
  uint64_t entries_;
  uint8_t* data_ = nullptr;
  std::mutex mutex_;
  std::atomic<bool> ready_{false};
  double buildSeconds_ = 0;
};

// Tells the installed store how far a build has come; false when it asks the build to stop.
bool ReportBuild(const char* what, double done);

// Breadth-first distances from the goal positions over the table's positions. Graph supplies
//   typename Position; int Moves() const; void Decode(uint64_t index, Position*) const;
//   int Next(const Position&, int move, uint64_t* out) const;  // the indices the move leads to: a
//                                    list, for coordinates held up to a symmetry; returns how many
// and its moves include every inverse. Reports progress now and then; false when asked to stop.
template <class Graph>
bool FillDistances(DistanceTable& table, const uint64_t* goals, int goalCount, const Graph& graph) {
  const uint64_t entries = table.Entries();
  uint64_t done = 0, frontier = 0;
  for (int g = 0; g < goalCount; ++g)
    if (table.Get(goals[g]) == kUnknownDistance) table.Set(goals[g], 0), ++done, ++frontier;
  uint64_t out[64];
  typename Graph::Position position;
  for (int depth = 0; done < entries && depth + 1 < kUnknownDistance; ++depth) {
    // Once the unknown positions are fewer than the frontier's moves would reach, they look for a
    // neighbour at this depth instead.
    const bool backward = entries - done < frontier * 3;
    uint64_t added = 0;
    for (uint64_t index = 0; index < entries; ++index) {
      if ((index & 0xFFFFF) == 0 &&
          !ReportBuild(table.Name(), (static_cast<double>(done) + static_cast<double>(added)) / entries))
        return false;
      const int value = table.Get(index);
      if (backward ? value != kUnknownDistance : value != depth) continue;
      graph.Decode(index, &position);
      for (int m = 0; m < graph.Moves(); ++m) {
        const int count = graph.Next(position, m, out);
        bool hit = false;
        for (int k = 0; k < count && !hit; ++k) {
          if (backward) {
            hit = table.Get(out[k]) == depth;
          } else if (table.Get(out[k]) == kUnknownDistance) {
            table.Set(out[k], depth + 1);
            ++added;
          }
        }
        if (hit) {
          table.Set(index, depth + 1);
          ++added;
          break;
        }
      }
    }
    if (added == 0) break;
    done += added;
    frontier = added;
  }
  return true;
}

// A loaded copy is trusted only if, at `samples` spread positions, its distances agree with their
// neighbours' as breadth-first distances must (one step apart at most, one nearer unless a goal, 0
// only at a goal), and every goal reads 0.
template <class Graph>
bool DistancesConsistent(const DistanceTable& table, const uint64_t* goals, int goalCount, const Graph& graph,
                         int samples) {
  for (int g = 0; g < goalCount; ++g)
    if (table.Get(goals[g]) != 0) return false;
  uint64_t out[64];
  uint64_t state = 0x9E3779B97F4A7C15ull;
  typename Graph::Position position;
  for (int s = 0; s < samples; ++s) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    const uint64_t index = (state >> 11) % table.Entries();
    const int value = table.Get(index);
    if (value == kUnknownDistance) continue;
    bool goal = false;
    for (int g = 0; g < goalCount; ++g) goal = goal || goals[g] == index;
    if (goal != (value == 0)) return false;
    graph.Decode(index, &position);
    bool nearer = value == 0;
    for (int m = 0; m < graph.Moves(); ++m) {
      const int count = graph.Next(position, m, out);
      for (int k = 0; k < count; ++k) {
        const int other = table.Get(out[k]);
        if (other != kUnknownDistance && (other > value + 1 || other < value - 1)) return false;
        if (other == kUnknownDistance && value + 1 < kUnknownDistance) return false;
        nearer = nearer || other == value - 1;
      }
    }
    if (!nearer) return false;
  }
  return true;
}

// A graph whose positions are the indices themselves, for tables whose moves are cheap from an index.
template <class NextOf>
struct IndexGraph {
  typedef uint64_t Position;
  int moves;
  NextOf next;
  int Moves() const { return moves; }
  void Decode(uint64_t index, Position* position) const { *position = index; }
  int Next(const Position& position, int move, uint64_t* out) const { return next(position, move, out); }
};
template <class NextOf>
IndexGraph<NextOf> MakeIndexGraph(int moves, NextOf next) {
  return IndexGraph<NextOf>{moves, next};
}
