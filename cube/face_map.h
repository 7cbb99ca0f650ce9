// Whole-face copies with a fixed orientation change, shared by facelet turns and whole-cube moves.
#pragma once

#include "cube/cube.h"

// How the source face is read: new[i][j] = old[...] for every i, j from 0 to n = N - 1.
enum FaceTransform : int8_t {
  kSame,           // old[i][j]
  kHalf,           // old[n - i][n - j]
  kFlipRows,       // old[n - i][j]
  kFlipColumns,    // old[i][n - j]
  kClockwise,      // old[n - j][i]
  kAnticlockwise,  // old[j][n - i]
};

// Writes face `to` of the live pattern from face `from` of the shadow copy.
void MapFace(Cube& cube, Face to, Face from, FaceTransform how);
