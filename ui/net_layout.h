// The net's layout as data: where each face's block sits in the cross, the four metrics, and where every
// square sits in the window. The view reads it; nothing in it calls the view.
#pragma once

#include <cstdint>

#include "cube/cube.h"

struct NetLayout {
  // Pixels.
  int32_t cellWidth;
  int32_t cellHeight;
  int32_t faceBaseWidth;
  int32_t faceBaseHeight;
  // The face's block in the cross, and each square's left edge and row reference (its top edge is 8
  // below).
  int16_t netColumn[6];
  int16_t netRow[6];
  int16_t columnX[6][kMaxSize];
  int16_t rowY[6][kMaxSize];
};

void SetStartMetrics(NetLayout* layout);
void FillNetPlacement(NetLayout* layout);
// The squares' positions for a cube of size n from the metrics and the placement.
void ComputeNetLayout(NetLayout* layout, int n);
// The outline box of cell (face, row, column), right and bottom drawn.
void SquareBox(const NetLayout& layout, Face face, int row, int column, int* left, int* top, int* right,
               int* bottom);
