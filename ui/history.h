// The undo and redo history of a cube: a ring of whole-cube snapshots in fixed memory; every command that
// changes the pattern or the size is one step. It knows cubes and nothing of the commands.
#pragma once

#include <cstdint>

#include "cube/cube.h"

// Steps that can be undone before the oldest is dropped.
const int kHistorySteps = 256;

// One snapshot: the size byte, then every used cell as a byte, face by face, row by row.
const int kSnapshotBytes = 1 + kCellCount;
typedef uint8_t SnapshotBytes[kSnapshotBytes];

struct History {
  // A step joins two snapshots, so one more snapshot than steps is kept.
  SnapshotBytes snapshots[kHistorySteps + 1];
  int oldest;            // ring position of the first snapshot
  int count;             // snapshots held
  int cursor;            // the snapshot the cube shows, counted from the oldest
  SnapshotBytes before;  // the cube as the command running now found it
};

bool CanUndo(const History& history, const Cube& cube);
bool CanRedo(const History& history, const Cube& cube);
// Put back the pattern and size before or after one step; false when there is none.
bool UndoStep(History& history, Cube& cube);
bool RedoStep(History& history, Cube& cube);
void ClearHistory(History& history);

// Around one command: the cube before it, then one step when it changed (and no redo after it).
void BeginStep(History& history, const Cube& cube);
void EndStep(History& history, const Cube& cube);
