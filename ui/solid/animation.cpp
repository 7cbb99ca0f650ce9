// The solid cube's turns: noted while a command runs, then played on the platform's clock and timer.
#include "ui/solid/animation.h"

#include "ui/document.h"

namespace {

int64_t MoveMilliseconds(const BlockMove& move) {
  const int quarter = document.animation.quarterMilliseconds;
  return ((move.quarterTurns % 4) + 4) % 4 == 2 ? 2 * quarter : quarter;
}

}  // namespace

void NoteStart() {
  Animation& a = document.animation;
  a.start = document.cube;
  a.madeCount = 0;
}

void NoteMove(const BlockMove& move) {
  Animation& a = document.animation;
  if (a.madeCount <= kMaxAnimatedMoves) a.made[a.madeCount++] = move;
}

void NoteMoves(const BlockMove* moves, size_t count) {
  for (size_t k = 0; k < count && document.animation.madeCount <= kMaxAnimatedMoves; ++k) NoteMove(moves[k]);
}

void NoteNoAnimation() { document.animation.madeCount = kMaxAnimatedMoves + 1; }

void PlayNotedMoves(int quarterMilliseconds) {
  Animation& a = document.animation;
  const int count = a.madeCount;
  a.madeCount = 0;
  if (document.view.mode == kViewNet || count < 1 || count > kMaxAnimatedMoves) return;
  a.shown = a.start;
  for (int k = 0; k < count; ++k) a.moves[k] = a.made[k];
  a.count = count;
  a.index = 0;
  a.quarterMilliseconds = quarterMilliseconds < 1 ? 1 : quarterMilliseconds;
  a.moveStarted = platform->Milliseconds();
  a.active = platform->SetTimer(kFrameMilliseconds);
}

void FinishAnimation() {
  Animation& a = document.animation;
  if (!a.active) return;
  a.active = false;
  // The player's playing keeps the timer it shares.
  if (!document.player.controller.Playing()) platform->SetTimer(0);
}

bool AnimationFrame(const Cube** before, BlockMove* move, double* fraction) {
  const Animation& a = document.animation;
  if (!a.active) return false;
  *before = &a.shown;
  *move = a.moves[a.index];
  const double elapsed = static_cast<double>(platform->Milliseconds() - a.moveStarted);
  const double length = static_cast<double>(MoveMilliseconds(*move));
  *fraction = elapsed <= 0 ? 0 : elapsed >= length ? 1 : elapsed / length;
  return true;
}

bool AdvanceAnimation() {
  Animation& a = document.animation;
  if (!a.active) return false;
  const int64_t now = platform->Milliseconds();
  while (a.index < a.count && now - a.moveStarted >= MoveMilliseconds(a.moves[a.index])) {
    a.moveStarted += MoveMilliseconds(a.moves[a.index]);
    ApplyBlockMove(a.shown, a.moves[a.index++]);
  }
  if (a.index == a.count) FinishAnimation();
  return true;
}
