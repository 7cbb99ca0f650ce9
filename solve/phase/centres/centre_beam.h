// The centre stages run as searches over every orbit at once: each stage keeps the positions whose
// orbits' table distances add up least, a wide turn at a time, until one has every orbit at its goal;
// the turns that serve several orbits are the ones that win.
#pragma once

#include <vector>

#include "solve/big/big_cube.h"
#include "solve/solve_limit.h"

// How many positions each step keeps, and how many ways to the goal each stage hands on.
struct CentreEffort {
  int width = 600;
  int ways = 4;
  int patience = 6;  // steps without a better position before the stage hands on its best
};

// One stage of the centres from each state (tables ready); the stage's goal holds on every state the
// ways lead to. Each way lists its turns (whole-cube rotations included, each counting nothing) from
// the state it began at; shortest first. Empty when cancelled through the limit.
struct CentreWay {
  int from;  // which of the starting states
  std::vector<BlockMove> moves;
  BigState state;
};
std::vector<CentreWay> RunCentreStage(int stage, const std::vector<BigState>& starts,
                                      const CentreEffort& effort, const SolveLimit* limit);

// The sum of every orbit's distance in the stage's tables: what the stage still has to do.
int CentreStageDistance(int stage, const BigState& state);
// Whether the stage's goal holds on every orbit.
bool CentreStageDone(int stage, const BigState& state);
