// The first phase's bound on both centre orbits at once: the distance of every position within seven
// moves of the goal, up to the symmetries that keep F-B, kept by hash in a table of nibbles (a slot
// holds the least distance hashed to it; an empty one means eight or more).
#pragma once

#include <cstdint>

#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"

// The first phase's moves: every face turn and every two-layer wide turn; their count.
int StageMoveList(BlockMove* moves);

TableResult PrepareStageJoint();
// Whether a copy read back can be trusted: the first levels no farther than their distances, and about
// as many slots empty as the build leaves.
bool StageJointTrusted(const DistanceTable& copy);
// A lower bound from the F-B colours' x- and t-centre places (table ready); at most eight.
int StageJointBound(uint32_t x, uint32_t t);
// The same in two steps, so that the table's read can be on its way while other positions are worked out:
// the slot (prefetched), then its bound.
uint64_t StageJointSlot(uint32_t x, uint32_t t);
int StageJointBoundAt(uint64_t slot);
const DistanceTable& StageJointTable();
