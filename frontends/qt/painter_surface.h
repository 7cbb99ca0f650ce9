// The core's drawing surface over a QPainter, with GDI's pixel rules.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPoint>

#include "seam/platform.h"

// The six facelet colours, indexed by colour number; 0 is also the window background.
QColor BrushColour(int brush);

class PainterSurface : public DrawingSurface {
 public:
  explicit PainterSurface(QPainter& painter);

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
  QPainter& painter_;
  QPen savedPen_;
  int alignment_ = 0;  // left and top, as a fresh device context has it
  QPoint position_;
};
