// The history's storage: a ring of whole-cube snapshots in fixed memory, and the cursor into it.
#include "ui/history.h"

#include <cstdint>
#include <cstring>

#include "ui/document.h"
#include "ui/ui.h"

namespace {

// One snapshot: the size byte, then every used cell as a byte, face by face, row by row.
const int kSnapshotBytes = 1 + kCellCount;
typedef uint8_t Snapshot[kSnapshotBytes];

// A step joins two snapshots, so one more snapshot than steps is kept.
const int kSnapshotCapacity = kHistorySteps + 1;
Snapshot snapshots[kSnapshotCapacity];
int oldest = 0;  // ring position of the first snapshot
int count = 0;   // snapshots held
int cursor = 0;  // the snapshot the cube shows, counted from the oldest

Snapshot before;

void Take(Snapshot snapshot) {
  std::memset(snapshot, 0, kSnapshotBytes);
  snapshot[0] = static_cast<uint8_t>(document.cube.size);
  uint8_t* cell = snapshot + 1;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < document.cube.size; ++row)
      for (int column = 0; column < document.cube.size; ++column)
        *cell++ = static_cast<uint8_t>(document.cube.live[CellIndex(face, row, column)]);
}

bool Same(const Snapshot first, const Snapshot second) {
  return std::memcmp(first, second, kSnapshotBytes) == 0;
}

uint8_t* At(int position) { return snapshots[(oldest + position) % kSnapshotCapacity]; }

void Append(const Snapshot snapshot) {
  count = count == 0 ? 0 : cursor + 1;  // a new step drops the redo steps
  if (count == kSnapshotCapacity) {
    oldest = (oldest + 1) % kSnapshotCapacity;
    --count;
  }
  std::memcpy(At(count), snapshot, kSnapshotBytes);
  cursor = count++;
}

// A step is joined to the snapshot the cube showed; if the cube was changed some other way since, that
// state becomes a step of its own, so an undo still lands on what was last seen.
void Record(const Snapshot from, const Snapshot to) {
  if (count == 0 || !Same(At(cursor), from)) Append(from);
  Append(to);
}

void Show(const Snapshot snapshot) {
  SetCubeSize(snapshot[0]);
  const uint8_t* cell = snapshot + 1;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < document.cube.size; ++row)
      for (int column = 0; column < document.cube.size; ++column)
        document.cube.live[CellIndex(face, row, column)] = *cell++;
  CopyCube(document.cube.size, document.cube.live, document.cube.shadow);
}

// Whether the cube still shows the cursor's snapshot; when not, the change becomes a step first.
void CatchUp() {
  static Snapshot now;
  Take(now);
  if (count > 0 && !Same(At(cursor), now)) Append(now);
}

}  // namespace

bool CanUndo() {
  static Snapshot now;
  Take(now);
  return count > 0 && (cursor > 0 || !Same(At(cursor), now));
}

bool CanRedo() {
  static Snapshot now;
  Take(now);
  return count > 0 && cursor < count - 1 && Same(At(cursor), now);
}

bool UndoStep() {
  CatchUp();
  if (cursor == 0) return false;
  Show(At(--cursor));
  return true;
}

bool RedoStep() {
  CatchUp();
  if (count == 0 || cursor == count - 1) return false;
  Show(At(++cursor));
  return true;
}

void ClearHistory() { oldest = count = cursor = 0; }

void BeginCommand() { Take(before); }

void EndCommand() {
  static Snapshot after;
  Take(after);
  if (!Same(before, after)) Record(before, after);
}

void RunUndo() {
  RunCommand([] { UndoStep(); }, false);
}
void RunRedo() {
  RunCommand([] { RedoStep(); }, false);
}
