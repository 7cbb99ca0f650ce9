// The phase solvers' front door: a short answer if there is one, else a first answer from a light
// run of the phases, then heavier runs while the limit allows; the best put in its final shape and
// replayed before it is given.
#include "solve/phase/phase_solve.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "solve/phase/answer_moves.h"
#include "solve/phase/five/five_phases.h"
#include "solve/phase/four/four_phases.h"
#include "solve/phase/phase_driver.h"
#include "solve/phase/phase_table.h"
#include "solve/short/short_answers.h"
#include "solve/solve_search.h"
#include "study/facelet_map.h"
#include "study/reachability.h"

namespace {

const char* const kThreeName = "3x3x3";

bool PlanFor(int n, PhasePlan* plan) {
  plan->count = 0;
  if (n == 4) {
    plan->phases[plan->count++] = &FourStagePhase();
    plan->phases[plan->count++] = &FourSplitPhase();
    plan->phases[plan->count++] = &FourPairPhase();
    return true;
  }
  if (n == 5) {
    plan->phases[plan->count++] = &FiveStagePhase();
    plan->phases[plan->count++] = &FiveSplitPhase();
    plan->phases[plan->count++] = &FiveOrientPhase();
    plan->phases[plan->count++] = &FiveFirstEdgesPhase();
    plan->phases[plan->count++] = &FiveLastEdgesPhase();
    return true;
  }
  return false;
}

// Without a limit: few candidates, the first 3×3×3 answer of one reduced cube. With one: many more,
// several reduced cubes' first answers, then the best searched longer while the limit allows.
PhaseEffort EffortFor(int n, double seconds) {
  if (n == 5) {
    if (seconds <= 0) return PhaseEffort{{200, 300, 300, 100, 1}, {50, 50, 50, 20, 1}, 1, 0};
    return PhaseEffort{{1000, 1000, 1000, 500, 50}, {200, 200, 200, 100, 50}, 20, 1.0};
  }
  if (seconds <= 0) return PhaseEffort{{2000, 300, 1}, {300, 100, 1}, 1, 0};
  return PhaseEffort{{4000, 600, 20}, {500, 150, 20}, 20, 1.0};
}

bool SolvedUpToRotation(const BigState& state) {
  for (int face = 0; face < 6; ++face) {
    const int colour = state.cells[CellIndex(face, 0, 0)];
    for (int row = 0; row < state.n; ++row)
      for (int column = 0; column < state.n; ++column)
        if (state.cells[CellIndex(face, row, column)] != colour) return false;
  }
  return true;
}

// The solving path turned into the answer: reversed and undone, rotations last, runs merged, spans read
// from each move's phase.
void Assemble(const PhasePlan& plan, const SolvingPath& path, PhaseAnswer* answer) {
  const int n = path.state.n;
  BlockMove moves[kMaxSolvingMoves + 8];
  int8_t tags[kMaxSolvingMoves + 8];
  int count = 0;
  for (int k = path.count - 1; k >= 0; --k) {
    int phase = 0;
    while (phase < plan.count && k >= path.ends[phase]) ++phase;
    moves[count] = InverseBlockMove(path.moves[k]);
    tags[count++] = static_cast<int8_t>(phase);
  }
  count = RotationsLast(n, moves, tags, count);
  count = MergeRuns(n, moves, tags, count);
  answer->n = n;
  answer->count = 0;
  for (int k = 0; k < count && k < kMaxPhaseAnswer; ++k) answer->moves[answer->count++] = moves[k];
  answer->spanCount = 0;
  for (int phase = plan.count; phase >= 0; --phase) {
    PhaseAnswerSpan& span = answer->spans[answer->spanCount++];
    span.name = phase == plan.count ? kThreeName : plan.phases[phase]->Name();
    span.begin = -1;
    span.end = -1;
    for (int k = 0; k < answer->count; ++k)
      if (tags[k] == phase) {
        if (span.begin < 0) span.begin = k;
        span.end = k + 1;
      }
    // A phase with no move stands where the one before it ended.
    if (span.begin < 0)
      span.begin = span.end = answer->spanCount > 1 ? answer->spans[answer->spanCount - 2].end : 0;
  }
}

}  // namespace

bool PhaseAnswerReplays(const PhaseAnswer& answer, const BigState& pattern) {
  BigState check;
  BigSolved(answer.n, &check);
  for (int k = 0; k < answer.count; ++k) BigApply(&check, answer.moves[k]);
  return std::memcmp(check.cells, pattern.cells, sizeof check.cells) == 0;
}

void CountPhaseAnswer(PhaseAnswer* answer) {
  answer->outerBlockTurns = OuterBlockTurns(answer->moves, answer->count, answer->n);
  answer->blockTurns = 0;
  for (int k = 0; k < answer->count; ++k) answer->blockTurns += BlockTurns(answer->moves[k], answer->n);
}

