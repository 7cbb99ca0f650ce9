// Block turns as 4-cycles over an arrangement of the used cells, taken once from the model's own turns.
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

#include "cube/block_move.h"
#include "cube/cube.h"

typedef std::bitset<kCellCount> CellMarks;

// The used cells of size n numbered 0 to 6n² − 1, face by face and row by row. An arrangement says, for
// each used cell, which cell of the start its facelet came from; a turn permutes it by cycles of four
// (every cell a quarter turn moves is in one), so a turn costs a few loads and stores per moved cell
// and never the whole cube.
class TurnCycles {
 public:
  explicit TurnCycles(int n = 1);  // 1 to kMaxSize

  int Size() const { return n_; }
  int CellCount() const { return 6 * n_ * n_; }
  // The CubeState index of used cell k.
  int StorageCell(int k) const { return storage_[static_cast<size_t>(k)]; }

  // Turns the arrangement by the move (a block of this size; any count of quarter turns).
  void Apply(const BlockMove& move, uint16_t* arrangement) const;
  // Adds to `marks` (by CubeState index) the cells of the layers first to last of the move's face,
  // the whole turned face with them when the block holds an outer layer.
  void MarkLayers(const BlockMove& move, CellMarks* marks) const;

 private:
  // The cycles of layers first to last: layer d (1 to n) holds cycles begin_[face][d] to
  // begin_[face][d + 1] − 1, its face's own first and the far face's last.
  size_t Begin(int face, int layer) const {
    return begin_[static_cast<size_t>(face * (kMaxSize + 2) + layer)];
  }

  int n_;
  std::vector<uint16_t> storage_;
  std::vector<uint16_t> cycles_;  // four cells a cycle: cell k0 takes k1's facelet, k1 takes k2's, ...
  std::vector<uint32_t> begin_;
};
