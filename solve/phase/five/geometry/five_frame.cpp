// Colours against the fixed centres, and searches run on a turned copy of the cube.
#include "solve/phase/five/geometry/five_frame.h"

#include <cstring>

#include "solve/phase/answer_moves.h"
#include "solve/phase/phase_geometry.h"
#include "study/facelet_map.h"

namespace {

FiveTurn MakeTurn(const BlockMove* moves, int count) {
  FiveTurn turn;
  turn.count = count;
  BlockMove back[3];
  for (int k = 0; k < count; ++k) {
    turn.moves[k] = moves[k];
    back[count - 1 - k] = InverseBlockMove(moves[k]);
  }
  turn.symmetry = count > 0 ? RotationSymmetry(kFive, moves, count) : 0;
  turn.undo = count > 0 ? RotationSymmetry(kFive, back, count) : 0;
  return turn;
}

}  // namespace

void FixedCentreColours(const BigState& state, BigState* out) {
  int8_t faceOf[6] = {0, 1, 2, 3, 4, 5};
  for (int face = 0; face < 6; ++face) {
    const int colour = state.cells[CellIndex(face, kFive / 2, kFive / 2)];
    if (colour >= 0 && colour < 6) faceOf[colour] = static_cast<int8_t>(face);
  }
  out->n = state.n;
  std::memset(out->cells, 0, sizeof out->cells);
  ForEachUsedCell(kFive, [&](int cell) {
    const int colour = state.cells[cell];
    out->cells[cell] = colour >= 0 && colour < 6 ? faceOf[colour] : static_cast<int8_t>(colour);
  });
}

const FiveTurn& AxisToFrontBack(int axis) {
  // x takes U to B and D to F; y takes L to B and R to F.
  static const BlockMove x = Block(R, 1, kFive, 1), y = Block(U, 1, kFive, 1);
  static const FiveTurn turns[3] = {MakeTurn(&x, 1), MakeTurn(&y, 1), MakeTurn(nullptr, 0)};
  return turns[axis];
}

const FiveTurn& UpDownToLeftRight() {
  static const BlockMove z = Block(F, 1, kFive, 1);
  static const FiveTurn turn = MakeTurn(&z, 1);
  return turn;
}

const FiveTurn& NoTurn() { return AxisToFrontBack(2); }

void TurnedCopy(const BigState& state, const FiveTurn& turn, BigState* out) {
  BigState turned = state;
  for (int k = 0; k < turn.count; ++k) BigApply(&turned, turn.moves[k]);
  FixedCentreColours(turned, out);
}

BlockMove IntoTurn(const FiveTurn& turn, const BlockMove& move) {
  if (turn.count == 0) return move;
  BlockMove seen = move;
  ConjugateMove(kFive, turn.symmetry, move, &seen);
  return seen;
}

BlockMove OutOfTurn(const FiveTurn& turn, const BlockMove& move) {
  if (turn.count == 0) return move;
  BlockMove seen = move;
  ConjugateMove(kFive, turn.undo, move, &seen);
  return seen;
}

bool TurnedFinds::Found(const BlockMove* moves, int count) {
  BlockMove back[kMaxPhaseDepth];
  for (int k = 0; k < count; ++k) back[k] = OutOfTurn(turn_, moves[k]);
  return out_.Found(back, count);
}
