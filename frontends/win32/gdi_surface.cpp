// GDI behind the drawing surface: the outline pen and colour brushes made at start-up.
#include "frontends/win32/gdi_surface.h"

#include "frontends/win32/window.h"

void GdiSurface::SelectOutlinePen() { previousPen_ = SelectObject(dc_, outlinePen); }

void GdiSurface::RestorePen() { SelectObject(dc_, previousPen_); }

int GdiSurface::SetAlignment(int alignment) {
  return static_cast<int>(SetTextAlign(dc_, static_cast<UINT>(alignment)));
}

void GdiSurface::MoveTo(int x, int y) { MoveToEx(dc_, x, y, NULL); }

void GdiSurface::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

void GdiSurface::FillRectangle(int left, int top, int right, int bottom, int brush) {
  if (brush < 0 || brush >= 6) return;  // there are only six brushes
  const RECT rectangle = {left, top, right, bottom};
  FillRect(dc_, &rectangle, colourBrushes[brush]);
}

void GdiSurface::WriteText(int x, int y, const char* text, int length) { TextOutA(dc_, x, y, text, length); }
