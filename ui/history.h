// The undo and redo history of the cube: every command that changes the pattern or the size is one step.
#pragma once

// Steps that can be undone before the oldest is dropped.
const int kHistorySteps = 256;

bool CanUndo();
bool CanRedo();
// Put back the pattern and size before or after one step; false when there is none. The generator,
// the move log and the replay switch are left alone.
bool UndoStep();
bool RedoStep();
void ClearHistory();

// Around one command: the cube before it, then one step when it changed (and no redo after it).
void BeginCommand();
void EndCommand();

// Runs `run` as a key command runs: never inside another command, one history step if `recorded` and
// the cube changed, a repaint afterwards. False when another command is still running.
bool RunCommand(void (*run)(), bool recorded);

// Undo and redo as the front ends' commands.
void RunUndo();
void RunRedo();
