// plexaro.exe: the Windows entry, which reads the command line, sets up the cube and the window, opens a
// named file once the window is up and runs the message loop.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "frontends/win32/win32_platform.h"
#include "frontends/win32/window.h"
#include "frontends/win32/window_view.h"
#include "ui/ui.h"

namespace {

// The run-time's own split of the command line, quotes and all; test builds first take
// "--fail-object K" out of it.
bool ReadCommandLine(ProgramArguments* arguments) {
  static char* words[64];
  int count = 0;
  for (int k = 0; k < __argc && count < 64; ++k) {
#ifdef PLEXARO_FAULTS
    if (k > 0 && std::strcmp(__argv[k], "--fail-object") == 0 && k + 1 < __argc) {
      failingDrawingObject = std::atoi(__argv[++k]);
      continue;
    }
#endif
    words[count++] = __argv[k];
  }
  return count < 64 && ReadProgramArguments(count, words, arguments);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int showCommand) {
  static Win32Platform win32;
  platform = &win32;
  ProgramArguments arguments;
  // A windowed program has no console to print to: the usage and the version come in a box.
  if (!ReadCommandLine(&arguments)) {
    MessageBoxA(NULL, kProgramUsage, "Plexaro", MB_OK | MB_ICONHAND);
    return 2;
  }
  if (arguments.version) {
    MessageBoxA(NULL, "plexaro " PLEXARO_VERSION, "Plexaro", MB_OK);
    return 0;
  }
  if (arguments.replay) document.replaySwitch = 1;
  KeepSolverTablesInCache();
  StartUpCube();
  if (InitialiseWindow(instance, previousInstance, showCommand) == 0) {
    MessageBoxA(NULL, "Failure during initialisation!\n\nClick OK to exit.", "Plexaro", MB_OK | MB_ICONHAND);
    return 0;
  }
  if (arguments.file != nullptr) OpenFileLater(mainWindow, arguments.file);
  MSG message;
  for (;;) {
    if (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) break;
      // The player's keys work its own controls and never reach the main window.
      if (win32.player().TakeDialogMessage(&message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      WaitMessage();
    }
  }
  DeleteDrawingObjects();
  return static_cast<int>(message.wParam);
}