bool ReadPhasePattern(int n, const int32_t* pattern, BigState* shown) {
  shown->n = n;
  std::memset(shown->cells, 0, sizeof shown->cells);
  bool sound = true;
  ForEachUsedCell(n, [&](int cell) {
    sound = sound && pattern[cell] >= 0 && pattern[cell] < 6;
    shown->cells[cell] = static_cast<int8_t>(pattern[cell]);
  });
  if (!sound) return false;
  // On a pattern no cube can show, the searches would go on through every length they may try, which
  // takes longer than anyone waits.
  std::unique_ptr<Cube> cube(new Cube{});
  cube->size = static_cast<int16_t>(n);
  CopyCube(n, pattern, cube->live);
  std::unique_ptr<ReachabilityReport> report(new ReachabilityReport);
  CheckReachable(*cube, report.get());
  return report->reachable;
}

bool ShortPhaseAnswer(const BigState& shown, double seconds, PhaseAnswer* answer) {
  answer->n = shown.n;
  answer->spanCount = 0;
  const int shortCount = ShortAnswer(shown, answer->moves, kMaxPhaseAnswer);
  if (shortCount < 0) return false;
  answer->count = shortCount;
  answer->spanCount = 1;
  answer->spans[0] = PhaseAnswerSpan{"short", 0, shortCount};
  CountPhaseAnswer(answer);
  answer->seconds = seconds;
  return true;
}

bool PhaseSolverFor(int n) {
  PhasePlan plan;
  return PlanFor(n, &plan);
}

TableResult PreparePhaseTables(int n) {
  PhasePlan plan;
  if (!PlanFor(n, &plan)) return TableResult::kReady;
  const TableResult result = PreparePlan(plan);
  if (result == TableResult::kReady) ReadySearchTables();
  return result;
}

int PhaseTablesOf(int n, const DistanceTable** out, int capacity) {
  PhasePlan plan;
  if (!PlanFor(n, &plan)) return 0;
  int count = 0;
  for (int k = 0; k < plan.count; ++k) {
    const DistanceTable* tables[8];
    const int found = plan.phases[k]->Tables(tables);
    for (int t = 0; t < found && count < capacity; ++t) out[count++] = tables[t];
  }
  return count;
}

PhaseSolveStatus SolveWithPhases(int n, const int32_t* pattern, const SolveLimit& limit,
                                 PhaseAnswer* answer) {
  const double start = ReadSolveClock(limit);
  PhasePlan plan;
  if (!PlanFor(n, &plan)) return PhaseSolveStatus::kUnsupported;
  std::unique_ptr<BigState> shown(new BigState);
  if (!ReadPhasePattern(n, pattern, shown.get())) return PhaseSolveStatus::kUnsupported;
  // A pattern a few block turns from solved (or solved turned whole) gets its fewest.
  if (ShortPhaseAnswer(*shown, ReadSolveClock(limit) - start, answer)) return PhaseSolveStatus::kSolved;

  const TableResult tables = PreparePhaseTables(n);
  if (tables == TableResult::kNoMemory) return PhaseSolveStatus::kNoMemory;
  if (tables == TableResult::kCancelled) return PhaseSolveStatus::kCancelled;

  std::unique_ptr<SolvingPath> best(new SolvingPath);
  SearchBudget budget;
  budget.limit = &limit;
  if (limit.seconds > 0) budget.deadline = start + limit.seconds;
  RunPhases(plan, EffortFor(n, limit.seconds), *shown, budget, best.get());
  if (SolveCancelled(limit)) return PhaseSolveStatus::kCancelled;
  if (best->length == 0 || !SolvedUpToRotation(best->state)) return PhaseSolveStatus::kUnsupported;
  Assemble(plan, *best, answer);
  if (!PhaseAnswerReplays(*answer, *shown)) return PhaseSolveStatus::kUnsupported;
  CountPhaseAnswer(answer);
  answer->seconds = ReadSolveClock(limit) - start;
  return PhaseSolveStatus::kSolved;
}

void FillSolveResult(const PhaseAnswer& answer, SolveResult* result) {
  result->solved = true;
  result->size = answer.n;
  result->algCount = 0;
  result->rotationCount = 0;
  result->lengthBtm = answer.blockTurns;
  result->lengthQbtm = 0;
  result->optimal = false;
  for (int k = 0; k < answer.count && k < kMaxSolveMoves; ++k) {
    result->alg[result->algCount++] = answer.moves[k];
    result->lengthQbtm += QuarterBlockTurns(answer.moves[k], answer.n);
    if (IsRotation(answer.moves[k], answer.n)) ++result->rotationCount;
  }
  // The stages in the order the solver made them, the reverse of the answer's, which undoes them last
  // first; each with its block turns, and their spans in the answer.
  const int stages = answer.spanCount < kMaxSolveStages ? answer.spanCount : kMaxSolveStages;
  result->stageCount = stages;
  result->spanCount = stages;
  for (int s = 0; s < stages; ++s) {
    const PhaseAnswerSpan& span = answer.spans[s];
    SolveStage& stage = result->stages[stages - 1 - s];
    std::snprintf(stage.name, sizeof stage.name, "%s", span.name);
    stage.turns = 0;
    for (int k = span.begin; k < span.end; ++k) stage.turns += BlockTurns(answer.moves[k], answer.n);
    result->spans[s] = SolveSpan{stages - 1 - s, span.begin, span.end};
  }
  result->seconds = answer.seconds;
  result->nodes = 0;
}
