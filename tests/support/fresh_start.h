// The one fresh start that tests, fuzz runners, benchmarks and the stress walk share, and a seam that
// shows nothing.
#pragma once

#include <cstring>

#include "analysis/analysis.h"
#include "files/input_files.h"
#include "ui/ui.h"

// The live pattern copied into the shadow copy, after a test wrote cells of its own.
inline void SyncCopies(Cube& cube) { CopyCube(cube.size, cube.live, cube.shadow); }

// Answers every chooser with cancel and drops every box.
struct QuietPlatform : Platform {
  void ShowMessage(const char*, const char*) override {}
  const char* ChooseOpenFile(FileKind, const FileFilter&) override { return nullptr; }
  void WriteDiagnostic(const char*) override {}
  void RequestRepaint(bool) override {}
  void PaintNow() override {}
};

// The program's start-up state on `seam`: the generator, the switches and the log as a new process has
// them, and the solved cube of `size` laid out.
inline void StartFresh(Platform& seam, int16_t size = 3) {
  platform = &seam;
  document.random.state = 1;
  document.replaySwitch = 0;
  document.eraseOnRepaint = false;
  document.view = ViewOptions();
  document.animation.active = false;
  document.pointer = PointerDrag();
  document.met.met = false;
  document.player.open = false;
  std::memset(document.moveLog, 0, sizeof document.moveLog);
  document.cube.size = size;
  StartUpCube();
}
