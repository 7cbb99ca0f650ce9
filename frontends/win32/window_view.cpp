// The window's painting, clicks and files to open, each handed to the core's view and commands.
#include "frontends/win32/window_view.h"

#include <cstdlib>
#include <cstring>

#include "frontends/win32/gdi_surface.h"
#include "frontends/win32/window.h"
#include "ui/ui.h"

namespace {

SIZE ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

}  // namespace

void PaintView(HWND window, HDC dc) {
  const SIZE client = ClientSize(window);
  GdiSurface surface(dc);
  PaintWindowView(surface, client.cx, client.cy);
}

void ClickView(HWND window, int x, int y, bool shift) {
  const SIZE client = ClientSize(window);
  ClickSquare(x, y, client.cx, client.cy, shift);
}

void OpenFileLater(HWND window, const char* path) {
  // The message carries its own copy of the path, which OpenPendingFile frees.
  const size_t size = std::strlen(path) + 1;
  char* copy = static_cast<char*>(std::malloc(size));
  if (copy == nullptr) return;
  std::memcpy(copy, path, size);
  if (!PostMessageA(window, kOpenPendingFile, 0, reinterpret_cast<LPARAM>(copy))) std::free(copy);
}

void OpenPendingFile(LPARAM path) {
  char* copy = reinterpret_cast<char*>(path);
  if (copy == nullptr) return;
  OpenNamedFile(copy);
  std::free(copy);
}

void DropFiles(HWND window, HDROP drop) {
  char path[kFileNameCapacity];
  const UINT length = DragQueryFileA(drop, 0, path, sizeof path);
  DragFinish(drop);
  // Opened after the drop is over, so that a box does not hold the program the file came from.
  if (length > 0 && length < sizeof path) OpenFileLater(window, path);
}
