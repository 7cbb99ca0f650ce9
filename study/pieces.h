// The pieces of an N×N×N cube: which facelets form each corner, edge, wing and centre, and their orbits.
#pragma once

#include "cube/cube.h"

enum PieceKind : int8_t {
  kCornerPiece,
  kMiddleEdgePiece,  // the edge between two corners on odd cubes
  kWingPiece,        // the other edge pieces, paired across each edge's middle
  kCentrePiece,
  kFixedCentrePiece,  // the middle of a face on odd cubes, which no layer turn moves
};

struct Piece {
  int8_t kind;
  // Pieces of one kind and orbit can reach each other's places. Wings: the distance from the
  // nearer corner (1 ...). Centres: row * 10 + column of the orbit's first place on a face under
  // the face's four rotations (mirror-image orbits stay apart). Others: 0.
  int8_t orbit;
  int8_t count;  // facelets: 3, 2 or 1
  // Corners: the U or D facelet first, then clockwise seen from outside. Edges: the U or D facelet
  // first, else the F or B one.
  int16_t cells[3];
  int8_t x, y, z;  // cubie position: 0 to N - 1 from L to R, D to U, B to F
};

const int kMaxPieces = 8 + 12 * (kMaxSize - 2) + 6 * (kMaxSize - 2) * (kMaxSize - 2);

struct PieceSet {
  int count;
  Piece pieces[kMaxPieces];
  int16_t pieceOfCell[kCellCount];  // -1 for an unused cell
};

// The pieces of size n (2 to 10), built on first use.
const PieceSet& PiecesOf(int n);

// Where a cell sits: its face's outward normal (one of ±1 on one axis) and its cubie position.
void CellPosition(int cell, int n, int8_t normal[3], int8_t position[3]);
