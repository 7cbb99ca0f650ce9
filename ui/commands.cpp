// Start-up and reset, the two command tables, and the rule that turns a keystroke into a command.
#include "analysis/analysis.h"
#include "files/files.h"
#include "ui/document.h"
#include "ui/ui.h"

Platform* platform = nullptr;
bool eraseOnRepaint = false;

namespace {

void SetStartMetrics() {
  cellWidth = 15;
  cellHeight = 16;
  faceBaseHeight = 38;
  faceBaseWidth = 32;
}

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

// A box keeps the thread inside a command; a key that reaches us from there must not start another.
bool commandRunning = false;

void Run(const Command& command) { RunCommand(command.run, true); }

}  // namespace

bool RunCommand(void (*run)(), bool recorded) {
  if (commandRunning) return false;
  commandRunning = true;
  if (recorded) BeginCommand();
  run();
  if (recorded) EndCommand();
  commandRunning = false;
  const bool erase = eraseOnRepaint;
  eraseOnRepaint = false;
  platform->RequestRepaint(erase);
  return true;
}

void StartUpCube() {
  SetStartMetrics();
  FillNetPlacement();
  FillSolved(document.cube);
  ComputeNetLayout();
  CopyCube(document.cube.size, document.cube.live, document.cube.shadow);
  ClearHistory();
}

void ResetCube() {
  SetStartMetrics();
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
  ResetCube();            // the metrics and layout for the new size
  eraseOnRepaint = true;  // the old net lies elsewhere and must not stay
}

int16_t PatternSize() { return document.cube.size; }
Colour PatternCell(Face face, int row, int column) {
  return document.cube.live[CellIndex(face, row, column)];
}

void HandleCharacter(int code) {
  if (commandRunning) return;
  if (const Command* command = Find(kCharacterTable, code))
    Run(*command);
  else
    HandleKeyDown(code);
}

void HandleKeyDown(int code) {
  if (commandRunning) return;
  if (const Command* command = Find(kKeyDownTable, code))
    Run(*command);
  else
    platform->PaintNow();
}
