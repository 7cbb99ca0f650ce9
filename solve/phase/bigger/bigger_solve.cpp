// The 6×6×6 to 10×10×10 front door: each way (a symmetry the pattern is seen through, and how its
// centres start) run through the stages, put in the answer's shape and measured whole; the shortest
// kept.
#include "solve/phase/bigger/bigger_solve.h"

#include <cstring>
#include <memory>
#include <thread>

#include "solve/phase/answer_moves.h"
#include "solve/phase/bigger/bigger_stages.h"
#include "solve/phase/centres/centre_tables.h"
#include "solve/phase/phase_geometry.h"
#include "study/facelet_map.h"

namespace {

// The inverse of a symmetry: the one that takes every face back.
int InverseSymmetry(int n, int symmetry) {
  for (int t = 0; t < kSymmetries; ++t) {
    bool back = true;
    for (int face = 0; face < 6 && back; ++face)
      back = SymmetryFace(n, t, SymmetryFace(n, symmetry, face)) == face;
    if (back) return t;
  }
  return 0;
}

// The pattern seen through the symmetry: cells carried and colours renamed alike, so that solved stays
// solved and each answer's moves come back through the inverse.
void SeeThrough(const BigState& from, int symmetry, BigState* to) {
  const int n = from.n;
  const int16_t* source = SymmetrySources(n, symmetry);
  to->n = n;
  std::memset(to->cells, 0, sizeof to->cells);
  int colour[6];
  for (int face = 0; face < 6; ++face) colour[face] = SymmetryFace(n, symmetry, face);
  ForEachUsedCell(n,
                  [&](int cell) { to->cells[cell] = static_cast<int8_t>(colour[from.cells[source[cell]]]); });
}

// The ways tried, in order: the pattern as it is with its centres by commutators, then through each
// other symmetry; on the smaller sizes (where it is quick and sometimes shorter) every other way starts
// its centres with the staged search, when its tables are there.
struct Way {
  int symmetry;
  bool staged;
};

Way WayOf(int index, bool staging) {
  if (!staging) return Way{index % kSymmetries, false};
  return Way{(index / 2) % kSymmetries, index % 2 == 1};
}

bool StagingHelps(int n) { return n <= 7; }

// How far out the rings of x- and t-centres are searched before the commutators: the inner rings'
// searches save turns (most where the middle is a 5×5×5's centres), while the outer x-centres cost the
// commutators less than the searches, and at 6×6×6 the one ring costs more than it saves.
int RingsFor(int n) {
  static const int8_t kRings[kMaxSize + 1] = {0, 0, 0, 0, 0, 0, 0, 2, 3, 2, 3};
  return kRings[n];
}

// How far the edge steps look ahead: each step weighed with the best after it costs a few times the
// steps' time, which the largest size cannot spare for its first answer.
int LookaheadFor(int n) { return n <= 8 ? 3 : n == 9 ? 2 : 0; }

// The late centre steps' commutators over layers not adjacent: on the largest sizes the centres left
// lie scattered over many layers, and the shorter centres outweigh the ways the time no longer allows;
// on the smaller ones the ways win.
bool ScatteredHelps(int n) { return n >= 10; }

// The beams at each size: how many positions the centres' beam keeps for each number of turns, how many
// of its ways to the centres go on through the edges (whose length varies most from one to the next),
// and how many positions the edges' beam keeps. Set so that the first answer takes two to four
// seconds in the median on two cores here; the steps' search grows with the size. Wider still bought
// little: at 9×9×9, half as wide again saved two turns in 757 for a second more; at 7×7×7, 80
// positions saved a turn and a half for a median past three seconds, where 12 ways saved two.
struct BeamSize {
  int width, ends, edgeWidth;
};
const BeamSize& BeamFor(int n) {
  static const BeamSize kBeams[kMaxSize + 1] = {{},         {},          {},         {},        {},       {},
                                                {48, 8, 4}, {48, 12, 4}, {32, 4, 4}, {8, 4, 4}, {2, 4, 2}};
  return kBeams[n];
}

// Two threads where the machine has two cores or more: the beams' widths are set for that.
int BeamThreads() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores >= 2 ? 2 : 1;
}

}  // namespace

