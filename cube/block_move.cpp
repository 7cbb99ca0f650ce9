// Moves as data: applying, inverting, counting and spelling them in the standard notation.
#include "cube/block_move.h"

#include <cstdio>

void ApplyBlockMove(Cube& cube, const BlockMove& move) {
  TurnBlock(cube, move.face, move.first, move.last, move.quarterTurns);
}

void ApplyBlockMoves(Cube& cube, const BlockMove* moves, size_t count) {
  for (size_t k = 0; k < count; ++k) ApplyBlockMove(cube, moves[k]);
}

BlockMove InverseBlockMove(const BlockMove& move) {
  BlockMove inverse = move;
  inverse.quarterTurns = static_cast<int8_t>((4 - move.quarterTurns % 4) % 4);
  return inverse;
}

bool IsRotation(const BlockMove& move, int n) { return move.first == 1 && move.last == n; }

int FormatBlockMove(const BlockMove& move, int n, char* text) {
  static const char kFaces[] = "ULFRBD";
  static const char* const kAmounts[] = {"", "", "2", "'"};
  const int amount = ((move.quarterTurns % 4) + 4) % 4;
  if (IsRotation(move, n)) {
    // x turns like R, y like U, z like F; a rotation named from the far face turns the other way.
    static const char kAxes[] = "yxzxzy";
    static const bool kFar[] = {false, true, false, false, true, true};
    const int turned = kFar[move.face] ? (4 - amount) % 4 : amount;
    return std::snprintf(text, kMaxMoveText, "%c%s", kAxes[move.face], kAmounts[turned]);
  }
  const char face = kFaces[move.face];
  const char* suffix = kAmounts[amount];
  if (move.first == 1 && move.last == 1) return std::snprintf(text, kMaxMoveText, "%c%s", face, suffix);
  if (move.first == 1 && move.last == 2) return std::snprintf(text, kMaxMoveText, "%cw%s", face, suffix);
  if (move.first == 1) return std::snprintf(text, kMaxMoveText, "%d%cw%s", move.last, face, suffix);
  if (move.first == move.last) return std::snprintf(text, kMaxMoveText, "%d%c%s", move.first, face, suffix);
  return std::snprintf(text, kMaxMoveText, "%d-%d%cw%s", move.first, move.last, face, suffix);
}

int BlockTurns(const BlockMove& move, int n) {
  return IsRotation(move, n) || move.quarterTurns % 4 == 0 ? 0 : 1;
}

int QuarterBlockTurns(const BlockMove& move, int n) {
  return BlockTurns(move, n) * (((move.quarterTurns % 4) + 4) % 4 == 2 ? 2 : 1);
}

int OuterBlockTurns(const BlockMove& move, int n) {
  return BlockTurns(move, n) * (move.first == 1 || move.last == n ? 1 : 2);
}
