// What the 5×5×5 phases share about frames: colours read against the fixed middle centres (no phase
// turns a middle layer, so they stay put), whole-cube turns into the frame a phase searches in, and
// the moves a search finds there brought back as moves of the cube as it stands.
#pragma once

#include "solve/phase/phase.h"

const int kFive = 5;

// Axes by their first face: 0 U-D, 1 L-R, 2 F-B; a colour's axis is its face's.
inline int AxisOfFace(int face) { return face == U || face == D ? 0 : face == L || face == R ? 1 : 2; }

// The state with every colour renamed for the face whose middle centre shows it, so that a phase reads
// any orientation as if those centres were home.
void FixedCentreColours(const BigState& state, BigState* out);

// A whole-cube turn: its moves, and its symmetry and the inverse's (phase_geometry.h's numbering).
struct FiveTurn {
  int count;
  BlockMove moves[3];
  int symmetry, undo;
};
// The turn that brings an axis's faces to F and B (none for F-B itself).
const FiveTurn& AxisToFrontBack(int axis);
// The turn that brings U-D to L-R (z), and none.
const FiveTurn& UpDownToLeftRight();
const FiveTurn& NoTurn();

// The state after the turn, colours read against the fixed centres.
void TurnedCopy(const BigState& state, const FiveTurn& turn, BigState* out);
// The move as the turned cube sees it, and back.
BlockMove IntoTurn(const FiveTurn& turn, const BlockMove& move);
BlockMove OutOfTurn(const FiveTurn& turn, const BlockMove& move);

// Passes on ways found in a turned copy as moves of the cube as it stands.
class TurnedFinds : public PhaseFinds {
 public:
  TurnedFinds(const FiveTurn& turn, PhaseFinds& out) : turn_(turn), out_(out) {}
  bool Found(const BlockMove* moves, int count) override;

 private:
  const FiveTurn& turn_;
  PhaseFinds& out_;
};
