// Deriving the facelet maps by running each operation of the model on numbered cells.
#include "study/facelet_map.h"

#include "analysis/analysis.h"
#include "cube/size_tables.h"

namespace {

void RunOperation(Cube& cube, int operation) {
  typedef void (*Operation)(Cube&);
  static const Operation kOperations[] = {QuarterTurnU,   QuarterTurnL,     QuarterTurnF,    QuarterTurnR,
                                          QuarterTurnB,   QuarterTurnD,     TurnColumnSlice, TurnRowSlice,
                                          RotateLeft,     RotateUp,         RotateRight,     RotateDown,
                                          ReflectCentral, ReflectRightLeft, StepRight,       StepDown};
  kOperations[operation](cube);
}

// Cell values from here up are no colour, so recolouring passes them through.
const int kNumbered = 6;

void Derive(int operation, int n, FaceletMap* map) {
  Cube cube;
  cube.size = static_cast<int16_t>(n);
  ForEachUsedCell(n, [&cube](int cell) { cube.live[cell] = cube.shadow[cell] = kNumbered + cell; });
  RunOperation(cube, operation);
  ForEachUsedCell(n, [&](int cell) { map->from[cell] = static_cast<int16_t>(cube.live[cell] - kNumbered); });
  for (int colour = 0; colour < 6; ++colour) {
    ForEachUsedCell(n, [&cube, colour](int cell) { cube.live[cell] = cube.shadow[cell] = colour; });
    RunOperation(cube, operation);
    map->colour[colour] = static_cast<int8_t>(cube.live[0]);
  }
}

struct SizeMaps {
  FaceletMap of[kMapOperationCount];
};

void DeriveAll(int n, SizeMaps* maps) {
  for (int k = 0; k < kMapOperationCount; ++k) Derive(k, n, &maps->of[k]);
}

}  // namespace

const FaceletMap& OperationMap(int operation, int n) {
  return TableOfSize<SizeMaps, DeriveAll>(n).of[operation];
}

void IdentityMap(int n, FaceletMap* map) {
  ForEachUsedCell(n, [map](int cell) { map->from[cell] = static_cast<int16_t>(cell); });
  for (int colour = 0; colour < 6; ++colour) map->colour[colour] = static_cast<int8_t>(colour);
}

void ComposeMaps(int n, const FaceletMap& first, const FaceletMap& second, FaceletMap* result) {
  // result may be first or second, so build it aside.
  FaceletMap composed;
  ForEachUsedCell(n, [&](int cell) { composed.from[cell] = first.from[second.from[cell]]; });
  for (int colour = 0; colour < 6; ++colour) composed.colour[colour] = second.colour[first.colour[colour]];
  *result = composed;
}

void ApplyMap(int n, const FaceletMap& map, const CubeState pattern, CubeState result) {
  ForEachUsedCell(n, [&](int cell) {
    const int32_t old = pattern[map.from[cell]];
    result[cell] = old >= 0 && old < 6 ? map.colour[old] : old;
  });
}
