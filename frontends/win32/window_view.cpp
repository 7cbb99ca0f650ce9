// The view the mouse menu sets, on GDI: letters over the squares, and the net stretched to the window.
#include "frontends/win32/window_view.h"

#include "frontends/win32/gdi_surface.h"
#include "frontends/win32/window.h"
#include "ui/ui.h"

namespace {

// Capitals of about seven pixels, as the pictures have; drawn over the colour, not in a box.
void DrawLetters(HDC dc, int letters) {
  if (letters == kLettersNone) return;
  HFONT font = CreateFontA(-10, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma");
  HGDIOBJ previousFont = font != NULL ? SelectObject(dc, font) : NULL;
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  GdiSurface surface(dc);
  DrawNetPicture(surface, letters);
  SetBkMode(dc, previousMode);
  if (font != NULL) {
    SelectObject(dc, previousFont);
    DeleteObject(font);
  }
}

}  // namespace

void PaintView(HWND window, HDC dc) {
  if (!viewFitToWindow) {
    GdiSurface surface(dc);
    PaintNet(surface);
    DrawLetters(dc, viewLetters);
    return;
  }
  // The picture at one pixel per pixel in memory, then stretched whole, proportions kept.
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, colourBrushes[0]);
  const int width = PictureWidth(), height = PictureHeight();
  if (width <= 0 || height <= 0 || client.right <= 0 || client.bottom <= 0) return;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  if (memory == NULL || bitmap == NULL) {
    if (bitmap != NULL) DeleteObject(bitmap);
    if (memory != NULL) DeleteDC(memory);
    return;
  }
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const RECT all = {0, 0, width, height};
  FillRect(memory, &all, colourBrushes[0]);
  {
    GdiSurface surface(memory);
    DrawNetPicture(surface, kLettersNone);
  }
  DrawLetters(memory, viewLetters);
  const double scale = client.right * height <= client.bottom * width
                           ? static_cast<double>(client.right) / width
                           : static_cast<double>(client.bottom) / height;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 0, 0, static_cast<int>(width * scale), static_cast<int>(height * scale), memory, 0, 0, width,
             height, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}
