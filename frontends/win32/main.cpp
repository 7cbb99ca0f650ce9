// plexaro.exe: the Windows entry, which sets up the cube and the window and runs the message loop.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "frontends/win32/win32_platform.h"
#include "frontends/win32/window.h"
#include "ui/ui.h"

namespace {

// "--replay" switches the move-file replay on; test builds also take "--fail-object K".
void ReadCommandLine(const char* commandLine) {
  char words[1024];
  std::strncpy(words, commandLine != nullptr ? commandLine : "", sizeof words - 1);
  words[sizeof words - 1] = '\0';
  for (char* word = std::strtok(words, " \t"); word != nullptr; word = std::strtok(nullptr, " \t")) {
    if (std::strcmp(word, "--replay") == 0) replaySwitch = 1;
#ifdef PLEXARO_FAULTS
    if (std::strcmp(word, "--fail-object") == 0) {
      const char* number = std::strtok(nullptr, " \t");
      if (number != nullptr) failingDrawingObject = std::atoi(number);
    }
#endif
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
  static Win32Platform win32;
  platform = &win32;
  ReadCommandLine(commandLine);
  StartUpCube();
  if (InitialiseWindow(instance, previousInstance, showCommand) == 0) {
    MessageBoxA(NULL, "Failure during initialisation!\n\nClick OK to exit.", "Plexaro", MB_OK | MB_ICONHAND);
    return 0;
  }
  MSG message;
  for (;;) {
    if (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) break;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      WaitMessage();
    }
  }
  DeleteDrawingObjects();
  return static_cast<int>(message.wParam);
}
