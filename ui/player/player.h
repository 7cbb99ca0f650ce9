// The move player: a start pattern, a sequence of moves with their places in the text, and a position in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cube/block_move.h"
#include "cube/cube.h"
#include "files/text_place.h"
#include "ui/player/turn_cycles.h"

// The longest sequence the player takes; the standard notation expands to no more.
const int64_t kMaxPlayerMoves = 2000000;
// Moves between two kept patterns. A jump walks at most half of this from the nearer one, a few tenths
// of a millisecond at 10x10x10; the kept patterns of the longest sequence at that size take 2.3 MB, a
// tenth of what its moves and places take themselves.
const int64_t kPlayerSnapshotSpacing = 1024;

// Block turns (a whole-cube rotation counts nothing) and outer block turns of some of the moves.
struct MoveCounts {
  int64_t blockTurns;
  int64_t outerBlockTurns;
};

class Player {
 public:
  Player();

  // Takes the sequence from `start` at its size: every move a block of layers of that size, and either
  // no places or one for each move. Position 0 after it. False with the reason in words, the player
  // left as it was, for a longer sequence than kMaxPlayerMoves or one it cannot play.
  bool Open(const Cube& start, std::vector<BlockMove> moves, std::vector<TextPlace> places,
            std::string* reason);

  int Size() const { return cycles_.Size(); }
  const Cube& Start() const { return start_; }
  int64_t Length() const { return static_cast<int64_t>(moves_.size()); }
  int64_t Position() const { return position_; }
  const std::vector<BlockMove>& Moves() const { return moves_; }
  const std::vector<TextPlace>& Places() const { return places_; }

  // To any position (clamped to 0 to Length()): by single moves when that is the shorter way, else
  // from the nearer kept pattern.
  void Seek(int64_t position);
  // One move either way (back applies the inverse); false at the end or the start.
  bool StepForward();
  bool StepBack();

  // Moves applied since the sequence was opened, counted to show what stepping and jumping cost.
  int64_t MovesApplied() const { return applied_; }

  // The pattern at the position, in both copies of `cube`, at the sequence's size.
  void Pattern(Cube* cube) const;
  // The move at the position, the next one played; false at the end.
  bool NextMove(BlockMove* move) const;
  // Where the next move's token is in the text; false at the end or without places.
  bool NextPlace(TextPlace* place) const;
  // The cells of the layers the next move turns (the turned faces' own cells with an outer layer);
  // none at the end.
  CellMarks NextMoveCells() const;

  // The counts of the moves before `position`, and of them all.
  MoveCounts CountsBefore(int64_t position) const;
  MoveCounts Totals() const { return CountsBefore(Length()); }

  // The move whose token holds the text offset: the first from the position on, round to the start;
  // when the next move is one already, the one after it, so that asking again goes through a token's
  // every move. -1 when no token holds it.
  int64_t MoveAtTextOffset(uint64_t offset) const;

 private:
  int64_t SnapshotCount() const;
  void LoadSnapshot(int64_t index);
  void Walk(int64_t target);

  Cube start_;
  TurnCycles cycles_;
  std::vector<BlockMove> moves_;
  std::vector<TextPlace> places_;
  int64_t position_;
  int64_t applied_;
  std::vector<uint16_t> arrangement_;  // at position_
  // Pattern j is the arrangement at min(j × spacing, Length()); counts_[j] those of the moves before it.
  std::vector<uint16_t> snapshots_;
  std::vector<MoveCounts> counts_;
};
