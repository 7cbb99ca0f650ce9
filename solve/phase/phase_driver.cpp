// The phase driver: candidates searched by increasing total length, the best kept by length plus the
// next phase's bound, then the reduced cubes finished as 3×3×3 and the shortest whole path kept.
#include "solve/phase/phase_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "solve/phase/answer_moves.h"
#include "solve/phase/phase_geometry.h"
#include "solve/solve_search.h"

namespace {

struct Candidate {
  SolvingPath path;
  int key;  // length and the next phase's bound
};

void Append(SolvingPath* path, const BlockMove* moves, int count) {
  for (int k = 0; k < count; ++k) {
    BigApply(&path->state, moves[k]);
    path->moves[path->count++] = moves[k];
    path->length += OuterBlockTurns(moves[k], path->state.n);
  }
  if (count > 0) path->last = moves[count - 1], path->hasLast = true;
}

int SymmetryOfRotation(int n, const BlockMove* moves, int count) {
  int16_t source[kCellCount];
  CellSources(n, moves, count, source);
  for (int s = 0; s < 24; ++s)
    if (std::memcmp(source, SymmetrySources(n, s), sizeof source) == 0) return s;
  return 0;
}

// The frame's rotation made, and the last turn seen in the new frame.
void Turn(SolvingPath* path, const BlockMove* rotation, int count) {
  if (count == 0) return;
  for (int k = 0; k < count; ++k) {
    BigApply(&path->state, rotation[k]);
    path->moves[path->count++] = rotation[k];
  }
  if (path->hasLast)
    ConjugateMove(path->state.n, SymmetryOfRotation(path->state.n, rotation, count), path->last, &path->last);
}

class Collect : public PhaseFinds {
 public:
  Collect(const Candidate& from, const Phase& phase, const Phase* next, std::vector<Candidate>* out,
          int limit, SearchBudget& budget)
      : from_(from), phase_(phase), next_(next), out_(out), limit_(limit), budget_(budget) {}
  bool Found(const BlockMove* moves, int count) override {
    if (from_.path.count + count + 6 > kMaxSolvingMoves) return true;
    out_->push_back(from_);
    Candidate& c = out_->back();
    Append(&c.path, moves, count);
    BlockMove rotation[3];
    Turn(&c.path, rotation, phase_.Frame(c.path.state, rotation));
    c.key = c.path.length + (next_ != nullptr ? next_->Bound(c.path.state) : 0);
    // The last phase's first way is a whole answer: from then on the deadline counts.
    if (next_ == nullptr) budget_.armed = true;
    return static_cast<int>(out_->size()) < limit_ && !budget_.Late();
  }

