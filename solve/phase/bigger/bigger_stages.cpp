// One way through a big cube's stages, the moves tagged by stage and turned round into the answer.
#include "solve/phase/bigger/bigger_stages.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "solve/phase/answer_moves.h"
#include "solve/phase/bigger/five_finish.h"
#include "solve/phase/centres/centre_beam.h"
#include "solve/phase/centres/centre_rings.h"
#include "study/facelet_map.h"

namespace {

enum Stage { kCentres, kWingParity, kEdges, kSwapParity, kThree, kFive, kStages };
const char* const kStageNames[kStages] = {"centres", "wing parity", "edges", "parity", "3x3x3", "5x5x5"};
const int kAttempts = 4;

// How well the pattern fits the home orientation: odd sizes need their fixed centres home; even sizes
// take the one that leaves most centres home.
int HomeScore(const BigState& state) {
  const int n = state.n;
  int score = 1;
  for (int face = 0; face < 6; ++face)
    for (int row = 1; row + 1 < n; ++row)
      for (int column = 1; column + 1 < n; ++column) {
        const bool home = state.cells[CellIndex(face, row, column)] == face;
        if (n % 2 == 1 && row == n / 2 && column == n / 2 && !home) return 0;
        score += home;
      }
  return score;
}

struct Tagged {
  BigMoveList list;
  int ends[kStages];
};

bool Push(BigState* state, Tagged* path, const BlockMove& move) { return BigPush(state, &path->list, move); }

StageResult CentreEnds(const StageOptions& options, const SolveLimit& limit, BigState* state, Tagged* path);
StageResult AfterCentres(const StageOptions& options, const SolveLimit& limit, BigState* state, Tagged* path);

StageResult Attempt(const BigState& start, const StageOptions& options, const SolveLimit& limit, int attempt,
                    BigState* state, Tagged* path) {
  const int n = start.n;
  *state = start;
  path->list.count = 0;
  // The home orientation first (a rotation, counting nothing).
  const BigRotation* rotations = BigRotations(n);
  int chosen = -1, bestScore = 0;
  for (int r = 0; r < 24; ++r) {
    BigState turned;
    UndoRotation(*state, rotations[r], &turned);
    const int score = HomeScore(turned);
    if (score > bestScore) chosen = r, bestScore = score;
  }
  if (chosen < 0) return StageResult::kFailed;
  for (int k = rotations[chosen].count - 1; k >= 0; --k)
    if (!Push(state, path, InverseBlockMove(rotations[chosen].moves[k]))) return StageResult::kFailed;
  // A stage that stalls is met again on another path: a different first slice turn.
  if (attempt > 0 && !Push(state, path, Block(attempt % 3 * 2, 2, n - 1, attempt / 3 + 1)))
    return StageResult::kFailed;

  if (options.stagedCentres) {
    CentreEffort effort;
    effort.width = 300;
    effort.ways = 1;
    const std::vector<CentreWay> ways = RunCentreStage(0, {*state}, effort, &limit);
    if (SolveCancelled(limit)) return StageResult::kCancelled;
    if (!ways.empty())
      for (const BlockMove& move : ways.front().moves)
        if (!Push(state, path, move)) return StageResult::kFailed;
  }
  if (options.ringsTo > 0) {
    std::vector<BlockMove> rings;
    if (!SolveCentreRings(*state, options.ringsTo, &limit, &rings)) return StageResult::kCancelled;
    for (const BlockMove& move : rings)
      if (!Push(state, path, move)) return StageResult::kFailed;
  }
  if (options.centreWidth > 0) return CentreEnds(options, limit, state, path);
  if (!SolveBigCentresOuter(state, &path->list, options.lookahead, options.scatteredCentres))
    return StageResult::kFailed;
  return AfterCentres(options, limit, state, path);
}

// Each of the beam's ways to the centres taken on through the stages after; the shortest whole kept.
StageResult CentreEnds(const StageOptions& options, const SolveLimit& limit, BigState* state, Tagged* path) {
  const CentreBeam beam{options.centreWidth, options.centreBranch, options.scatteredCentres,
                        options.centreEnds,  options.centreSlack,  &limit,
                        options.threads,     options.finishAsFive};
  const BlockMove* before = path->list.count > 0 ? &path->list.moves[path->list.count - 1] : nullptr;
  const std::vector<std::vector<BlockMove>> ends = CentreBeamEnds(*state, before, beam);
  if (SolveCancelled(limit)) return StageResult::kCancelled;
  // Each way taken on by itself (shared out between the threads), then the shortest kept; ties go to
  // the earlier way, so the answer is the same whatever the threads.
  const BigState start = *state;
  const size_t count = ends.size();
  std::vector<std::unique_ptr<Tagged>> trials(count);
  std::vector<BigState> reached(count, start);
  std::vector<StageResult> results(count, StageResult::kFailed);
  auto run = [&](size_t from, size_t stride) {
    for (size_t k = from; k < count; k += stride) {
      trials[k].reset(new Tagged);
      std::memcpy(trials[k].get(), path, sizeof *path);
      bool pushed = true;
      for (const BlockMove& move : ends[k]) pushed = pushed && Push(&reached[k], trials[k].get(), move);
      if (pushed) results[k] = AfterCentres(options, limit, &reached[k], trials[k].get());
    }
  };
  const size_t threads = static_cast<size_t>(std::max(1, options.threads));
  std::vector<std::thread> helpers;
  for (size_t t = 1; t < threads && t < count; ++t) helpers.emplace_back(run, t, threads);
  run(0, threads);
  for (std::thread& helper : helpers) helper.join();
  int bestTurns = -1;
  size_t best = 0;
  for (size_t k = 0; k < count; ++k) {
    if (results[k] == StageResult::kCancelled) return StageResult::kCancelled;
    if (results[k] != StageResult::kSolved) continue;
    const int turns = OuterBlockTurns(trials[k]->list.moves, trials[k]->list.count, start.n);
    if (bestTurns >= 0 && turns >= bestTurns) continue;
    bestTurns = turns;
    best = k;
  }
  if (bestTurns < 0) return StageResult::kFailed;
  std::memcpy(path, trials[best].get(), sizeof *path);
  *state = reached[best];
  return StageResult::kSolved;
}

// The stages after the centres.
StageResult AfterCentres(const StageOptions& options, const SolveLimit& limit, BigState* state,
                         Tagged* path) {
  for (int stage = kCentres; stage < kStages; ++stage) path->ends[stage] = path->list.count;
  // Each stage's moves kept apart from the last stage's: a first move merged into the one before would
  // move where that stage ends, and its goal would no longer hold there.
  std::unique_ptr<BigMoveList> part(new BigMoveList);
  auto run = [&](int stage, auto solve) {
    part->count = 0;
    if (!solve(part.get())) return false;
    for (int k = 0; k < part->count; ++k) {
      if (path->list.count == kMaxSolveMoves) return false;
      path->list.moves[path->list.count++] = part->moves[k];
    }
    // A stage this way skips ends where the one before it did.
    for (int later = stage; later < kStages; ++later) path->ends[later] = path->list.count;
    return true;
  };
  if (SolveCancelled(limit)) return StageResult::kCancelled;
  if (!run(kWingParity,
           [&](BigMoveList* list) { return FixWingParity(state, list, true, options.finishAsFive); }))
    return StageResult::kFailed;
  const EdgeBeam edgeBeam{options.edgeWidth, options.edgeBranch, &limit, options.finishAsFive};
  if (!run(kEdges, [&](BigMoveList* list) {
        return options.edgeWidth > 0 || options.finishAsFive
                   ? PairBigEdgesBeam(state, list, edgeBeam)
                   : PairBigEdgesOuter(state, list, options.lookahead);
      })) {
    if (SolveCancelled(limit)) return StageResult::kCancelled;
    return StageResult::kFailed;
  }
  if (SolveCancelled(limit)) return StageResult::kCancelled;
  if (options.finishAsFive) {
    if (!run(kSwapParity, [&](BigMoveList* list) { return FixMiddleSwap(state, list); }))
      return StageResult::kFailed;
    PhaseSolveStatus status = PhaseSolveStatus::kUnsupported;
    run(kFive, [&](BigMoveList* list) {
      status = FinishAsFive(state, limit, list);
      return status == PhaseSolveStatus::kSolved;
    });
    if (status == PhaseSolveStatus::kCancelled) return StageResult::kCancelled;
    return status == PhaseSolveStatus::kSolved ? StageResult::kSolved : StageResult::kFailed;
  }
  if (!run(kSwapParity, [&](BigMoveList* list) { return FixSwapParity(state, list); }))
    return StageResult::kFailed;
  SolveLimit first = limit;
  first.seconds = 0;
  if (!run(kThree,
           [&](BigMoveList* list) { return FinishAsThree(state, first, ReadSolveClock(first), list); }))
    return StageResult::kFailed;
  return BigSolvedState(*state) ? StageResult::kSolved : StageResult::kFailed;
}

// The path turned into the answer: reversed and undone, rotations last, runs merged, spans read from
// each move's stage.
void Assemble(int n, const Tagged& path, PhaseAnswer* answer) {
  std::vector<BlockMove> moves(static_cast<size_t>(path.list.count) + 8);
  std::vector<int8_t> tags(moves.size());
  int count = 0;
  for (int k = path.list.count - 1; k >= 0; --k) {
    int stage = 0;
    while (stage + 1 < kStages && k >= path.ends[stage]) ++stage;
    moves[static_cast<size_t>(count)] = InverseBlockMove(path.list.moves[k]);
    tags[static_cast<size_t>(count++)] = static_cast<int8_t>(stage);
  }
  count = RotationsLast(n, moves.data(), tags.data(), count);
  // Runs merged within each stage only, so that every stage's goal holds where its span ends.
  int written = 0;
  for (int begin = 0; begin < count;) {
    int end = begin;
    while (end < count && tags[static_cast<size_t>(end)] == tags[static_cast<size_t>(begin)]) ++end;
    const int8_t tag = tags[static_cast<size_t>(begin)];
    std::memmove(&moves[static_cast<size_t>(written)], &moves[static_cast<size_t>(begin)],
                 sizeof(BlockMove) * static_cast<size_t>(end - begin));
    const int kept = MergeRuns(n, &moves[static_cast<size_t>(written)], nullptr, end - begin);
    for (int k = written; k < written + kept; ++k) tags[static_cast<size_t>(k)] = tag;
    written += kept;
    begin = end;
  }
  count = written;
  answer->n = n;
  answer->count = 0;
  for (int k = 0; k < count && k < kMaxPhaseAnswer; ++k)
    answer->moves[answer->count++] = moves[static_cast<size_t>(k)];
  // Spans in the answer's order: the last stage's moves come first.
  answer->spanCount = 0;
  for (int stage = kStages - 1; stage >= 0 && answer->spanCount < kMaxAnswerSpans; --stage) {
    PhaseAnswerSpan span{kStageNames[stage], -1, -1};
    for (int k = 0; k < answer->count; ++k)
      if (tags[static_cast<size_t>(k)] == stage) {
        if (span.begin < 0) span.begin = k;
        span.end = k + 1;
      }
    if (span.begin < 0) continue;
    answer->spans[answer->spanCount++] = span;
  }
}

}  // namespace

StageResult RunBiggerStages(const BigState& state, const StageOptions& options, const SolveLimit& limit,
                            PhaseAnswer* answer) {
  std::unique_ptr<BigState> working(new BigState);
  std::unique_ptr<Tagged> path(new Tagged);
  // Should the 5×5×5 finish fail on every path, the edges are paired whole instead.
  for (int attempt = 0; attempt < 2 * kAttempts; ++attempt) {
    if (attempt >= kAttempts && !options.finishAsFive) break;
    StageOptions tried = options;
    tried.finishAsFive = options.finishAsFive && attempt < kAttempts;
    const StageResult result = Attempt(state, tried, limit, attempt % kAttempts, working.get(), path.get());
    if (result == StageResult::kCancelled) return result;
    if (result != StageResult::kSolved) continue;
    Assemble(state.n, *path, answer);
    return StageResult::kSolved;
  }
  return StageResult::kFailed;
}
