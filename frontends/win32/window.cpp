// Start-up of the window and its drawing objects, the window procedure, and their clean-up.
#include "frontends/win32/window.h"

#include <windowsx.h>

#include "frontends/win32/window_view.h"
#include "ui/ui.h"

HWND mainWindow = NULL;
HPEN outlinePen = NULL;
HBRUSH colourBrushes[6] = {NULL, NULL, NULL, NULL, NULL, NULL};

namespace {

const char kClassName[] = "Plexaro";
COLORREF ColourValue(int brush) {
  const PaletteColour& colour = kPalette[brush];
  return RGB(colour.red, colour.green, colour.blue);
}

#ifdef PLEXARO_FAULTS
int drawingObjectsTried = 0;
bool MayCreateDrawingObject() { return ++drawingObjectsTried != failingDrawingObject; }
#else
bool MayCreateDrawingObject() { return true; }
#endif

}  // namespace

#ifdef PLEXARO_FAULTS
int failingDrawingObject = 0;
#endif

int InitialiseWindow(HINSTANCE instance, HINSTANCE previousInstance, int showCommand) {
#ifdef PLEXARO_FAULTS
  drawingObjectsTried = 0;
#endif
  outlinePen = MayCreateDrawingObject() ? CreatePen(PS_SOLID, 1, RGB(0, 0, 0)) : NULL;
  if (outlinePen == NULL) return 0;
  for (int colour = 0; colour < 6; ++colour) {
    colourBrushes[colour] = MayCreateDrawingObject() ? CreateSolidBrush(ColourValue(colour)) : NULL;
    if (colourBrushes[colour] == NULL) return 0;
  }
  if (previousInstance == NULL) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_BYTEALIGNCLIENT | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = colourBrushes[0];
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassA(&windowClass) == 0) return 0;
  }
  mainWindow = CreateWindowExA(0, kClassName, "Plexaro", WS_OVERLAPPEDWINDOW, 50, 50, 600, 400, NULL, NULL,
                               instance, NULL);
  if (mainWindow == NULL) return 0;
  DragAcceptFiles(mainWindow, TRUE);
  ShowWindow(mainWindow, showCommand);
  return 1;
}

void PaintWindow(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  PaintView(window, dc);
  EndPaint(window, &paint);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_PAINT: PaintWindow(window); return 0;
    case WM_CHAR: HandleCharacter(static_cast<int>(wParam)); return 0;
    case WM_KEYDOWN: HandleKeyDown(static_cast<int>(wParam)); return 0;
    // The button's release alone: WM_CONTEXTMENU also comes from the keyboard, whose keys only paint.
    case WM_RBUTTONUP: ShowContextMenu(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    // With double clicks on for the class, a quick second click comes as a double click: a click still.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ClickView(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_DROPFILES: DropFiles(window, reinterpret_cast<HDROP>(wParam)); return 0;
    case kOpenPendingFile: OpenPendingFile(lParam); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

void DeleteDrawingObjects() {
  for (HBRUSH& brush : colourBrushes) {
    if (brush != NULL) DeleteObject(brush);
    brush = NULL;
  }
  if (outlinePen != NULL) DeleteObject(outlinePen);
  outlinePen = NULL;
}
