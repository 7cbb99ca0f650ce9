// Facelet editing: setting a square's colour as a command, and finding the square under a point.
#include "ui/facelet_edit.h"

#include "ui/ui.h"

namespace {

// The edit a command applies; commands take no arguments.
struct Edit {
  int cell;
  Colour colour;
};
Edit pending;

void ApplyPending() { liveCube[pending.cell] = shadowCube[pending.cell] = pending.colour; }

}  // namespace

bool EditFacelet(Face face, int row, int column, Colour colour) {
  if (face < 0 || face > 5 || row < 0 || row >= cubeSize || column < 0 || column >= cubeSize) return false;
  if (colour < 0 || colour > 5) return false;
  pending = {CellIndex(face, row, column), colour};
  return RunCommand(ApplyPending, true);
}

bool HitTestNet(int x, int y, Face* face, int* row, int* column) {
  for (Face f = 0; f < 6; ++f)
    for (int j = 0; j < cubeSize; ++j) {
      const int top = rowY[f][j] + 8;
      if (y < top || y > top + cellHeight - 2) continue;
      for (int k = 0; k < cubeSize; ++k) {
        const int left = columnX[f][k];
        if (x < left || x > left + cellWidth - 2) continue;
        *face = f;
        *row = j;
        *column = k;
        return true;
      }
    }
  return false;
}

bool CycleFacelet(int x, int y, bool backwards) {
  Face face;
  int row, column;
  if (!HitTestNet(x, y, &face, &row, &column)) return false;
  const Colour colour = liveCube[CellIndex(face, row, column)];
  // A colour off the palette starts the round again at white.
  const Colour next = colour < 0 || colour > 5 ? 0 : (colour + (backwards ? 5 : 1)) % 6;
  return EditFacelet(face, row, column, next);
}
