// The third phase's coordinates and distance tables. Its edges are read under a labelling: one wing
// of each edge marked, and each middle's twist taken against the mark, so that the goal is one
// position: the marked wings on the low places with every middle at 0, or (the same up to relabelling)
// on the high places with every middle at 1. The twelve twists are kept as the first eleven bits.
#pragma once

#include <cstdint>

#include "solve/phase/five/geometry/five_centres.h"
#include "solve/phase/five/geometry/five_symmetry.h"
#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"
#include "solve/phase/sym_classes.h"

const int kFlips = 2048;

struct OrientData {
  PhaseMoveSet moves;
  AxisCentreMoves centres;  // F-B's
  bool goalCentres[kAxisCentres];
  uint16_t flipMove[kFlips][kMaxPhaseMoves];
  MaskMoves wings;
  MaskRanker ranker;
  uint32_t low, high;
  // The symmetries the wing table is kept under: those that keep F-B (the low places to themselves or
  // to the high ones, then every mark moved to the other wing of its edge), each also followed by a
  // relabelling of every edge.
  int spatialCount;
  MaskSymmetry wingSymmetry[16];
  bool swapsLow[16];
  uint16_t flipConjugate[kFlips][32];
  int8_t inverse[32];
  SymClasses wingClasses;
  // How the search's moves carry the pieces, for the goal's last check.
  int8_t middleFrom[kMaxPhaseMoves][12], wingFrom[kMaxPhaseMoves][24];
};

// Built on first use; null when memory was refused.
const OrientData* OrientTables();
// The centre table, then (when asked for) the large wing table.
TableResult PrepareOrientTables(bool large);
const DistanceTable& OrientCentreTable();
const DistanceTable& OrientWingTable();

inline uint64_t OrientCentreIndex(int centres, int flip) {
  return static_cast<uint64_t>(centres) * kFlips + flip;
}
// The wing table's entry for the marked wings' places and the twists, and the symmetry that took it there.
uint64_t OrientWingIndex(const OrientData& d, uint32_t wings, int flip);
