// The cube model: a cube as a value (its size and facelets) and every operation that permutes one.
#pragma once

#include <cstdint>

// Face indices, in storage order.
enum : int16_t { U = 0, L = 1, F = 2, R = 3, B = 4, D = 5 };
typedef int16_t Face;
typedef int32_t Colour;

const int kMaxSize = 10;
const int kFaceStride = kMaxSize * kMaxSize;  // cells between faces
const int kCellCount = 6 * kFaceStride;

// Cell (face f, row r, column c) lives at f * 100 + r * 10 + c.
typedef int32_t CubeState[kCellCount];

inline int CellIndex(int face, int row, int column) { return face * kFaceStride + row * kMaxSize + column; }

// A cube of size 1 to 10: its pattern, and the copy every operation reads the old pattern from, so
// that each permutation is one pass of plain assignments. The two are equal in the used cells between
// operations; cells outside the size's squares are never read.
struct Cube {
  int16_t size;
  CubeState live;
  CubeState shadow;
};

// Whole-state primitives over the used cells of size n.
void FillSolved(Cube& cube);  // the live pattern only
void CopyFace(int n, Face face, const CubeState source, CubeState destination);
void CopyCube(int n, const CubeState source, CubeState destination);
int16_t CompareCubes(int n, const CubeState first, const CubeState second);
int32_t CheckSolved(int n, const CubeState pattern);
// The solved cube of size n in both copies.
void MakeSolved(Cube& cube, int n);

// Layer turns. turnMode: 0 clockwise, 1 counter-clockwise, 2 half turn.
void RotateFacelets(Cube& cube, Face face, int16_t turnMode);
void QuarterTurnU(Cube& cube);
void QuarterTurnL(Cube& cube);
void QuarterTurnF(Cube& cube);
void QuarterTurnR(Cube& cube);
void QuarterTurnB(Cube& cube);
void QuarterTurnD(Cube& cube);
void HalfTurnU(Cube& cube);
void HalfTurnL(Cube& cube);
void HalfTurnF(Cube& cube);
void HalfTurnR(Cube& cube);
void HalfTurnB(Cube& cube);
void HalfTurnD(Cube& cube);
void TurnColumnSlice(Cube& cube);
void TurnRowSlice(Cube& cube);

// Every layer a turn can take: the six faces by their index, then the two slices.
const int16_t kColumnSliceLayer = 6;  // next to L, turned like L
const int16_t kRowSliceLayer = 7;     // next to U, turned like D
const int16_t kLayerCount = 8;
// One, two or three clockwise quarter turns of a layer, as the table of layer turns gives them.
void TurnLayer(Cube& cube, int16_t layer, int16_t quarterTurns);

// Any block of adjacent layers: layers first to last (1 is the outer layer of `face`, up to N) turned
// quarterTurns quarter turns (any count; 3 is one the other way) clockwise as seen from `face`. The
// face turns and the two slices are TurnBlock(cube, face, 1, 1, ...), TurnBlock(cube, L, 2, 2, ...) and
// TurnBlock(cube, D, N - 1, N - 1, ...). A block that is no set of layers of this size changes nothing.
void TurnBlock(Cube& cube, Face face, int16_t first, int16_t last, int16_t quarterTurns);

// Whole-cube rotations, reflections and recolouring.
void RotateLeft(Cube& cube);
void RotateRight(Cube& cube);
void RotateUp(Cube& cube);
void RotateDown(Cube& cube);
void ReflectCentral(Cube& cube);
void ReflectRightLeft(Cube& cube);
// The new colours for old colours 0, 1, 2, 4, 5 and 3, in that order.
void Recolour(Cube& cube, int16_t new0, int16_t new1, int16_t new2, int16_t new4, int16_t new5, int16_t new3);