bool BiggerSolverFor(int n) { return n >= 6 && n <= kMaxSize; }

TableResult PrepareBiggerTables() {
  const TableResult five = PreparePhaseTables(5);
  if (five == TableResult::kCancelled) return five;
  return PrepareCentreTables();
}

int BiggerTablesOf(const DistanceTable** out, int capacity) {
  const int five = PhaseTablesOf(5, out, capacity);
  return five + CentreTables(out + five, capacity - five);
}

PhaseSolveStatus SolveBiggerWithPhases(int n, const int32_t* pattern, const SolveLimit& limit,
                                       PhaseAnswer* answer) {
  const double start = ReadSolveClock(limit);
  if (!BiggerSolverFor(n)) return PhaseSolveStatus::kUnsupported;
  std::unique_ptr<BigState> shown(new BigState);
  if (!ReadPhasePattern(n, pattern, shown.get())) return PhaseSolveStatus::kUnsupported;
  // A pattern a few block turns from solved (or solved turned whole) gets its fewest.
  if (ShortPhaseAnswer(*shown, ReadSolveClock(limit) - start, answer)) return PhaseSolveStatus::kSolved;

  // The centre stages' tables serve the rings from the start, and the staged centres as one more way
  // to try once the first answer is in and time is left. Without them the commutators place every
  // centre.
  const TableResult tables = PrepareCentreTables();
  if (tables == TableResult::kCancelled) return PhaseSolveStatus::kCancelled;
  const bool staging = limit.seconds > 0 && StagingHelps(n) && tables == TableResult::kReady;

  // The 5×5×5 solver finishes each way where its tables can be had.
  const TableResult five = PreparePhaseTables(5);
  if (five == TableResult::kCancelled) return PhaseSolveStatus::kCancelled;
  std::unique_ptr<PhaseAnswer> trial(new PhaseAnswer);
  std::unique_ptr<BigState> seen(new BigState);
  bool found = false;
  const double deadline = start + limit.seconds;
  double slowest = 0;  // the longest a way has taken: none is begun that would end past the limit
  for (int index = 0; index < 2 * kSymmetries; ++index) {
    const double now = ReadSolveClock(limit);
    if (found && (limit.seconds <= 0 || now + slowest >= deadline)) break;
    const Way way = WayOf(index, staging);
    SeeThrough(*shown, way.symmetry, seen.get());
    StageOptions options;
    options.stagedCentres = way.staged;
    options.ringsTo = tables == TableResult::kReady ? RingsFor(n) : 0;
    options.lookahead = LookaheadFor(n);
    options.scatteredCentres = ScatteredHelps(n);
    options.centreWidth = BeamFor(n).width;
    options.centreEnds = BeamFor(n).ends;
    options.edgeWidth = BeamFor(n).edgeWidth;
    options.threads = BeamThreads();
    options.finishAsFive = five == TableResult::kReady;
    const StageResult result = RunBiggerStages(*seen, options, limit, trial.get());
    const double took = ReadSolveClock(limit) - now;
    if (took > slowest) slowest = took;
    if (result == StageResult::kCancelled) return PhaseSolveStatus::kCancelled;
    if (result != StageResult::kSolved) continue;
    // The moves seen back through the inverse symmetry.
    const int back = InverseSymmetry(n, way.symmetry);
    for (int k = 0; k < trial->count; ++k) ConjugateMove(n, back, trial->moves[k], &trial->moves[k]);
    if (!PhaseAnswerReplays(*trial, *shown)) continue;
    CountPhaseAnswer(trial.get());
    if (!found || trial->outerBlockTurns < answer->outerBlockTurns) {
      std::memcpy(answer, trial.get(), sizeof *answer);
      found = true;
    }
  }
  if (SolveCancelled(limit)) return PhaseSolveStatus::kCancelled;
  if (!found) return PhaseSolveStatus::kUnsupported;
  answer->seconds = ReadSolveClock(limit) - start;
  return PhaseSolveStatus::kSolved;
}
