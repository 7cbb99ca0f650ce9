// The player's controls: playing on a timer its caller runs, stepping, jumping, and the counts the window
// shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/player/player.h"

// Playing speeds, in moves a second.
const double kMinPlaySpeed = 0.5;
const double kMaxPlaySpeed = 20;
const double kDefaultPlaySpeed = 2;
// NextTickAt while nothing is playing.
const int64_t kNoTick = -1;

// What the window shows beside the net: the position of the length, and the counts of the moves
// played so far and of them all.
struct PlayerCounts {
  int64_t position;
  int64_t length;
  MoveCounts played;
  MoveCounts all;
};

// Calls no front end: times are milliseconds on any clock the caller keeps, given with each call that
// needs one; the caller runs a timer for NextTickAt and says Tick when it fires (a tick early or late
// does no harm: playing keeps to the speed from when it began). Every call that can move the position
// says whether the position, and so what is shown, changed. Stepping and jumping stop playing.
class PlayerController {
 public:
  // As Player::Open, then position 0, not playing.
  bool Open(const Cube& start, std::vector<BlockMove> moves, std::vector<TextPlace> places,
            std::string* reason);
  const Player& player() const { return player_; }

  int64_t Position() const { return player_.Position(); }
  int64_t Length() const { return player_.Length(); }
  bool Playing() const { return playing_; }
  double Speed() const { return static_cast<double>(milliSpeed_) / 1000; }
  PlayerCounts Counts() const;

  // Moves a second, held to kMinPlaySpeed to kMaxPlaySpeed; playing goes on at the new speed from now.
  void SetSpeed(double movesPerSecond, int64_t now);
  // From the start again when at the end; nothing to play, nothing happens.
  bool Play(int64_t now);
  void Pause() { playing_ = false; }
  bool TogglePlay(int64_t now);
  // The moves due by `now` while playing; playing stops at the end.
  bool Tick(int64_t now);
  // When the next move is due, or kNoTick.
  int64_t NextTickAt() const;

  bool StepForward();
  bool StepBack();
  bool GoToStart() { return JumpTo(0); }
  bool GoToEnd() { return JumpTo(Length()); }
  bool JumpTo(int64_t position);
  // To just before the move whose token holds the text offset (see Player::MoveAtTextOffset); false,
  // and nothing else, when no token holds it.
  bool JumpToTextOffset(uint64_t offset);

 private:
  // Playing: the position `anchorPosition_` at `anchorTime_`, one move more every 1000 / speed ms.
  void Anchor(int64_t now);

  Player player_;
  bool playing_ = false;
  int64_t milliSpeed_ = static_cast<int64_t>(kDefaultPlaySpeed * 1000);  // thousandths of a move a second
  int64_t anchorTime_ = 0;
  int64_t anchorPosition_ = 0;
};
