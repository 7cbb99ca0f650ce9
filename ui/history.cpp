// The history's storage: a ring of whole-cube snapshots in fixed memory, and the cursor into it.
#include "ui/history.h"

#include <cstring>

namespace {

const int kSnapshotCapacity = kHistorySteps + 1;

void Take(const Cube& cube, SnapshotBytes snapshot) {
  std::memset(snapshot, 0, kSnapshotBytes);
  snapshot[0] = static_cast<uint8_t>(cube.size);
  uint8_t* cell = snapshot + 1;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cube.size; ++row)
      for (int column = 0; column < cube.size; ++column)
        *cell++ = static_cast<uint8_t>(cube.live[CellIndex(face, row, column)]);
}

bool Same(const SnapshotBytes first, const SnapshotBytes second) {
  return std::memcmp(first, second, kSnapshotBytes) == 0;
}

uint8_t* At(History& history, int position) {
  return history.snapshots[(history.oldest + position) % kSnapshotCapacity];
}
const uint8_t* At(const History& history, int position) {
  return history.snapshots[(history.oldest + position) % kSnapshotCapacity];
}

void Append(History& history, const SnapshotBytes snapshot) {
  history.count = history.count == 0 ? 0 : history.cursor + 1;  // a new step drops the redo steps
  if (history.count == kSnapshotCapacity) {
    history.oldest = (history.oldest + 1) % kSnapshotCapacity;
    --history.count;
  }
  std::memcpy(At(history, history.count), snapshot, kSnapshotBytes);
  history.cursor = history.count++;
}

// A step is joined to the snapshot the cube showed; if the cube was changed some other way since, that
// state becomes a step of its own, so an undo still lands on what was last seen.
void Record(History& history, const SnapshotBytes from, const SnapshotBytes to) {
  if (history.count == 0 || !Same(At(history, history.cursor), from)) Append(history, from);
  Append(history, to);
}

void Show(const SnapshotBytes snapshot, Cube& cube) {
  cube.size = snapshot[0];
  const uint8_t* cell = snapshot + 1;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cube.size; ++row)
      for (int column = 0; column < cube.size; ++column) cube.live[CellIndex(face, row, column)] = *cell++;
  CopyCube(cube.size, cube.live, cube.shadow);
}

// Whether the cube still shows the cursor's snapshot; when not, the change becomes a step first.
void CatchUp(History& history, const Cube& cube) {
  SnapshotBytes now;
  Take(cube, now);
  if (history.count > 0 && !Same(At(history, history.cursor), now)) Append(history, now);
}

}  // namespace

bool CanUndo(const History& history, const Cube& cube) {
  SnapshotBytes now;
  Take(cube, now);
  return history.count > 0 && (history.cursor > 0 || !Same(At(history, history.cursor), now));
}

bool CanRedo(const History& history, const Cube& cube) {
  SnapshotBytes now;
  Take(cube, now);
  return history.count > 0 && history.cursor < history.count - 1 && Same(At(history, history.cursor), now);
}

bool UndoStep(History& history, Cube& cube) {
  CatchUp(history, cube);
  if (history.cursor == 0) return false;
  Show(At(history, --history.cursor), cube);
  return true;
}

bool RedoStep(History& history, Cube& cube) {
  CatchUp(history, cube);
  if (history.count == 0 || history.cursor == history.count - 1) return false;
  Show(At(history, ++history.cursor), cube);
  return true;
}

void ClearHistory(History& history) { history.oldest = history.count = history.cursor = 0; }

void BeginStep(History& history, const Cube& cube) { Take(cube, history.before); }

void EndStep(History& history, const Cube& cube) {
  SnapshotBytes after;
  Take(cube, after);
  if (!Same(history.before, after)) Record(history, history.before, after);
}
