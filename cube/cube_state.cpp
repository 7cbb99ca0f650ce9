// The whole-state primitives every other operation builds on.
#include "cube/cube.h"

void FillSolved(Cube& cube) {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cube.size; ++row)
      for (int column = 0; column < cube.size; ++column) cube.live[CellIndex(face, row, column)] = face;
}

void CopyFace(int n, Face face, const CubeState source, CubeState destination) {
  for (int row = 0; row < n; ++row) {
    const int first = CellIndex(face, row, 0);
    for (int column = 0; column < n; ++column) destination[first + column] = source[first + column];
  }
}

void CopyCube(int n, const CubeState source, CubeState destination) {
  for (int face = 0; face < 6; ++face) CopyFace(n, face, source, destination);
}

int16_t CompareCubes(int n, const CubeState first, const CubeState second) {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) {
        const int cell = CellIndex(face, row, column);
        if (first[cell] != second[cell]) return 1;
      }
  return 0;
}

// Face D is not examined: with N*N cells of each colour, five single-coloured faces force the sixth.
int32_t CheckSolved(int n, const CubeState pattern) {
  int32_t matches = 0;
  for (int face = 0; face < 5; ++face) {
    const int32_t reference = pattern[CellIndex(face, 0, 0)];
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column)
        if (pattern[CellIndex(face, row, column)] == reference) ++matches;
  }
  return matches == 5 * n * n ? 0 : -1;
}

void MakeSolved(Cube& cube, int n) {
  cube.size = static_cast<int16_t>(n);
  FillSolved(cube);
  CopyCube(n, cube.live, cube.shadow);
}