 private:
  const Candidate& from_;
  const Phase& phase_;
  const Phase* next_;
  std::vector<Candidate>* out_;
  int limit_;
  SearchBudget& budget_;
};

// The best by key, each position once as the next phase sees it: different ways often meet at one
// position (moves that commute with a few others, or lead round a relation), or at positions that
// differ only in what the next phase does not read, and searching on from it again finds nothing new.
void KeepBest(std::vector<Candidate>* list, size_t keep, const Phase* next) {
  std::stable_sort(list->begin(), list->end(),
                   [](const Candidate& a, const Candidate& b) { return a.key < b.key; });
  std::vector<uint64_t> seen;
  size_t kept = 0;
  for (size_t k = 0; k < list->size() && kept < keep; ++k) {
    const BigState& state = (*list)[k].path.state;
    const uint64_t key = next != nullptr ? next->Key(state) : CellsKey(state);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    if (kept != k) (*list)[kept] = (*list)[k];
    ++kept;
  }
  list->resize(kept);
}

// One phase from every candidate, by increasing total length, until `keep` ways are found.
bool RunPhase(const Phase& phase, const Phase* next, int collect, int keep, int index,
              std::vector<Candidate>& from, std::vector<Candidate>* out, SearchBudget& budget) {
  out->clear();
  if (from.empty()) return false;
  const int lowest = from.front().key;
  // By increasing total length: every candidate whose bound allows the total is searched at it.
  for (int total = lowest; total < lowest + phase.MaxLength() && static_cast<int>(out->size()) < collect;
       ++total) {
    for (Candidate& c : from) {
      if (c.key > total) break;
      const int depth = total - c.path.length;
      if (depth > phase.MaxLength()) continue;
      Collect finds(c, phase, next, out, collect, budget);
      phase.Search(c.path.state, depth, c.path.hasLast ? &c.path.last : nullptr, finds, budget);
      if (budget.stopped || budget.Late() || static_cast<int>(out->size()) >= collect) break;
    }
    if (budget.stopped || budget.Late()) break;
  }
  if (budget.limit != nullptr && SolveCancelled(*budget.limit)) return false;
  for (Candidate& c : *out) c.path.ends[index] = c.path.count;
  KeepBest(out, static_cast<size_t>(keep), next);
  return !out->empty();
}

// The reduced cube (centres home) finished by the 3×3×3 search; false if it reads as no 3×3×3.
bool FinishThree(SolvingPath* path, double seconds, const SolveLimit* limit, int index) {
  static thread_local CubeState pattern3;
  ThreeView(path->state, pattern3);
  int faces[kMaxSolveLength], turns[kMaxSolveLength];
  bool optimal = false;
  SolveLimit three = limit != nullptr ? *limit : SolveLimit{};
  three.seconds = seconds;
  const int length = SolveEdgesAndCorners(pattern3, three, ReadSolveClock(three), faces, turns, &optimal);
  if (length < 0) return false;
  // The search gives the way from solved to the pattern; the path needs the way back.
  for (int k = length - 1; k >= 0; --k) {
    const BlockMove move = Block(faces[k], 1, 1, 4 - turns[k]);
    BigApply(&path->state, move);
    path->moves[path->count++] = move;
  }
  path->ends[index] = path->count;
  // Its length as the answer will have it: the 3×3×3 search's first turn may merge with the last.
  BlockMove merged[kMaxSolvingMoves];
  std::memcpy(merged, path->moves, sizeof(BlockMove) * static_cast<size_t>(path->count));
  path->length =
      OuterBlockTurns(merged, MergeRuns(path->state.n, merged, nullptr, path->count), path->state.n);
  return true;
}

}  // namespace

TableResult PreparePlan(const PhasePlan& plan) {
  for (int k = 0; k < plan.count; ++k) {
    const TableResult result = plan.phases[k]->Prepare();
    if (result != TableResult::kReady) return result;
  }
  return TableResult::kReady;
}

bool RunPhases(const PhasePlan& plan, const PhaseEffort& effort, const BigState& start, SearchBudget& budget,
               SolvingPath* best) {
  std::unique_ptr<std::vector<Candidate>> from(new std::vector<Candidate>), to(new std::vector<Candidate>);
  from->resize(1);
  Candidate& first = from->front();
  first.path.state = start;
  first.key = plan.count > 0 ? plan.phases[0]->Bound(start) : 0;
  for (int k = 0; k < plan.count; ++k) {
    const Phase* next = k + 1 < plan.count ? plan.phases[k + 1] : nullptr;
    if (!RunPhase(*plan.phases[k], next, std::max(effort.collect[k], effort.keep[k]), effort.keep[k], k,
                  *from, to.get(), budget))
      return false;

    std::swap(from, to);
  }
  // Each reduced cube's first 3×3×3 answer, then the best few searched longer.
  bool found = false;
  const int finishes = std::min(effort.finishes, static_cast<int>(from->size()));
  struct Finished {
    SolvingPath path;
    int source;
  };
  std::vector<Finished> done;
  for (int k = 0; k < finishes; ++k) {
    done.push_back(Finished{(*from)[k].path, k});
    if (!FinishThree(&done.back().path, 0, budget.limit, plan.count)) done.pop_back();
  }
  std::stable_sort(done.begin(), done.end(),
                   [](const Finished& a, const Finished& b) { return a.path.length < b.path.length; });
  // Then the best few again with what time is left, shared between them.
  const int longer = std::min(3, static_cast<int>(done.size()));
  for (int k = 0; k < longer && effort.finishSeconds > 0 && budget.limit != nullptr; ++k) {
    const double left = budget.deadline - ReadSolveClock(*budget.limit);
    if (left <= 0.005 || SolveCancelled(*budget.limit)) break;
    SolvingPath path = (*from)[done[k].source].path;
    if (FinishThree(&path, std::min(effort.finishSeconds, left / (longer - k)), budget.limit, plan.count) &&
        path.length < done[k].path.length)
      done[k].path = path;
  }
  for (const Finished& finished : done) {
    const SolvingPath& path = finished.path;
    if (best->length == 0 || path.length < best->length) *best = path, found = true;
  }
  return found;
}
