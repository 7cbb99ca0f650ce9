// The window's painting with the view the mouse menu sets, and the menu itself.
#pragma once

#include <windows.h>

// The net as PaintNet draws it, with the letters over it; or, fitted, the net stretched to the window.
void PaintView(HWND window, HDC dc);

// The mouse menu built from the core's table: item k has the command k + 1; the caller destroys it.
HMENU BuildContextMenu();
// Shows the menu at a point of the window's client area and runs the item chosen.
void ShowContextMenu(HWND window, int x, int y);
