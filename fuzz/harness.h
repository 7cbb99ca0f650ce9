// The checking seam shared by the fuzz targets: a platform that vets every text, state snapshots and
// the invariants that must hold after any input.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "files/input_files.h"
#include "ui/ui.h"

// Reports a broken expectation and aborts, so that libFuzzer keeps the input and a plain run fails.
[[noreturn]] void Fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

#define EXPECT_THAT(condition, ...)      \
  do {                                   \
    if (!(condition)) Fail(__VA_ARGS__); \
  } while (0)

// Everything a command may touch, copied whole (cells outside the used square included).
struct Snapshot {
  int16_t size;
  CubeState live, shadow;
  MoveCode log[kMoveLogCapacity + 1];
  int32_t metrics[4];
  int16_t columns[6][kMaxSize], rows[6][kMaxSize];
  bool erase;
  uint32_t random;
  int16_t replay;
};
Snapshot TakeSnapshot();
// Names the first part that differs, or returns null.
const char* FirstDifference(const Snapshot& a, const Snapshot& b);

struct Box {
  std::string title, text;
  int16_t size;
  CubeState live;  // the cube while the box was up
};

class CheckingPlatform : public Platform {
 public:
  std::vector<Box> boxes;
  std::string diagnostics;
  int repaints = 0;
  int paintsNow = 0;
  bool erasingRepaint = false;                          // the last repaint request asked to erase
  std::function<void()> onMessage;                      // runs inside a box
  std::function<const char*(FileKind)> chooseOpenFile;  // null answers cancel

  void ShowMessage(const char* text, const char* title) override;
  const char* ChooseOpenFile(FileKind kind, const FileFilter& filter) override;
  void WriteDiagnostic(const char* text) override;
  void RequestRepaint(bool erase) override {
    ++repaints;
    erasingRepaint = erase;
  }
  void PaintNow() override { ++paintsNow; }
  void Clear();
};

// The program as it starts, at the given size, with the checking seam installed.
void ResetProgram(CheckingPlatform& checking, int16_t size);
// document.cube.size in range, every used cell a colour, the two copies equal, the move log well-formed.
void CheckInvariants(const char* where);
// How many used cells hold each colour.
std::vector<int> ColourCounts(const int32_t* cube, int size);
// The solved cube of `size` on the used cells.
bool IsSolved(const int32_t* cube, int size);

// A cheap, stable hash of the input, to derive a start state without spending input bytes on it.
uint32_t HashBytes(const uint8_t* data, size_t size);
