// The window's painting, clicks, files to open and the mouse menu, each handed to the core.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

// The message that opens the file OpenFileLater named; its LPARAM carries the path.
const UINT kOpenPendingFile = WM_APP + 1;

// The core's view of the cube, drawn into the client area.
void PaintView(HWND window, HDC dc);
// A left click at a point of the client area: the square the core's hit test names cycles its colour.
void ClickView(HWND window, int x, int y, bool shift);
// Posts kOpenPendingFile with a copy of the path, so the file opens once the message loop runs.
void OpenFileLater(HWND window, const char* path);
// Opens the path the message carried as the desktop program opens a named file, and frees it.
void OpenPendingFile(LPARAM path);
// The first file of a drop, opened later.
void DropFiles(HWND window, HDROP drop);

// The mouse menu built from the core's entries: item k has the command k + 1; the caller destroys it.
HMENU BuildContextMenu();
// Shows the menu at a point of the window's client area and runs the item chosen.
void ShowContextMenu(HWND window, int x, int y);
