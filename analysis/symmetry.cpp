// The symmetry count: standard orientation, then a walk through all 24 orientations, twice.
#include <cstdio>

#include "analysis/analysis.h"

// Steps from each orientation to the next ('R' StepRight, 'D' StepDown); row 1 is the start.
const char* const kWalk[24] = {"",  "R", "R", "R", "RD", "D", "D", "DDR", "R",   "R",   "D",    "D",
                               "D", "R", "R", "R", "DD", "R", "R", "DDD", "RRR", "RRR", "RDDD", "R"};
// Back to the orientation and colours of row 1.
const char kClosingSteps[] = "RRRDDDRR";

namespace {

void Walk(Cube& cube, const char* steps) {
  for (; *steps; ++steps) *steps == 'R' ? StepRight(cube) : StepDown(cube);
}

const int kMaxDraws = 1000;

// Odd sizes: white up by the centres, then yellow to the front.
void NormaliseByCentres(Cube& cube) {
  const int16_t m = cube.size / 2;
  auto centre = [m, &cube](Face face) { return cube.live[CellIndex(face, m, m)]; };
  if (centre(D) == 0) {
    RotateDown(cube);
    RotateDown(cube);
  } else if (centre(L) == 0) {
    RotateRight(cube);
    RotateUp(cube);
  } else if (centre(R) == 0) {
    RotateLeft(cube);
    RotateUp(cube);
  } else if (centre(F) == 0) {
    RotateUp(cube);
  } else if (centre(B) == 0) {
    RotateDown(cube);
  }
  switch (centre(F)) {
    case 1: RotateLeft(cube); break;
    case 3: RotateRight(cube); break;
    case 4:
      RotateLeft(cube);
      RotateLeft(cube);
      break;
    default: break;
  }
}

// Even sizes have no centres: wander at random until the U-F-R corner shows white, yellow, orange.
// False when it reached its last draw, which writes the diagnostic whatever that draw finds.
bool NormaliseByCorner(Cube& cube, Random& random) {
  const int16_t n = cube.size - 1;
  for (int32_t draws = 1;; ++draws) {
    const int32_t k = NextRandom(random) / 8191 + 1;
    const bool giveUp = draws == kMaxDraws;
    switch (k) {
      case 1: RotateRight(cube); break;
      case 2: RotateLeft(cube); break;
      case 3: RotateUp(cube); break;
      case 4: RotateDown(cube); break;
      default: break;
    }
    const bool found = cube.live[CellIndex(F, 0, n)] == 2 && cube.live[CellIndex(U, n, n)] == 0 &&
                       cube.live[CellIndex(R, 0, 0)] == 3;
    if (found || giveUp) return !giveUp;
  }
}

}  // namespace

void StepRight(Cube& cube) {
  Recolour(cube, 0, 2, 3, 1, 5, 4);
  RotateRight(cube);
}

void StepDown(Cube& cube) {
  Recolour(cube, 2, 1, 5, 0, 4, 3);
  RotateDown(cube);
}

bool NormaliseOrientation(Cube& cube, Random& random) {
  if (cube.size % 2 == 0) return NormaliseByCorner(cube, random);
  NormaliseByCentres(cube);
  return true;
}

SymmetryCount MeasureSymmetries(Cube& cube, Random& random) {
  const bool normalised = NormaliseOrientation(cube, random);
  CubeState reference;
  CopyCube(cube.size, cube.live, reference);
  int32_t matches = 0;
  int32_t firstPassMatches = 0;
  for (int pass = 1; pass <= 2; ++pass) {
    if (pass == 2) {
      ReflectCentral(cube);
      firstPassMatches = matches;
    }
    for (const char* steps : kWalk) {
      Walk(cube, steps);
      if (CompareCubes(cube.size, cube.live, reference) == 0) ++matches;
    }
    Walk(cube, kClosingSteps);
  }
  // Orientation 1 always matches itself in pass 1, so neither count is 0.
  return {24 / firstPassMatches, 48 / matches, !normalised};
}

void FinishSymmetryCount(Cube& cube) { ReflectCentral(cube); }

void FormatSymmetryCount(const SymmetryCount& count, char* text, int capacity) {
  std::snprintf(text, static_cast<size_t>(capacity), "Total C: %2d   Total M: %2d  ", count.totalC,
                count.totalM);
}
