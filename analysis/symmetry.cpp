// The symmetry count: standard orientation, then a walk through all 24 orientations, twice.
#include <cstdio>

#include "analysis/analysis.h"
#include "seam/platform.h"

// Steps from each orientation to the next ('R' StepRight, 'D' StepDown); row 1 is the start.
const char* const kWalk[24] = {"",  "R", "R", "R", "RD", "D", "D", "DDR", "R",   "R",   "D",    "D",
                               "D", "R", "R", "R", "DD", "R", "R", "DDD", "RRR", "RRR", "RDDD", "R"};
// Back to the orientation and colours of row 1.
const char kClosingSteps[] = "RRRDDDRR";

namespace {

void Walk(const char* steps) {
  for (; *steps; ++steps) *steps == 'R' ? StepRight() : StepDown();
}

const int kMaxDraws = 1000;

// Odd sizes: white up by the centres, then yellow to the front.
void NormaliseByCentres(CubeState live, CubeState shadow) {
  const int16_t m = cubeSize / 2;
  auto centre = [m](Face face) { return liveCube[CellIndex(face, m, m)]; };
  if (centre(D) == 0) {
    RotateDown(live, shadow);
    RotateDown(live, shadow);
  } else if (centre(L) == 0) {
    RotateRight(live, shadow);
    RotateUp(live, shadow);
  } else if (centre(R) == 0) {
    RotateLeft(live, shadow);
    RotateUp(live, shadow);
  } else if (centre(F) == 0) {
    RotateUp(live, shadow);
  } else if (centre(B) == 0) {
    RotateDown(live, shadow);
  }
  switch (centre(F)) {
    case 1: RotateLeft(live, shadow); break;
    case 3: RotateRight(live, shadow); break;
    case 4:
      RotateLeft(live, shadow);
      RotateLeft(live, shadow);
      break;
    default: break;
  }
}

// Even sizes have no centres: wander at random until the U-F-R corner shows white, yellow, orange.
void NormaliseByCorner(CubeState live, CubeState shadow) {
  const int16_t n = cubeSize - 1;
  for (int32_t draws = 1;; ++draws) {
    const int32_t k = NextRandom() / 8191 + 1;
    const bool giveUp = draws == kMaxDraws;
    if (giveUp) platform->WriteDiagnostic("Error: Illegal Arrangement");
    switch (k) {
      case 1: RotateRight(live, shadow); break;
      case 2: RotateLeft(live, shadow); break;
      case 3: RotateUp(live, shadow); break;
      case 4: RotateDown(live, shadow); break;
      default: break;
    }
    const bool found = liveCube[CellIndex(F, 0, n)] == 2 && liveCube[CellIndex(U, n, n)] == 0 &&
                       liveCube[CellIndex(R, 0, 0)] == 3;
    if (found || giveUp) return;
  }
}

}  // namespace

void StepRight() {
  Recolour(0, 2, 3, 1, 5, 4);
  RotateRight(liveCube, shadowCube);
}

void StepDown() {
  Recolour(2, 1, 5, 0, 4, 3);
  RotateDown(liveCube, shadowCube);
}

void NormaliseOrientation(CubeState live, CubeState shadow) {
  if (cubeSize % 2 == 1)
    NormaliseByCentres(live, shadow);
  else
    NormaliseByCorner(live, shadow);
}

void CountSymmetries(CubeState live, CubeState shadow) {
  NormaliseOrientation(live, shadow);
  CopyCube(live, referenceCube);
  int32_t matches = 0;
  int32_t firstPassMatches = 0;
  for (int pass = 1; pass <= 2; ++pass) {
    if (pass == 2) {
      ReflectCentral(live, shadow);
      firstPassMatches = matches;
    }
    for (const char* steps : kWalk) {
      Walk(steps);
      if (CompareCubes(live, referenceCube) == 0) ++matches;
    }
    Walk(kClosingSteps);
  }
  // Orientation 1 always matches itself in pass 1, so neither count is 0.
  char text[256];
  std::snprintf(text, sizeof text, "Total C: %2d   Total M: %2d  ", static_cast<int>(24 / firstPassMatches),
                static_cast<int>(48 / matches));
  platform->ShowMessage(text, "Symmetry");
  ReflectCentral(live, shadow);
}
