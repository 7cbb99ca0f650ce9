// A phase of a reduction solver as data: its moves, a bound from its tables, a search that lists every
// way of a given length to its goal, and the frame the next phase wants. The driver runs lists of them.
#pragma once

#include <atomic>
#include <cstdint>

#include "cube/block_move.h"
#include "solve/big/big_cube.h"
#include "solve/solve_limit.h"

const int kMaxPhaseMoves = 64;
const int kMaxPhaseDepth = 24;

// Why tables could not be had: memory refused (the caller falls back to the greedy reduction), or the
// build was asked to stop through the store's progress report (nothing kept; it may be tried again).
enum class TableResult { kReady, kNoMemory, kCancelled };

// What a search may spend: positions visited, checked against the caller's limit now and then.
struct SearchBudget {
  long nodes = 0;
  long nodeLimit = -1;  // none while negative
  double deadline = 0;  // on the limit's clock; none while 0
  bool armed = false;   // the deadline counts only once there is an answer to give
  const SolveLimit* limit = nullptr;
  bool stopped = false;
  bool Late() const { return armed && deadline > 0 && limit != nullptr && ReadSolveClock(*limit) > deadline; }
  // Counts a position; true once the search should stop.
  bool Spend() {
    if (stopped) return true;
    if ((++nodes & 4095) != 0) return false;
    if (nodeLimit >= 0 && nodes > nodeLimit) stopped = true;
    if (limit != nullptr && (SolveCancelled(*limit) || Late())) stopped = true;
    return stopped;
  }
};

// Receives each way a search finds, as block moves from the state it started at; false stops it.
class PhaseFinds {
 public:
  virtual ~PhaseFinds() = default;
  virtual bool Found(const BlockMove* moves, int count) = 0;
};

// A hash of every cell of the state.
uint64_t CellsKey(const BigState& state);
// The same of any bytes, chained from an earlier hash (or 0).
uint64_t BytesKey(const void* bytes, size_t size, uint64_t from);

class Phase {
 public:
  virtual ~Phase() = default;
  // A short name for the answer's spans.
  virtual const char* Name() const = 0;
  // Builds or loads the tables once, for every thread; tables are never changed afterwards.
  virtual TableResult Prepare() const = 0;
  // No way to the goal from the state is shorter than this (tables ready).
  virtual int Bound(const BigState& state) const = 0;
  // Every way of exactly `length` moves from the state to the goal that passes the goal no sooner and
  // starts with a move that may follow `last` (null: any), each given to finds until it says stop.
  // Returns false when finds or the budget stopped it.
  virtual bool Search(const BigState& state, int length, const BlockMove* last, PhaseFinds& finds,
                      SearchBudget& budget) const = 0;
  // Two states of equal key are alike for this phase: it finds the same ways from both. By default a
  // hash of every cell.
  virtual uint64_t Key(const BigState& state) const { return CellsKey(state); }
  // The longest way this phase searches for.
  virtual int MaxLength() const = 0;
  // The distance tables it reads, for reports; their count.
  virtual int Tables(const class DistanceTable** /*out*/) const { return 0; }
  // The whole-cube rotation the next phase wants made once this one's goal holds; its moves' count.
  virtual int Frame(const BigState& /*state*/, BlockMove* /*rotation*/) const { return 0; }
};
