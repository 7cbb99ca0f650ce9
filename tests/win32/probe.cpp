// plexaro_probe.exe: pokes at the running program's windows from outside, as a user's frame drag
// would, and reads what its boxes say.
//   plexaro_probe resize W H   resizes the program's main window
//   plexaro_probe text TITLE   prints the message of the box titled TITLE
//   plexaro_probe menu         succeeds while a popup menu is shown
//   plexaro_probe drop PATH    drops the file on the program's window, as the shell's drop would
//   plexaro_probe hit N X Y    prints "FACE ROW COLUMN" of the square the core's hit test names at a
//                              point of the unfitted window showing an N x N x N net, or "none"
//   plexaro_probe place TITLE TEXT
//                              prints "X Y", the screen point at the middle of the control that says
//                              TEXT in the window titled TITLE, for a real click there
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/ui.h"

namespace {

// The box's message, not its button.
BOOL CALLBACK PrintText(HWND control, LPARAM) {
  char kind[16];
  char text[512];
  GetClassNameA(control, kind, sizeof kind);
  if (lstrcmpiA(kind, "Static") == 0 && GetWindowTextA(control, text, sizeof text) > 0)
    std::fputs(text, stdout);
  return TRUE;
}

// The drop's record is written into the program's own memory, where its window procedure reads it.
int Drop(const char* path) {
  HWND window = FindWindowA("Plexaro", "Plexaro");
  if (window == NULL) return 1;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
  if (process == NULL) return 1;
  char record[sizeof(DROPFILES) + MAX_PATH + 2] = {};
  DROPFILES* header = reinterpret_cast<DROPFILES*>(record);
  header->pFiles = sizeof(DROPFILES);
  std::strncpy(record + sizeof(DROPFILES), path, MAX_PATH);
  void* remote = VirtualAllocEx(process, NULL, sizeof record, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool posted = remote != NULL && WriteProcessMemory(process, remote, record, sizeof record, NULL) &&
                      PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  CloseHandle(process);
  return posted ? 0 : 1;
}

struct Sought {
  const char* text;
  HWND found;
};

BOOL CALLBACK FindControl(HWND control, LPARAM lParam) {
  Sought* sought = reinterpret_cast<Sought*>(lParam);
  char text[256];
  if (GetWindowTextA(control, text, sizeof text) > 0 && std::strcmp(text, sought->text) == 0) {
    sought->found = control;
    return FALSE;
  }
  return TRUE;
}

int Place(const char* title, const char* text) {
  HWND window = FindWindowA(NULL, title);
  if (window == NULL) return 1;
  Sought sought = {text, NULL};
  EnumChildWindows(window, FindControl, reinterpret_cast<LPARAM>(&sought));
  RECT box;
  if (sought.found == NULL || !GetWindowRect(sought.found, &box)) return 1;
  std::printf("%ld %ld\n", (box.left + box.right) / 2, (box.top + box.bottom) / 2);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "resize") == 0) {
    HWND window = FindWindowA("Plexaro", "Plexaro");
    if (window == NULL) return 1;
    return SetWindowPos(window, NULL, 0, 0, std::atoi(argv[2]), std::atoi(argv[3]),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "text") == 0) {
    HWND box = FindWindowA("#32770", argv[2]);
    if (box == NULL) return 1;
    _setmode(_fileno(stdout), _O_BINARY);  // the message's line breaks as they are
    EnumChildWindows(box, PrintText, 0);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "menu") == 0) {
    HWND menu = FindWindowA("#32768", NULL);
    return menu != NULL && IsWindowVisible(menu) ? 0 : 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "drop") == 0) return Drop(argv[2]);
  if (argc == 5 && std::strcmp(argv[1], "hit") == 0) {
    document.cube.size = static_cast<int16_t>(std::atoi(argv[2]));
    StartUpCube();
    Face face;
    int row, column;
    if (HitTestNet(std::atoi(argv[3]), std::atoi(argv[4]), &face, &row, &column))
      std::printf("%d %d %d\n", face, row, column);
    else
      std::puts("none");
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "place") == 0) return Place(argv[2], argv[3]);
  std::fputs(
      "usage: plexaro_probe resize W H | text TITLE | menu | drop PATH | hit N X Y | place TITLE TEXT\n",
      stderr);
  return 2;
}
