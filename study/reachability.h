// Whether a physical cube, turned by its layers, can show the current pattern, and why not.
#pragma once

const int kMaxReachProblems = 16;
const int kReachProblemLength = 200;

struct ReachabilityReport {
  bool reachable;
  int problemCount;  // lines held in problems
  // Each line one problem in plain words. When more are found than fit, the last line says how many
  // more there are.
  char problems[kMaxReachProblems][kReachProblemLength];
};

// Checks liveCube at cubeSize (1 to 10). Changes no cube state, the size or the generator; any value in
// any cell is taken, and one that is no colour is a problem.
void CheckReachable(ReachabilityReport* report);
