// Start-up and reset, the two command tables, and the rule that turns a keystroke into a command.
#include "analysis/analysis.h"
#include "files/files.h"
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
    {'u', [] { QuarterTurnU(liveCube, shadowCube); }},
    {'d', [] { QuarterTurnD(liveCube, shadowCube); }},
    {'f', [] { QuarterTurnF(liveCube, shadowCube); }},
    {'b', [] { QuarterTurnB(liveCube, shadowCube); }},
    {'l', [] { QuarterTurnL(liveCube, shadowCube); }},
    {'r', [] { QuarterTurnR(liveCube, shadowCube); }},
    {'-', [] { TurnColumnSlice(liveCube, shadowCube); }},
    {'=', [] { TurnRowSlice(liveCube, shadowCube); }},
    {'*', ResetCube},
    {'?', ShowHelp},
    {'\\', [] { ReflectCentral(liveCube, shadowCube); }},
    {'|', [] { ReflectRightLeft(liveCube, shadowCube); }},
    {',', [] { Scramble(liveCube, shadowCube, 1); }},
    {'m', [] { Scramble(liveCube, shadowCube, 2); }},
    {'%', [] { CountSymmetries(liveCube, shadowCube); }},
    {'[', [] { OpenCubeFile(kPatternFile); }},
    {'{', [] { OpenCubeFile(kMoveFile); }},
};

const Command kKeyDownTable[] = {
    {kKeyLeft, [] { RotateLeft(liveCube, shadowCube); }},
    {kKeyUp, [] { RotateUp(liveCube, shadowCube); }},
    {kKeyRight, [] { RotateRight(liveCube, shadowCube); }},
    {kKeyDown, [] { RotateDown(liveCube, shadowCube); }},
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
  FillSolved();
  ComputeNetLayout();
  CopyCube(liveCube, shadowCube);
  ClearHistory();
}

void ResetCube() {
  SetStartMetrics();
  ComputeNetLayout();
  FillSolved();
  CopyCube(liveCube, shadowCube);
}

void SetCubeSize(int16_t size) {
  if (size == cubeSize) return;
  cubeSize = size;
  ResetCube();            // the metrics and layout for the new size
  eraseOnRepaint = true;  // the old net lies elsewhere and must not stay
}

int16_t PatternSize() { return cubeSize; }
Colour PatternCell(Face face, int row, int column) { return liveCube[CellIndex(face, row, column)]; }

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
