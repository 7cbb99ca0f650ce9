// The net's drawing calls carried out on a GDI device context.
#pragma once

#include <windows.h>

#include "seam/platform.h"

class GdiSurface : public DrawingSurface {
 public:
  explicit GdiSurface(HDC dc) : dc_(dc) {}
  ~GdiSurface() override;
  void SelectOutlinePen() override;
  void RestorePen() override;
  int SetAlignment(int alignment) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRectangle(int left, int top, int right, int bottom, int brush) override;
  void WriteText(int x, int y, const char* text, int length) override;
  void WriteLetter(int x, int y, char letter, int height) override;
  void FillPolygon(const int* x, const int* y, int count, int brush) override;

 private:
  HDC dc_;
  HGDIOBJ previousPen_ = NULL;
  HFONT letterFont_ = NULL;  // made for letterHeight_, kept for the letters that follow
  int letterHeight_ = 0;
};
