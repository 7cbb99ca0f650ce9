// Start-up and reset, the two command tables, and the rule that turns a keystroke into a command.
#include "ui/commands.h"

#include <cstdio>

#include "analysis/analysis.h"
#include "ui/document.h"
#include "ui/ui.h"

Platform* platform = nullptr;

namespace {

struct Command {
  int code;
  void (*run)();
};

const Command kCharacterTable[] = {
    {'u', [] { QuarterTurnU(document.cube); }},
    {'d', [] { QuarterTurnD(document.cube); }},
    {'f', [] { QuarterTurnF(document.cube); }},
    {'b', [] { QuarterTurnB(document.cube); }},
    {'l', [] { QuarterTurnL(document.cube); }},
    {'r', [] { QuarterTurnR(document.cube); }},
    {'-', [] { TurnColumnSlice(document.cube); }},
    {'=', [] { TurnRowSlice(document.cube); }},
    {'*', ResetCube},
    {'?', ShowHelp},
    {'\\', [] { ReflectCentral(document.cube); }},
    {'|', [] { ReflectRightLeft(document.cube); }},
    {',', [] { Scramble(document.cube, document.random, 1); }},
    {'m', [] { Scramble(document.cube, document.random, 2); }},
    {'%', CountSymmetries},
    {'[', [] { OpenCubeFile(kPatternFile); }},
    {'{', [] { OpenCubeFile(kMoveFile); }},
};

const Command kKeyDownTable[] = {
    {kKeyLeft, [] { RotateLeft(document.cube); }},
    {kKeyUp, [] { RotateUp(document.cube); }},
    {kKeyRight, [] { RotateRight(document.cube); }},
    {kKeyDown, [] { RotateDown(document.cube); }},
};

template <size_t Rows>
const Command* Find(const Command (&table)[Rows], int code) {
  for (const Command& command : table)
    if (command.code == code) return &command;
  return nullptr;
}

void Run(const Command& command) { RunCommand(command.run, true); }

// A size the cube now has that it did not have before starts from the default layout, and the old net
// is erased at the next repaint.
void LayOutNewSize(int16_t before) {
  if (document.cube.size == before) return;
  SetStartMetrics(&document.layout);
  ComputeNetLayout();
  document.eraseOnRepaint = true;
}

}  // namespace

bool RunCommand(CommandCall run, bool recorded) {
  if (document.commandRunning) return false;
  document.commandRunning = true;
  if (recorded) BeginStep(document.history, document.cube);
  run();
  if (recorded) EndStep(document.history, document.cube);
  document.commandRunning = false;
  const bool erase = document.eraseOnRepaint;
  document.eraseOnRepaint = false;
  platform->RequestRepaint(erase);
  return true;
}

bool UndoStep() {
  const int16_t before = document.cube.size;
  if (!UndoStep(document.history, document.cube)) return false;
  LayOutNewSize(before);
  return true;
}

bool RedoStep() {
  const int16_t before = document.cube.size;
  if (!RedoStep(document.history, document.cube)) return false;
  LayOutNewSize(before);
  return true;
}

bool RunUndo() {
  return RunCommand([] { UndoStep(); }, false);
}

bool RunRedo() {
  return RunCommand([] { RedoStep(); }, false);
}

void FillNetPlacement() { FillNetPlacement(&document.layout); }

void ComputeNetLayout() { ComputeNetLayout(&document.layout, document.cube.size); }

void StartUpCube() {
  SetStartMetrics(&document.layout);
  FillNetPlacement();
  FillSolved(document.cube);
  ComputeNetLayout();
  CopyCube(document.cube.size, document.cube.live, document.cube.shadow);
  ClearHistory(document.history);
}

void ResetCube() {
  SetStartMetrics(&document.layout);
  ComputeNetLayout();
  MakeSolved(document.cube, document.cube.size);
}

void CountSymmetries() {
  const SymmetryCount count = MeasureSymmetries(document.cube, document.random);
  // Nobody has to read it; a windowed program drops it.
  if (count.gaveUp) platform->WriteDiagnostic("Error: Illegal Arrangement");
  char text[256];
  FormatSymmetryCount(count, text, sizeof text);
  // The box shows over the mirror image, which the count then takes back.
  platform->ShowMessage(text, "Symmetry");
  FinishSymmetryCount(document.cube);
}

void SetCubeSize(int16_t size) {
  if (size == document.cube.size) return;
  document.cube.size = size;
  ResetCube();                     // the metrics and layout for the new size
  document.eraseOnRepaint = true;  // the old net lies elsewhere and must not stay
}

void ShowHelp() {
  char text[256];
  std::snprintf(text, sizeof text,
                "u d f b l r\nArrow keys rotate in space\n%% = Show Symmetry\n\\ = Central Reflect\n| = RL "
                "Reflect\n* = Reset");
  platform->ShowMessage(text, "Help");
}

int16_t PatternSize() { return document.cube.size; }
Colour PatternCell(Face face, int row, int column) {
  return document.cube.live[CellIndex(face, row, column)];
}

void HandleCharacter(int code) {
  if (document.commandRunning) return;
  if (const Command* command = Find(kCharacterTable, code))
    Run(*command);
  else
    HandleKeyDown(code);
}

void HandleKeyDown(int code) {
  if (document.commandRunning) return;
  if (const Command* command = Find(kKeyDownTable, code))
    Run(*command);
  else
    platform->PaintNow();
}
