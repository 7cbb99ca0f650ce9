// Pattern analysis: the fixed-seed random generator, the scramble and the symmetry count.
#pragma once

#include <cstdint>

#include "cube/cube.h"

extern uint32_t randomState;

int32_t NextRandom();
void Scramble(CubeState live, CubeState shadow, int16_t repeatCount);

void StepRight();
void StepDown();
void NormaliseOrientation(CubeState live, CubeState shadow);
void CountSymmetries(CubeState live, CubeState shadow);
