// The window of the Windows program: its drawing objects, start-up, window procedure and clean-up.
#pragma once

#include <windows.h>

extern HWND mainWindow;
extern HPEN outlinePen;
extern HBRUSH colourBrushes[6];

// 1 when the pen, the brushes, the class and the window exist and the window is shown; 0 at the
// first failure, leaving what was made so far.
int InitialiseWindow(HINSTANCE instance, HINSTANCE previousInstance, int showCommand);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DeleteDrawingObjects();

// Paints the whole net into the window at once.
void PaintWindow(HWND window);

#ifdef PLEXARO_FAULTS
// Test builds only: the drawing object (1 the pen, 2 to 7 the brushes) whose creation fails; 0 for
// none.
extern int failingDrawingObject;
#endif
