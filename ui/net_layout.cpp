// The cross-shaped net's layout: the metrics, the faces' places in the cross, and every square's box.
#include "ui/net_layout.h"

void SetStartMetrics(NetLayout* layout) {
  layout->cellWidth = 15;
  layout->cellHeight = 16;
  layout->faceBaseHeight = 38;
  layout->faceBaseWidth = 32;
}

void FillNetPlacement(NetLayout* layout) {
  static const int16_t kColumns[6] = {1, 0, 1, 2, 3, 1};
  static const int16_t kRows[6] = {0, 1, 1, 1, 1, 2};
  for (int face = 0; face < 6; ++face) {
    layout->netColumn[face] = kColumns[face];
    layout->netRow[face] = kRows[face];
  }
}

void ComputeNetLayout(NetLayout* layout, int n) {
  if (n <= 0) return;
  const int32_t stepX = (n - 2) * layout->cellWidth + layout->faceBaseWidth;
  const int32_t stepY = (n - 2) * layout->cellHeight + layout->faceBaseHeight;
  for (int face = 0; face < 6; ++face) {
    for (int16_t j = 0; j < n; ++j)
      layout->rowY[face][j] = static_cast<int16_t>(layout->netRow[face] * stepY + j * layout->cellHeight);
    for (int16_t k = 0; k < n; ++k)
      layout->columnX[face][k] =
          static_cast<int16_t>(layout->netColumn[face] * stepX + 4 + k * layout->cellWidth);
  }
}

void SquareBox(const NetLayout& layout, Face face, int row, int column, int* left, int* top, int* right,
               int* bottom) {
  // rowY is the row's reference; its squares start 8 below it.
  *left = layout.columnX[face][column];
  *top = layout.rowY[face][row] + 8;
  *right = *left + layout.cellWidth - 2;
  *bottom = *top + layout.cellHeight - 2;
}
