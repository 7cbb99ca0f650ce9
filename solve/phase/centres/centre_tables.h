// The centre stages' distance tables, one per stage and kind of orbit, each over a small cube's orbit
// and shared by every size: colours of one axis onto their faces, then a second axis's, then each
// colour onto its own face with the turns that keep every axis.
#pragma once

#include <cstdint>

#include "solve/phase/centres/centre_orbits.h"
#include "solve/phase/phase_table.h"

const int kCentreStages = 3;

// What a stage reads of one orbit: masks of the places that hold some colours. The first stage reads
// where the U and D colours are; the second where L and R are; the last where U, L and F are.
const int kMaxStageMasks = 3;
int StageMaskCount(int stage);
void StageMasks(int stage, const OrbitPlaces& places, const BigState& state, uint32_t* masks);
// Whether a model's turn belongs to the stage: those that keep the axes the stages before placed.
bool StageMove(int stage, const BlockMove& move);

// The masks' entry in the stage's table, and whether they are the stage's goal.
uint64_t StageIndex(int stage, const uint32_t* masks);
bool StageGoal(int stage, const uint32_t* masks);
void StageGoalMasks(int stage, uint32_t* masks);

// The table of a stage and kind, ready or not.
const DistanceTable& CentreTable(int stage, int kind);
// Builds or reads every centre table once (through the installed store, with its progress and
// cancel); the first failure's reason.
TableResult PrepareCentreTables();
// Every centre table, for reports; their count.
int CentreTables(const DistanceTable** out, int capacity);
