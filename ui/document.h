// The window's document: the one cube the window shows and every command works on, and the generator
// its keys draw from.
#pragma once

#include "analysis/analysis.h"
#include "cube/cube.h"

struct Document {
  Cube cube;
  Random random;
};

extern Document document;
