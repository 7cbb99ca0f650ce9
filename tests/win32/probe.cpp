// plexaro_probe.exe: pokes at the running program's windows from outside, as a user's frame drag
// would, and reads what its boxes say.
//   plexaro_probe resize W H   resizes the program's main window
//   plexaro_probe text TITLE   prints the message of the box titled TITLE
//   plexaro_probe menu         succeeds while a popup menu is shown
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
  std::fputs("usage: plexaro_probe resize W H | text TITLE | menu\n", stderr);
  return 2;
}
