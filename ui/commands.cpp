// Start-up and reset, the two command tables, and the rule that turns a keystroke into a command.
#include "ui/commands.h"

#include <cstdio>

#include "analysis/analysis.h"
#include "ui/document.h"
#include "ui/solid/animation.h"
#include "ui/ui.h"

Platform* platform = nullptr;

namespace {

struct Command {
  int code;
  void (*run)();
};

// A key's turn as the solid cube plays it: the layers it turns, as a block.
void NoteKeyTurn(int face, int layer) {
  if (layer >= 1 && layer <= document.cube.size && (layer == 1 || document.cube.size >= 3))
    NoteMove(BlockMove{static_cast<int8_t>(face), static_cast<int8_t>(layer), static_cast<int8_t>(layer), 1});
}

const Command kCharacterTable[] = {
    {'u',
     [] {
       QuarterTurnU(document.cube);
       NoteKeyTurn(U, 1);
     }},
    {'d',
     [] {
       QuarterTurnD(document.cube);
       NoteKeyTurn(D, 1);
     }},
    {'f',
     [] {
       QuarterTurnF(document.cube);
       NoteKeyTurn(F, 1);
     }},
    {'b',
     [] {
       QuarterTurnB(document.cube);
       NoteKeyTurn(B, 1);
     }},
    {'l',
     [] {
       QuarterTurnL(document.cube);
       NoteKeyTurn(L, 1);
     }},
    {'r',
     [] {
       QuarterTurnR(document.cube);
       NoteKeyTurn(R, 1);
     }},
    {'-',
     [] {
       TurnColumnSlice(document.cube);
       NoteKeyTurn(L, 2);
     }},
    {'=',
     [] {
       TurnRowSlice(document.cube);
       NoteKeyTurn(D, document.cube.size - 1);
     }},
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
  // The window works on what the player left it showing.
  ClosePlayer();
  // The turns still playing end where the cube already stands before anything else happens.
  FinishAnimation();
  document.commandRunning = true;
  if (recorded) {
    BeginStep(document.history, document.cube);
    NoteStart();
  }
  run();
  if (recorded) {
    EndStep(document.history, document.cube);
    PlayNotedMoves();
  }
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

void TimerTick() {
  if (AdvanceAnimation()) platform->RequestRepaint(false);
  PlayerTick();
}

void HandleCharacter(int code) {
  if (document.commandRunning) return;
  ClosePlayer();
  FinishAnimation();
  if (const Command* command = Find(kCharacterTable, code))
    Run(*command);
  else
    HandleKeyDown(code);
}

void HandleKeyDown(int code) {
  if (document.commandRunning) return;
  ClosePlayer();
  FinishAnimation();
  if (const Command* command = Find(kKeyDownTable, code))
    Run(*command);
  else
    platform->PaintNow();
}
