// The cross-shaped net: where every square goes, how it is painted, and the help box.
#include <cstdio>

#include "ui/document.h"
#include "ui/ui.h"

int32_t cellWidth;
int32_t cellHeight;
int32_t faceBaseWidth;
int32_t faceBaseHeight;
int16_t netColumn[6];
int16_t netRow[6];
int16_t columnX[6][kMaxSize];
int16_t rowY[6][kMaxSize];

void FillNetPlacement() {
  static const int16_t kColumns[6] = {1, 0, 1, 2, 3, 1};
  static const int16_t kRows[6] = {0, 1, 1, 1, 1, 2};
  for (int face = 0; face < 6; ++face) {
    netColumn[face] = kColumns[face];
    netRow[face] = kRows[face];
  }
}

void ComputeNetLayout() {
  const int16_t n = document.cube.size;
  if (n <= 0) return;
  const int32_t stepX = (n - 2) * cellWidth + faceBaseWidth;
  const int32_t stepY = (n - 2) * cellHeight + faceBaseHeight;
  for (int face = 0; face < 6; ++face) {
    for (int16_t j = 0; j < n; ++j)
      rowY[face][j] = static_cast<int16_t>(netRow[face] * stepY + j * cellHeight);
    for (int16_t k = 0; k < n; ++k)
      columnX[face][k] = static_cast<int16_t>(netColumn[face] * stepX + 4 + k * cellWidth);
  }
}

void DrawFacelet(DrawingSurface& surface, int brush, int16_t left, int16_t top, int16_t right,
                 int16_t bottom) {
  surface.MoveTo(left, top);
  surface.LineTo(right, top);
  surface.LineTo(right, bottom);
  surface.LineTo(left, bottom);
  surface.LineTo(left, top);
  surface.FillRectangle(left + 1, top + 1, right, bottom, brush);
}

void PaintNet(DrawingSurface& surface) { DrawNetOneToOne(surface, kLettersNone, true); }

void ShowHelp() {
  char text[256];
  std::snprintf(text, sizeof text,
                "u d f b l r\nArrow keys rotate in space\n%% = Show Symmetry\n\\ = Central Reflect\n| = RL "
                "Reflect\n* = Reset");
  platform->ShowMessage(text, "Help");
}
