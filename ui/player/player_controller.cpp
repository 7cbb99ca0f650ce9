// The player's controls: positions due by the time given, computed in whole numbers so that no tick is lost.
#include "ui/player/player_controller.h"

#include <cmath>
#include <utility>

namespace {

const int64_t kMillisecondsTimesThousandths = 1000 * 1000;

}  // namespace

bool PlayerController::Open(const Cube& start, std::vector<BlockMove> moves, std::vector<TextPlace> places,
                            std::string* reason) {
  if (!player_.Open(start, std::move(moves), std::move(places), reason)) return false;
  playing_ = false;
  return true;
}

PlayerCounts PlayerController::Counts() const {
  return {Position(), Length(), player_.CountsBefore(Position()), player_.Totals()};
}

void PlayerController::Anchor(int64_t now) {
  anchorTime_ = now;
  anchorPosition_ = Position();
}

void PlayerController::SetSpeed(double movesPerSecond, int64_t now) {
  if (!(movesPerSecond >= kMinPlaySpeed)) movesPerSecond = kMinPlaySpeed;  // NaN too
  if (movesPerSecond > kMaxPlaySpeed) movesPerSecond = kMaxPlaySpeed;
  milliSpeed_ = std::llround(movesPerSecond * 1000);
  if (playing_) Anchor(now);
}

bool PlayerController::Play(int64_t now) {
  if (playing_ || Length() == 0) return false;
  bool changed = false;
  if (Position() == Length()) {
    player_.Seek(0);
    changed = true;
  }
  playing_ = true;
  Anchor(now);
  return changed;
}

bool PlayerController::TogglePlay(int64_t now) {
  if (!playing_) return Play(now);
  Pause();
  return false;
}

bool PlayerController::Tick(int64_t now) {
  if (!playing_) return false;
  const int64_t elapsed = now > anchorTime_ ? now - anchorTime_ : 0;
  int64_t due = anchorPosition_ + elapsed * milliSpeed_ / kMillisecondsTimesThousandths;
  if (due > Length()) due = Length();
  const bool changed = due > Position();
  if (changed) player_.Seek(due);
  if (Position() == Length()) playing_ = false;
  return changed;
}

int64_t PlayerController::NextTickAt() const {
  if (!playing_) return kNoTick;
  // The first whole millisecond by which the next move is due.
  const int64_t moves = Position() + 1 - anchorPosition_;
  return anchorTime_ + (moves * kMillisecondsTimesThousandths + milliSpeed_ - 1) / milliSpeed_;
}

bool PlayerController::StepForward() {
  playing_ = false;
  return player_.StepForward();
}

bool PlayerController::StepBack() {
  playing_ = false;
  return player_.StepBack();
}

bool PlayerController::JumpTo(int64_t position) {
  playing_ = false;
  const int64_t before = Position();
  player_.Seek(position);
  return Position() != before;
}

bool PlayerController::JumpToTextOffset(uint64_t offset) {
  const int64_t move = player_.MoveAtTextOffset(offset);
  if (move < 0) return false;
  return JumpTo(move);
}
