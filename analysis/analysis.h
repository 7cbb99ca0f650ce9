// Pattern analysis: the fixed-seed random generator, the scramble and the symmetry count.
#pragma once

#include <cstdint>

#include "cube/cube.h"

extern uint32_t randomState;

int32_t NextRandom();
void Scramble(CubeState live, CubeState shadow, int16_t repeatCount);

// The symmetry count's walk through the 24 orientations, shared with the study of the symmetry group.
extern const char* const kWalk[24];
extern const char kClosingSteps[];

void StepRight();
void StepDown();
void NormaliseOrientation(CubeState live, CubeState shadow);
void CountSymmetries(CubeState live, CubeState shadow);
