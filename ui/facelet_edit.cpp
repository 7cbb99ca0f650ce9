// Facelet editing: setting a square's colour as a command, and the click that cycles it.
#include "ui/facelet_edit.h"

#include "ui/document.h"
#include "ui/ui.h"

bool EditFacelet(Face face, int row, int column, Colour colour) {
  if (face < 0 || face > 5 || row < 0 || row >= document.cube.size || column < 0 ||
      column >= document.cube.size)
    return false;
  if (colour < 0 || colour > 5) return false;
  const int cell = CellIndex(face, row, column);
  return RunCommand([cell, colour] { document.cube.live[cell] = document.cube.shadow[cell] = colour; }, true);
}

namespace {

bool CycleCell(Face face, int row, int column, bool backwards) {
  const Colour colour = document.cube.live[CellIndex(face, row, column)];
  // A colour off the palette starts the round again at white.
  const Colour next = colour < 0 || colour > 5 ? 0 : (colour + (backwards ? 5 : 1)) % 6;
  return EditFacelet(face, row, column, next);
}

}  // namespace

bool CycleFacelet(int x, int y, bool backwards) {
  Face face;
  int row, column;
  return HitTestNet(x, y, &face, &row, &column) && CycleCell(face, row, column, backwards);
}

bool ClickSquare(int clientX, int clientY, int clientWidth, int clientHeight, bool backwards) {
  Face face;
  int row, column;
  return HitTestWindow(clientX, clientY, clientWidth, clientHeight, &face, &row, &column) &&
         CycleCell(face, row, column, backwards);
}
