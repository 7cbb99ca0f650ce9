// A big cube finished as a 5×5×5: the view, the 5×5×5 solver's answer, its moves widened to the layers
// they stand for.
#include "solve/phase/bigger/five_finish.h"

#include <memory>

namespace {

// The big cube's layers (1 from the face) that a 5×5×5 layer stands for: its first and last.
int FirstLayer(int n, int layer) { return layer <= 3 ? layer : layer == 4 ? n - 1 : n; }
int LastLayer(int n, int layer) { return layer <= 2 ? layer : layer == 3 ? n - 2 : layer == 4 ? n - 1 : n; }

}  // namespace

void FiveView(const BigState& state, int32_t* pattern5) {
  const int n = state.n;
  const int at[5] = {0, 1, n / 2, n - 2, n - 1};
  LayerView(state, at, 5, pattern5);
}

PhaseSolveStatus FinishAsFive(BigState* state, const SolveLimit& limit, BigMoveList* list) {
  const int n = state->n;
  // A view no 5×5×5 can show (two middle pairs swapped, say) the solver refuses.
  CubeState pattern5 = {};
  FiveView(*state, pattern5);
  SolveLimit first = limit;
  first.seconds = 0;
  std::unique_ptr<PhaseAnswer> answer(new PhaseAnswer);
  const PhaseSolveStatus status = SolveWithPhases(5, pattern5, first, answer.get());
  if (status != PhaseSolveStatus::kSolved) return status;
  // The answer makes the view from solved; the way back is its moves undone, last first.
  for (int k = answer->count - 1; k >= 0; --k) {
    const BlockMove& move = answer->moves[k];
    const BlockMove wide =
        Block(move.face, FirstLayer(n, move.first), LastLayer(n, move.last), 4 - move.quarterTurns);
    if (!BigPush(state, list, wide)) return PhaseSolveStatus::kUnsupported;
  }
  return BigSolvedState(*state) ? PhaseSolveStatus::kSolved : PhaseSolveStatus::kUnsupported;
}
