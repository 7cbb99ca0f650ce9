// The 5×5×5's centres once each pair of colours keeps to its own axis: per axis, which four of its
// eight x-centres and which four of its eight t-centres show the axis's first colour (U, L or F), as
// x * 70 + t; how moves and symmetries carry that; and the sets of them a list of moves reaches.
#pragma once

#include <cstdint>
#include <vector>

#include "solve/phase/five/geometry/five_frame.h"

const int kAxisCentres = 4900;

// The axis's centres in a state whose colours are read against the fixed centres; -1 when the axis does
// not hold four of its first colour in each orbit.
int AxisCentres(const BigState& fixedColours, int axis);

// How a list of moves carries an axis's centres (each move must keep the axis's centres on it).
class AxisCentreMoves {
 public:
  void Build(int axis, const BlockMove* moves, int count);
  int Next(int centres, int move) const { return x_[centres / 70][move] * 70 + t_[centres % 70][move]; }

 private:
  uint8_t x_[70][kMaxPhaseMoves], t_[70][kMaxPhaseMoves];
};

// What a symmetry (phase_geometry.h's numbering, mapping the axis to itself) makes of an axis's centres,
// colours renamed with the faces.
int ConjugateAxisCentres(int axis, int centres, int symmetry);

// The solved cube's value of an axis.
int SolvedAxisCentres(int axis);

// The state's cells under a symmetry, colours renamed with the faces: the same cube seen through it.
void ConjugateState(const BigState& state, int symmetry, BigState* out);

// Every value of a tuple of axes' centres the moves reach from the solved cube, each tuple as its
// values' mixed-radix number (first axis most significant); breadth first, sorted.
std::vector<uint64_t> ReachedCentres(const int* axes, int axisCount, const BlockMove* moves, int count);
