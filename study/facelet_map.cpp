// Deriving the facelet maps by running each operation of the model on numbered cells.
#include "study/facelet_map.h"

#include <cstring>

#include "analysis/analysis.h"

namespace {

void RunOperation(int operation) {
  typedef void (*Pair)(CubeState, CubeState);
  static const Pair kPairs[] = {QuarterTurnU, QuarterTurnL,    QuarterTurnF,   QuarterTurnR,    QuarterTurnB,
                                QuarterTurnD, TurnColumnSlice, TurnRowSlice,   RotateLeft,      RotateUp,
                                RotateRight,  RotateDown,      ReflectCentral, ReflectRightLeft};
  if (operation == kMapStepRight)
    StepRight();
  else if (operation == kMapStepDown)
    StepDown();
  else
    kPairs[operation](liveCube, shadowCube);
}

// Cell values from here up are no colour, so recolouring passes them through.
const int kNumbered = 6;

CubeState savedLive, savedShadow;

void Derive(int operation, int n, FaceletMap* map) {
  // The operations work on the globals.
  const BorrowedCube borrowed(n);
  ForEachUsedCell(n, [](int cell) { liveCube[cell] = shadowCube[cell] = kNumbered + cell; });
  RunOperation(operation);
  ForEachUsedCell(n, [map](int cell) { map->from[cell] = static_cast<int16_t>(liveCube[cell] - kNumbered); });
  for (int colour = 0; colour < 6; ++colour) {
    ForEachUsedCell(n, [colour](int cell) { liveCube[cell] = shadowCube[cell] = colour; });
    RunOperation(operation);
    map->colour[colour] = static_cast<int8_t>(liveCube[0]);
  }
}

FaceletMap maps[kMaxSize + 1][kMapOperationCount];
bool derived[kMaxSize + 1];

}  // namespace

const FaceletMap& OperationMap(int operation, int n) {
  if (!derived[n]) {
    for (int k = 0; k < kMapOperationCount; ++k) Derive(k, n, &maps[n][k]);
    derived[n] = true;
  }
  return maps[n][operation];
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

BorrowedCube::BorrowedCube(int n) : savedSize_(cubeSize) {
  std::memcpy(savedLive, liveCube, sizeof liveCube);
  std::memcpy(savedShadow, shadowCube, sizeof shadowCube);
  cubeSize = static_cast<int16_t>(n);
}

BorrowedCube::~BorrowedCube() {
  cubeSize = savedSize_;
  std::memcpy(liveCube, savedLive, sizeof liveCube);
  std::memcpy(shadowCube, savedShadow, sizeof shadowCube);
}
