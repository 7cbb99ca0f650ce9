// Facelet maps: each operation of the cube model as a permutation of cells, derived per size.
#pragma once

#include "cube/cube.h"

// After the operation, cell i holds what cell from[i] held before, with its colour c turned into
// colour[c] (only the reflections and the symmetry count's steps recolour). Only used cells count.
struct FaceletMap {
  int16_t from[kCellCount];
  int8_t colour[6];
};

// The operations, in a fixed order: the six quarter turns in face order, the two slices, the four
// whole-cube rotations, the two reflections, and the symmetry count's two steps.
enum MapOperation : int8_t {
  kMapU,
  kMapL,
  kMapF,
  kMapR,
  kMapB,
  kMapD,
  kMapColumnSlice,
  kMapRowSlice,
  kMapRotateLeft,
  kMapRotateUp,
  kMapRotateRight,
  kMapRotateDown,
  kMapReflectCentral,
  kMapReflectRightLeft,
  kMapStepRight,
  kMapStepDown,
  kMapOperationCount
};

// The map of `operation` on a cube of size n (1 to 10), derived on first use by running the model's own
// operation on a cube of numbered cells.
const FaceletMap& OperationMap(int operation, int n);

// The identity at size n; Compose(first, second) is first followed by second.
void IdentityMap(int n, FaceletMap* map);
void ComposeMaps(int n, const FaceletMap& first, const FaceletMap& second, FaceletMap* result);

// A pattern after the map: result[i] = colour[pattern[from[i]]] on the used cells of size n.
void ApplyMap(int n, const FaceletMap& map, const CubeState pattern, CubeState result);

// Calls visit(cell) for every used cell of size n, face by face and row by row.
template <typename Visit>
void ForEachUsedCell(int n, Visit visit) {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) visit(CellIndex(face, row, column));
}
