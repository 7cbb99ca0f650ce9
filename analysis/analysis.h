// Pattern analysis: the fixed-seed random generator, the scramble and the symmetry count.
#pragma once

#include <cstdint>

#include "cube/cube.h"

// The program's one pseudo-random sequence: a linear congruential generator that starts at 1 and is
// never reseeded, so every run draws the same numbers.
struct Random {
  uint32_t state = 1;
};

int32_t NextRandom(Random& random);
void Scramble(Cube& cube, Random& random, int16_t repeatCount);

// The symmetry count's walk through the 24 orientations, shared with the study of the symmetry group.
extern const char* const kWalk[24];
extern const char kClosingSteps[];

void StepRight(Cube& cube);
void StepDown(Cube& cube);
// False when an even cube's search for its corner gave up (after 1000 draws) where it stood.
bool NormaliseOrientation(Cube& cube, Random& random);

struct SymmetryCount {
  int totalC;   // the patterns the 24 rotations make of it
  int totalM;   // the same with the mirror images
  bool gaveUp;  // NormaliseOrientation gave up: "Error: Illegal Arrangement"
};
// The count up to its result: the cube is left in the standard orientation and centrally mirrored, as
// the count's box shows it; FinishSymmetryCount takes the mirror back.
SymmetryCount MeasureSymmetries(Cube& cube, Random& random);
void FinishSymmetryCount(Cube& cube);
// The box's text: "Total C: %2d   Total M: %2d  ".
void FormatSymmetryCount(const SymmetryCount& count, char* text, int capacity);
