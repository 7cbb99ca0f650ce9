// The cubie geometry of the net: every used cell placed in space, grouped into pieces and orbits.
#include "study/pieces.h"

#include "cube/size_tables.h"

namespace {

// Each face's normal, and how its row and column run in space: axis 0 x (L to R), 1 y (D to U), 2 z (B
// to F); a cell coordinate is `row` or `column` counted from the low end, or from the high end if reversed.
struct FaceFrame {
  int8_t normalAxis, normalSign;
  int8_t rowAxis, rowReversed;
  int8_t columnAxis, columnReversed;
};
// U: row 0 at B, column 0 at L. L: column 0 at B. F: column 0 at L. R: column 0 at F. B: column 0
// at R. D: row 0 at F. Side faces: row 0 at the top.
const FaceFrame kFrames[6] = {
    {1, 1, 2, 0, 0, 0}, {0, -1, 1, 1, 2, 0}, {2, 1, 1, 1, 0, 0},
    {0, 1, 1, 1, 2, 1}, {2, -1, 1, 1, 0, 1}, {1, -1, 2, 1, 0, 0},
};

bool IsEnd(int coordinate, int n) { return coordinate == 0 || coordinate == n - 1; }

int Dot(const int8_t a[3], const int8_t b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void Cross(const int8_t a[3], const int8_t b[3], int8_t out[3]) {
  out[0] = static_cast<int8_t>(a[1] * b[2] - a[2] * b[1]);
  out[1] = static_cast<int8_t>(a[2] * b[0] - a[0] * b[2]);
  out[2] = static_cast<int8_t>(a[0] * b[1] - a[1] * b[0]);
}

int FaceOf(int cell) { return cell / kFaceStride; }
bool OnUpOrDown(int cell) { return FaceOf(cell) == U || FaceOf(cell) == D; }
bool OnFrontOrBack(int cell) { return FaceOf(cell) == F || FaceOf(cell) == B; }

// The first of a centre's four places under its face's rotations, as row * 10 + column.
int8_t CentreOrbit(int row, int column, int n) {
  int best = row * kMaxSize + column;
  for (int turn = 0; turn < 3; ++turn) {
    const int next = n - 1 - row;
    row = column;
    column = next;
    if (row * kMaxSize + column < best) best = row * kMaxSize + column;
  }
  return static_cast<int8_t>(best);
}

void OrderCells(Piece* piece, int n) {
  int16_t* c = piece->cells;
  auto swap = [](int16_t& a, int16_t& b) {
    const int16_t t = a;
    a = b;
    b = t;
  };
  if (piece->count == 2) {
    if (OnUpOrDown(c[1]) || (!OnUpOrDown(c[0]) && OnFrontOrBack(c[1]))) swap(c[0], c[1]);
    return;
  }
  if (piece->count != 3) return;
  for (int k = 1; k < 3; ++k)
    if (OnUpOrDown(c[k])) swap(c[0], c[k]);
  // Clockwise seen from outside: (first × second) points into the cube.
  int8_t a[3], b[3], axb[3], position[3];
  CellPosition(c[0], n, a, position);
  CellPosition(c[1], n, b, position);
  Cross(a, b, axb);
  const int8_t outward[3] = {static_cast<int8_t>(position[0] == 0 ? -1 : 1),
                             static_cast<int8_t>(position[1] == 0 ? -1 : 1),
                             static_cast<int8_t>(position[2] == 0 ? -1 : 1)};
  if (Dot(axb, outward) > 0) swap(c[1], c[2]);
}

void Build(int n, PieceSet* set) {
  set->count = 0;
  for (int cell = 0; cell < kCellCount; ++cell) set->pieceOfCell[cell] = -1;
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (cell % kFaceStride / kMaxSize >= n || cell % kMaxSize >= n) continue;
    int8_t normal[3], position[3];
    CellPosition(cell, n, normal, position);
    int found = -1;
    for (int k = 0; k < set->count && found < 0; ++k) {
      const Piece& p = set->pieces[k];
      if (p.x == position[0] && p.y == position[1] && p.z == position[2]) found = k;
    }
    if (found < 0) {
      found = set->count++;
      Piece& p = set->pieces[found];
      p = Piece{};
      p.x = position[0];
      p.y = position[1];
      p.z = position[2];
    }
    Piece& piece = set->pieces[found];
    piece.cells[piece.count++] = static_cast<int16_t>(cell);
    set->pieceOfCell[cell] = static_cast<int16_t>(found);
  }
  for (int k = 0; k < set->count; ++k) {
    Piece& piece = set->pieces[k];
    OrderCells(&piece, n);
    const int8_t* at = &piece.x;
    if (piece.count == 3) {
      piece.kind = kCornerPiece;
    } else if (piece.count == 2) {
      int along = 0;
      for (int axis = 0; axis < 3; ++axis)
        if (!IsEnd(at[axis], n)) along = at[axis];
      const int fromEnd = along < n - 1 - along ? along : n - 1 - along;
      const bool middle = n % 2 == 1 && along == n / 2;
      piece.kind = middle ? kMiddleEdgePiece : kWingPiece;
      piece.orbit = static_cast<int8_t>(middle ? 0 : fromEnd);
    } else {
      const int cell = piece.cells[0];
      const int row = cell % kFaceStride / kMaxSize, column = cell % kMaxSize;
      const bool fixed = n % 2 == 1 && row == n / 2 && column == n / 2;
      piece.kind = fixed ? kFixedCentrePiece : kCentrePiece;
      piece.orbit = fixed ? 0 : CentreOrbit(row, column, n);
    }
  }
}

}  // namespace

void CellPosition(int cell, int n, int8_t normal[3], int8_t position[3]) {
  const FaceFrame& frame = kFrames[FaceOf(cell)];
  const int row = cell % kFaceStride / kMaxSize, column = cell % kMaxSize;
  for (int axis = 0; axis < 3; ++axis) normal[axis] = 0;
  normal[frame.normalAxis] = frame.normalSign;
  position[frame.normalAxis] = static_cast<int8_t>(frame.normalSign > 0 ? n - 1 : 0);
  position[frame.rowAxis] = static_cast<int8_t>(frame.rowReversed ? n - 1 - row : row);
  position[frame.columnAxis] = static_cast<int8_t>(frame.columnReversed ? n - 1 - column : column);
}

const PieceSet& PiecesOf(int n) { return TableOfSize<PieceSet, Build>(n); }
