// Centre orbits at any size: their places, the small cube each one maps onto (a 4×4×4's x-centres,
// a 5×5×5's t-centres, a 6×6×6's obliques of either hand), and each wide turn of the size seen as one
// of that small cube's turns, so that one table per kind serves every size.
#pragma once

#include <cstdint>

#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_geometry.h"

enum CentreKind : int8_t { kXCentres, kTCentres, kObliqueLeft, kObliqueRight, kCentreKinds };

const int kMaxCentreOrbits = (kMaxSize - 2) * (kMaxSize - 2) / 4;
// Every wide turn of a size: layers 1 to d of a face, d up to the half (never the middle layer).
const int kMaxWideMoves = 6 * (kMaxSize / 2) * 3;
const int kMaxModelMoves = 54;

// A kind's small cube: its orbit, wide turns of every depth that moves the orbit differently, and
// those turns on masks of the orbit's places.
struct CentreModel {
  int kind;
  OrbitPlaces places;
  int moveCount;
  BlockMove moves[kMaxModelMoves];
  MaskMoves masks;
};
const CentreModel& CentreModelOf(int kind);

struct CentreOrbit {
  int kind;
  int row, column;  // its cell in the face's upper left quarter, from 0
  OrbitPlaces places;
  int8_t modelMove[kMaxWideMoves];  // each wide turn of the size as its model's turn
};

// A size's centre orbits and wide turns. Places are numbered alike in every orbit and its model: face by
// face, each face's four cells in the order a clockwise quarter turn of the face takes them.
struct CentreLayout {
  int n;
  int orbitCount;
  CentreOrbit orbits[kMaxCentreOrbits];
  int moveCount;
  BlockMove moves[kMaxWideMoves];
};
// Built on first use; read-only after.
const CentreLayout& CentreLayoutOf(int n);

// The orbit's places of the face-centred cell (row, column) at size n.
void BuildCentrePlaces(int n, int row, int column, OrbitPlaces* places);
