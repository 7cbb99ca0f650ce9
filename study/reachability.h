// Whether a physical cube, turned by its layers, can show the current pattern, and why not.
#pragma once

#include "cube/cube.h"

const int kMaxReachProblems = 16;
const int kReachProblemLength = 200;

struct ReachabilityReport {
  bool reachable;
  int problemCount;  // lines held in problems
  // Each line one problem in plain words. When more are found than fit, the last line says how many
  // more there are.
  char problems[kMaxReachProblems][kReachProblemLength];
};

// Checks the cube's pattern (sizes 1 to 10); any value in any cell is taken, and one that is no colour
// is a problem.
void CheckReachable(const Cube& cube, ReachabilityReport* report);
