// The cube model: facelet storage, the global patterns and every operation that permutes them.
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

extern int16_t cubeSize;
extern CubeState liveCube;
extern CubeState shadowCube;
extern CubeState referenceCube;

// Whole-state primitives.
void FillSolved();
void CopyFace(Face face, const CubeState source, CubeState destination);
void CopyCube(const CubeState source, CubeState destination);
int16_t CompareCubes(const CubeState first, const CubeState second);
int32_t CheckSolved(const CubeState pattern);

// Layer turns. turnMode: 0 clockwise, 1 counter-clockwise, 2 half turn.
void RotateFacelets(Face face, int16_t turnMode);
void QuarterTurnU(CubeState live, CubeState shadow);
void QuarterTurnL(CubeState live, CubeState shadow);
void QuarterTurnF(CubeState live, CubeState shadow);
void QuarterTurnR(CubeState live, CubeState shadow);
void QuarterTurnB(CubeState live, CubeState shadow);
void QuarterTurnD(CubeState live, CubeState shadow);
void HalfTurnU(CubeState live, CubeState shadow);
void HalfTurnL(CubeState live, CubeState shadow);
void HalfTurnF(CubeState live, CubeState shadow);
void HalfTurnR(CubeState live, CubeState shadow);
void HalfTurnB(CubeState live, CubeState shadow);
void HalfTurnD(CubeState live, CubeState shadow);
void TurnColumnSlice(CubeState live, CubeState shadow);
void TurnRowSlice(CubeState live, CubeState shadow);

// Every layer a turn can take: the six faces by their index, then the two slices.
const int16_t kColumnSliceLayer = 6;  // next to L, turned like L
const int16_t kRowSliceLayer = 7;     // next to U, turned like D
const int16_t kLayerCount = 8;
// One, two or three clockwise quarter turns of a layer, as the table of layer turns gives them.
void TurnLayer(int16_t layer, int16_t quarterTurns, CubeState live, CubeState shadow);

// Any block of adjacent layers: layers first to last (1 is the outer layer of `face`, up to N) turned
// quarterTurns quarter turns (any count; 3 is one the other way) clockwise as seen from `face`. The
// face turns and the two slices are TurnBlock(face, 1, 1, ...), TurnBlock(L, 2, 2, ...) and
// TurnBlock(D, N - 1, N - 1, ...). A block that is no set of layers of this size changes nothing.
void TurnBlock(Face face, int16_t first, int16_t last, int16_t quarterTurns, CubeState live,
               CubeState shadow);

// Whole-cube rotations, reflections and recolouring.
void RotateLeft(CubeState live, CubeState shadow);
void RotateRight(CubeState live, CubeState shadow);
void RotateUp(CubeState live, CubeState shadow);
void RotateDown(CubeState live, CubeState shadow);
void ReflectCentral(CubeState live, CubeState shadow);
void ReflectRightLeft(CubeState live, CubeState shadow);
// The new colours for old colours 0, 1, 2, 4, 5 and 3, in that order.
void Recolour(int16_t new0, int16_t new1, int16_t new2, int16_t new4, int16_t new5, int16_t new3);
