// The three global patterns and the whole-state primitives every other operation builds on.
#include "cube/cube.h"

int16_t cubeSize = 3;
CubeState liveCube;
CubeState shadowCube;
CubeState referenceCube;

void FillSolved() {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cubeSize; ++row)
      for (int column = 0; column < cubeSize; ++column) liveCube[CellIndex(face, row, column)] = face;
}

void CopyFace(Face face, const CubeState source, CubeState destination) {
  for (int row = 0; row < cubeSize; ++row) {
    const int first = CellIndex(face, row, 0);
    for (int column = 0; column < cubeSize; ++column) destination[first + column] = source[first + column];
  }
}

void CopyCube(const CubeState source, CubeState destination) {
  for (int face = 0; face < 6; ++face) CopyFace(face, source, destination);
}

int16_t CompareCubes(const CubeState first, const CubeState second) {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cubeSize; ++row)
      for (int column = 0; column < cubeSize; ++column) {
        const int cell = CellIndex(face, row, column);
        if (first[cell] != second[cell]) return 1;
      }
  return 0;
}

// Face D is not examined: with N*N cells of each colour, five single-coloured faces force the sixth.
int32_t CheckSolved(const CubeState pattern) {
  int32_t matches = 0;
  for (int face = 0; face < 5; ++face) {
    const int32_t reference = pattern[CellIndex(face, 0, 0)];
    for (int row = 0; row < cubeSize; ++row)
      for (int column = 0; column < cubeSize; ++column)
        if (pattern[CellIndex(face, row, column)] == reference) ++matches;
  }
  return matches == 5 * cubeSize * cubeSize ? 0 : -1;
}
