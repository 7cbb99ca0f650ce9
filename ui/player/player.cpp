// The move player: kept patterns every so many moves, single moves either way between them.
#include "ui/player/player.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

bool IsBlockOf(const BlockMove& move, int n) {
  return move.face >= U && move.face <= D && move.first >= 1 && move.first <= move.last && move.last <= n;
}

MoveCounts Plus(MoveCounts counts, const BlockMove& move, int n) {
  counts.blockTurns += BlockTurns(move, n);
  counts.outerBlockTurns += OuterBlockTurns(move, n);
  return counts;
}

// The reason in words; a format may use only the first number.
std::string Words(const char* format, long long first, long long second) {
  char text[160];
  std::snprintf(text, sizeof text, format, first, second);
  return text;
}

}  // namespace

Player::Player() : position_(0), applied_(0) {
  start_.size = 1;
  MakeSolved(start_, 1);
  Open(start_, {}, {}, nullptr);
}

bool Player::Open(const Cube& start, std::vector<BlockMove> moves, std::vector<TextPlace> places,
                  std::string* reason) {
  const int n = start.size;
  std::string refused;
  if (n < 1 || n > kMaxSize) {
    refused = Words("There is no cube of size %lld.", n, 0);
  } else if (static_cast<int64_t>(moves.size()) > kMaxPlayerMoves) {
    refused = Words("The sequence has %lld moves; at most %lld can be played.",
                    static_cast<long long>(moves.size()), kMaxPlayerMoves);
  } else if (!places.empty() && places.size() != moves.size()) {
    refused = Words("The sequence has %lld moves but %lld places in its text.",
                    static_cast<long long>(moves.size()), static_cast<long long>(places.size()));
  } else {
    for (size_t k = 0; k < moves.size() && refused.empty(); ++k)
      if (!IsBlockOf(moves[k], n))
        refused = Words("Move %lld of the sequence is no block of layers of a cube of size %lld.",
                        static_cast<long long>(k + 1), n);
  }
  if (!refused.empty()) {
    if (reason != nullptr) *reason = refused;
    return false;
  }

  start_ = start;
  if (cycles_.Size() != n) cycles_ = TurnCycles(n);
  moves_ = std::move(moves);
  places_ = std::move(places);
  const int cells = cycles_.CellCount();
  arrangement_.resize(static_cast<size_t>(cells));
  for (int k = 0; k < cells; ++k) arrangement_[static_cast<size_t>(k)] = static_cast<uint16_t>(k);
  const int64_t count = SnapshotCount();
  snapshots_.assign(static_cast<size_t>(count * cells), 0);
  snapshots_.shrink_to_fit();
  counts_.assign(static_cast<size_t>(count), MoveCounts{0, 0});
  counts_.shrink_to_fit();

  MoveCounts counted = {0, 0};
  int64_t next = 0;
  const int64_t length = Length();
  for (int64_t at = 0;; ++at) {
    if (at == std::min(next * kPlayerSnapshotSpacing, length)) {
      std::memcpy(&snapshots_[static_cast<size_t>(next * cells)], arrangement_.data(),
                  static_cast<size_t>(cells) * sizeof(uint16_t));
      counts_[static_cast<size_t>(next)] = counted;
      ++next;
    }
    if (at == length) break;
    const BlockMove& move = moves_[static_cast<size_t>(at)];
    cycles_.Apply(move, arrangement_.data());
    counted = Plus(counted, move, n);
  }
  LoadSnapshot(0);
  applied_ = 0;
  return true;
}

int64_t Player::SnapshotCount() const {
  return (Length() + kPlayerSnapshotSpacing - 1) / kPlayerSnapshotSpacing + 1;
}

void Player::LoadSnapshot(int64_t index) {
  const size_t cells = arrangement_.size();
  std::memcpy(arrangement_.data(), &snapshots_[static_cast<size_t>(index) * cells], cells * sizeof(uint16_t));
  position_ = std::min(index * kPlayerSnapshotSpacing, Length());
}

void Player::Walk(int64_t target) {
  applied_ += target > position_ ? target - position_ : position_ - target;
  while (position_ < target) cycles_.Apply(moves_[static_cast<size_t>(position_++)], arrangement_.data());
  while (position_ > target)
    cycles_.Apply(InverseBlockMove(moves_[static_cast<size_t>(--position_)]), arrangement_.data());
}

void Player::Seek(int64_t position) {
  const int64_t target = std::max<int64_t>(0, std::min(position, Length()));
  const int64_t lower = target / kPlayerSnapshotSpacing;
  const int64_t fromHere = target > position_ ? target - position_ : position_ - target;
  const int64_t fromLower = target - lower * kPlayerSnapshotSpacing;
  // The kept pattern after the target is the end's when no whole spacing is left.
  const bool upperKept = lower + 1 < SnapshotCount();
  const int64_t fromUpper =
      upperKept ? std::min((lower + 1) * kPlayerSnapshotSpacing, Length()) - target : fromHere + 1;
  if (fromLower < fromHere && fromLower <= fromUpper)
    LoadSnapshot(lower);
  else if (fromUpper < fromHere)
    LoadSnapshot(lower + 1);
  Walk(target);
}

bool Player::StepForward() {
  if (position_ == Length()) return false;
  Walk(position_ + 1);
  return true;
}

bool Player::StepBack() {
  if (position_ == 0) return false;
  Walk(position_ - 1);
  return true;
}

void Player::Pattern(Cube* cube) const {
  *cube = start_;
  const int cells = cycles_.CellCount();
  for (int k = 0; k < cells; ++k) {
    const int cell = cycles_.StorageCell(k);
    cube->live[cell] = cube->shadow[cell] =
        start_.live[cycles_.StorageCell(arrangement_[static_cast<size_t>(k)])];
  }
}

bool Player::NextMove(BlockMove* move) const {
  if (position_ == Length()) return false;
  *move = moves_[static_cast<size_t>(position_)];
  return true;
}

bool Player::NextPlace(TextPlace* place) const {
  if (position_ == Length() || places_.empty()) return false;
  *place = places_[static_cast<size_t>(position_)];
  return true;
}

CellMarks Player::NextMoveCells() const {
  CellMarks marks;
  BlockMove move;
  if (NextMove(&move)) cycles_.MarkLayers(move, &marks);
  return marks;
}

MoveCounts Player::CountsBefore(int64_t position) const {
  const int64_t target = std::max<int64_t>(0, std::min(position, Length()));
  const int64_t lower = target / kPlayerSnapshotSpacing;
  MoveCounts counts = counts_[static_cast<size_t>(lower)];
  for (int64_t k = lower * kPlayerSnapshotSpacing; k < target; ++k)
    counts = Plus(counts, moves_[static_cast<size_t>(k)], Size());
  return counts;
}

int64_t Player::MoveAtTextOffset(uint64_t offset) const {
  const int64_t length = static_cast<int64_t>(places_.size());
  if (length == 0) return -1;
  int64_t from = position_;
  if (from < length && PlaceHolds(places_[static_cast<size_t>(from)], offset)) ++from;
  for (int64_t k = 0; k < length; ++k) {
    const int64_t at = (from + k) % length;
    if (PlaceHolds(places_[static_cast<size_t>(at)], offset)) return at;
  }
  return -1;
}
