// The places of one kind of piece at size n, and how block moves and whole-cube symmetries carry them.
#pragma once

#include <cstdint>

#include "cube/block_move.h"
#include "solve/big/big_cube.h"

// Which pieces an orbit holds. Centres are named by where they sit on a face: x-centres on the
// diagonals next to the corners' row and column (4×4×4 and 5×5×5), t-centres beside the fixed middle
// (5×5×5 only). Wings are those next to the corners.
enum OrbitKind : int8_t { kXCentreOrbit, kTCentreOrbit, kWingOrbit, kMiddleEdgeOrbit, kCornerOrbit };

const int kMaxOrbitPlaces = 24;

struct OrbitPlaces {
  int n;
  int kind;
  int count;
  // Each place's cells: a centre has one; an edge piece two, the U or D facelet first, else the F or B
  // one; a corner three, its U or D facelet first.
  int16_t cells[kMaxOrbitPlaces][3];
  int8_t placeOfCell[kCellCount];  // -1 outside the orbit
};

// Built on first use; read-only after.
const OrbitPlaces& OrbitOf(int n, OrbitKind kind);

// After `move`, place q holds what place from[q] held; twist[q] counts the steps it turned by (edges:
// 0 or 1, its first facelet now showing what its second showed; corners 0 to 2; centres 0).
void MovePlaces(const OrbitPlaces& orbit, const BlockMove& move, int8_t* from, int8_t* twist);

// After the move (or a list of them), cell c holds what cell source[c] held.
void CellSources(int n, const BlockMove* moves, int count, int16_t* source);

// The 48 symmetries of the cube (the 24 rotations, then each followed by the mirror that swaps L and
// R), as cell sources: after symmetry s, cell c holds what cell SymmetrySources(n, s)[c] held.
const int kSymmetries = 48;
const int16_t* SymmetrySources(int n, int symmetry);
// The same on an orbit's places: after the symmetry, place q holds what place from[q] held.
void SymmetryPlaces(const OrbitPlaces& orbit, int symmetry, int8_t* from);
// The block move that is `move` seen through the symmetry (s · move · s⁻¹ on the cells), named from the
// face it turns; false when none is one (never for a symmetry of the cube).
bool ConjugateMove(int n, int symmetry, const BlockMove& move, BlockMove* out);
// The face a colour goes to under the symmetry (the colour that was face f's now shows on face
// SymmetryFace(s, f)).
int SymmetryFace(int n, int symmetry, int face);
