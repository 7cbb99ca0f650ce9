// What the reachability check looks pieces up by: the pieces of each size by kind and orbit, the home
// piece of each set of colours, and the 24 whole-cube rotations as cell maps.
#include "cube/size_tables.h"
#include "study/reachability_steps.h"

namespace {

int FacesMask(const Piece& piece) {
  int mask = 0;
  for (int k = 0; k < piece.count; ++k) mask |= 1 << (piece.cells[k] / kFaceStride);
  return mask;
}

// Where along its edge a wing sits, seen from the edge's middle, against the turn from its first facelet
// to its second: a layer turn carries this handedness along, so a wing never shows its mirror.
int8_t WingSign(const Piece& wing, int n) {
  int8_t a[3], b[3], position[3];
  CellPosition(wing.cells[0], n, a, position);
  CellPosition(wing.cells[1], n, b, position);
  int8_t along[3] = {0, 0, 0};
  for (int axis = 0; axis < 3; ++axis)
    if (position[axis] != 0 && position[axis] != n - 1) along[axis] = 2 * position[axis] > n - 1 ? 1 : -1;
  const int det = (a[1] * b[2] - a[2] * b[1]) * along[0] + (a[2] * b[0] - a[0] * b[2]) * along[1] +
                  (a[0] * b[1] - a[1] * b[0]) * along[2];
  return static_cast<int8_t>(det > 0 ? 1 : -1);
}

void Build(int n, PieceLists* lists) {
  const PieceSet& set = PiecesOf(n);
  int corners = 0;
  lists->edgeCount = 0;
  lists->wingOrbitCount = (n - 2) / 2;
  lists->centreOrbitCount = 0;
  int wingsIn[kMaxWingOrbits] = {};
  int centresIn[kMaxCentreOrbits] = {};
  int edgeOfPlace[64];  // faces mask of an edge place -> which of the twelve it is
  int edgePlaces = 0;
  for (int m = 0; m < 64; ++m) lists->cornerOfMask[m] = lists->edgeOfMask[m] = -1, edgeOfPlace[m] = -1;
  for (int k = 0; k < set.count; ++k) {
    const Piece& piece = set.pieces[k];
    const int mask = FacesMask(piece);
    if (piece.kind == kCornerPiece) {
      lists->cornerOfMask[mask] = static_cast<int8_t>(corners);
      lists->corners[corners++] = k;
    } else if (piece.kind == kMiddleEdgePiece) {
      lists->edges[lists->edgeCount++] = k;
    } else if (piece.kind == kWingPiece) {
      const int orbit = piece.orbit - 1;
      lists->wings[orbit][wingsIn[orbit]++] = k;
      lists->wingSign[k] = WingSign(piece, n);
    } else if (piece.kind == kCentrePiece) {
      int slot = 0;
      while (slot < lists->centreOrbitCount && lists->centreOrbit[slot] != piece.orbit) ++slot;
      if (slot == lists->centreOrbitCount) lists->centreOrbit[lists->centreOrbitCount++] = piece.orbit;
      lists->centres[slot][centresIn[slot]++] = k;
    }
    if (piece.kind == kMiddleEdgePiece || piece.kind == kWingPiece) {
      if (edgeOfPlace[mask] < 0) {
        lists->edgeFaces[edgePlaces][0] = static_cast<int8_t>(piece.cells[0] / kFaceStride);
        lists->edgeFaces[edgePlaces][1] = static_cast<int8_t>(piece.cells[1] / kFaceStride);
        edgeOfPlace[mask] = edgePlaces++;
      }
      lists->edgeOfMask[mask] = static_cast<int8_t>(edgeOfPlace[mask]);
      lists->edgePlace[k] = static_cast<int8_t>(edgeOfPlace[mask]);
    }
  }
}

const int kRotationSteps[2] = {kMapRotateLeft, kMapRotateUp};

bool SameMap(int n, const FaceletMap& a, const FaceletMap& b) {
  bool same = true;
  ForEachUsedCell(n, [&](int cell) { same = same && a.from[cell] == b.from[cell]; });
  return same;
}

}  // namespace

namespace {

struct Rotations {
  FaceletMap of[24];
};

// Every rotation is a product of quarter rotations about two axes: close the identity under them.
void FindRotations(int n, Rotations* rotations) {
  FaceletMap* found = rotations->of;
  IdentityMap(n, &found[0]);
  int count = 1;
  for (int k = 0; k < count; ++k)
    for (int step : kRotationSteps) {
      FaceletMap next;
      ComposeMaps(n, found[k], OperationMap(step, n), &next);
      bool known = false;
      for (int j = 0; j < count && !known; ++j) known = SameMap(n, found[j], next);
      if (!known && count < 24) found[count++] = next;
    }
}

}  // namespace

const PieceLists& ListsOf(int n) { return TableOfSize<PieceLists, Build>(n); }

const FaceletMap* RotationsOf(int n) { return TableOfSize<Rotations, FindRotations>(n).of; }
