// The cycles of every single-layer quarter turn, read off the model's turn of a cube that holds cell numbers.
#include "ui/player/turn_cycles.h"

namespace {

const Face kOpposite[] = {D, R, B, L, F, U};

}  // namespace

TurnCycles::TurnCycles(int n) : n_(n < 1 ? 1 : n > kMaxSize ? kMaxSize : n), begin_(6 * (kMaxSize + 2), 0) {
  const int cells = CellCount();
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n_; ++row)
      for (int column = 0; column < n_; ++column)
        storage_.push_back(static_cast<uint16_t>(CellIndex(face, row, column)));

  Cube cube;
  cube.size = static_cast<int16_t>(n_);
  std::vector<bool> seen(static_cast<size_t>(cells));
  for (int face = 0; face < 6; ++face) {
    for (int layer = 1; layer <= n_; ++layer) {
      begin_[static_cast<size_t>(face * (kMaxSize + 2) + layer)] = static_cast<uint32_t>(cycles_.size() / 4);
      for (int k = 0; k < cells; ++k) cube.live[StorageCell(k)] = cube.shadow[StorageCell(k)] = k;
      TurnBlock(cube, static_cast<Face>(face), static_cast<int16_t>(layer), static_cast<int16_t>(layer), 1);
      // Cell k now shows the facelet of cell from[k].
      std::vector<int> from(static_cast<size_t>(cells));
      for (int k = 0; k < cells; ++k) from[static_cast<size_t>(k)] = cube.live[StorageCell(k)];
      seen.assign(seen.size(), false);
      for (int k = 0; k < cells; ++k) {
        if (seen[static_cast<size_t>(k)] || from[static_cast<size_t>(k)] == k) continue;
        // A quarter turn moves every cell it moves round a cycle of four.
        int cell = k;
        for (int step = 0; step < 4; ++step) {
          seen[static_cast<size_t>(cell)] = true;
          cycles_.push_back(static_cast<uint16_t>(cell));
          cell = from[static_cast<size_t>(cell)];
        }
      }
    }
    begin_[static_cast<size_t>(face * (kMaxSize + 2) + n_ + 1)] = static_cast<uint32_t>(cycles_.size() / 4);
  }
}

void TurnCycles::Apply(const BlockMove& move, uint16_t* arrangement) const {
  const int turns = ((move.quarterTurns % 4) + 4) % 4;
  if (turns == 0) return;
  const uint16_t* cycle = cycles_.data() + 4 * Begin(move.face, move.first);
  const uint16_t* const end = cycles_.data() + 4 * Begin(move.face, move.last + 1);
  uint16_t* const a = arrangement;
  if (turns == 1) {
    for (; cycle != end; cycle += 4) {
      const uint16_t first = a[cycle[0]];
      a[cycle[0]] = a[cycle[1]];
      a[cycle[1]] = a[cycle[2]];
      a[cycle[2]] = a[cycle[3]];
      a[cycle[3]] = first;
    }
  } else if (turns == 2) {
    for (; cycle != end; cycle += 4) {
      const uint16_t first = a[cycle[0]], second = a[cycle[1]];
      a[cycle[0]] = a[cycle[2]];
      a[cycle[1]] = a[cycle[3]];
      a[cycle[2]] = first;
      a[cycle[3]] = second;
    }
  } else {
    for (; cycle != end; cycle += 4) {
      const uint16_t last = a[cycle[3]];
      a[cycle[3]] = a[cycle[2]];
      a[cycle[2]] = a[cycle[1]];
      a[cycle[1]] = a[cycle[0]];
      a[cycle[0]] = last;
    }
  }
}

void TurnCycles::MarkLayers(const BlockMove& move, CellMarks* marks) const {
  const uint16_t* cycle = cycles_.data() + 4 * Begin(move.face, move.first);
  const uint16_t* const end = cycles_.data() + 4 * Begin(move.face, move.last + 1);
  for (; cycle != end; ++cycle) marks->set(StorageCell(*cycle));
  // The middle of an odd face stays where it is, yet belongs to the turned face.
  if (n_ % 2 == 1) {
    const int middle = n_ / 2;
    if (move.first == 1) marks->set(CellIndex(move.face, middle, middle));
    if (move.last == n_) marks->set(CellIndex(kOpposite[move.face], middle, middle));
  }
}
