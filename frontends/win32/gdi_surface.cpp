// GDI behind the drawing surface: the outline pen and colour brushes made at start-up.
#include "frontends/win32/gdi_surface.h"

#include "frontends/win32/window.h"

GdiSurface::~GdiSurface() {
  if (letterFont_ != NULL) DeleteObject(letterFont_);
}

void GdiSurface::SelectOutlinePen() { previousPen_ = SelectObject(dc_, outlinePen); }

void GdiSurface::RestorePen() { SelectObject(dc_, previousPen_); }

int GdiSurface::SetAlignment(int alignment) {
  return static_cast<int>(SetTextAlign(dc_, static_cast<UINT>(alignment)));
}

void GdiSurface::MoveTo(int x, int y) { MoveToEx(dc_, x, y, NULL); }

void GdiSurface::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

void GdiSurface::FillRectangle(int left, int top, int right, int bottom, int brush) {
  const RECT rectangle = {left, top, right, bottom};
  if (brush == kOutlineBrush) FillRect(dc_, &rectangle, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (brush < 0 || brush >= 6) return;  // there are only six brushes
  FillRect(dc_, &rectangle, colourBrushes[brush]);
}

void GdiSurface::WriteText(int x, int y, const char* text, int length) { TextOutA(dc_, x, y, text, length); }

void GdiSurface::WriteLetter(int x, int y, char letter, int height) {
  if (letterFont_ == NULL || letterHeight_ != height) {
    if (letterFont_ != NULL) DeleteObject(letterFont_);
    // A bold face's capitals are about 0.7 of its height.
    letterFont_ =
        CreateFontA(-(height * 10 / 7), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma");
    letterHeight_ = height;
  }
  // Over the colour, not in a box of its own; the context keeps its own font, mode and colour.
  const HGDIOBJ previousFont = letterFont_ != NULL ? SelectObject(dc_, letterFont_) : NULL;
  const int previousMode = SetBkMode(dc_, TRANSPARENT);
  const COLORREF previousColour = SetTextColor(dc_, RGB(0, 0, 0));
  TextOutA(dc_, x, y, &letter, 1);
  SetTextColor(dc_, previousColour);
  SetBkMode(dc_, previousMode);
  if (previousFont != NULL) SelectObject(dc_, previousFont);
}

void GdiSurface::FillPolygon(const int* x, const int* y, int count, int brush) {
  POINT points[8];
  if (count > 8) count = 8;
  for (int k = 0; k < count; ++k) points[k] = {x[k], y[k]};
  const HGDIOBJ fill =
      brush >= 0 && brush < 6 ? static_cast<HGDIOBJ>(colourBrushes[brush]) : GetStockObject(BLACK_BRUSH);
  const HGDIOBJ previous = SelectObject(dc_, fill);
  Polygon(dc_, points, count);
  SelectObject(dc_, previous);
}
