// Orbits' places and the symmetries as signed permutations of space, read from the cells' positions.
#include "solve/phase/phase_geometry.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "study/facelet_map.h"
#include "study/pieces.h"

namespace {

bool InOrbit(const Piece& piece, int n, OrbitKind kind) {
  switch (kind) {
    case kCornerOrbit: return piece.kind == kCornerPiece;
    case kMiddleEdgeOrbit: return piece.kind == kMiddleEdgePiece;
    case kWingOrbit: return piece.kind == kWingPiece && piece.orbit == 1;
    case kXCentreOrbit:
    case kTCentreOrbit: {
      if (piece.kind != kCentrePiece) return false;
      const int cell = piece.cells[0], row = cell % kFaceStride / kMaxSize, column = cell % kMaxSize;
      const bool rowEdge = row == 1 || row == n - 2, columnEdge = column == 1 || column == n - 2;
      if (kind == kXCentreOrbit) return rowEdge && columnEdge;
      return n % 2 == 1 && ((rowEdge && column == n / 2) || (columnEdge && row == n / 2));
    }
  }
  return false;
}

OrbitPlaces orbits[kMaxSize + 1][5];
std::once_flag orbitOnce[kMaxSize + 1][5];

void BuildOrbit(int n, OrbitKind kind, OrbitPlaces* orbit) {
  const PieceSet& set = PiecesOf(n);
  orbit->n = n;
  orbit->kind = kind;
  orbit->count = 0;
  std::memset(orbit->placeOfCell, -1, sizeof orbit->placeOfCell);
  for (int k = 0; k < set.count && orbit->count < kMaxOrbitPlaces; ++k) {
    const Piece& piece = set.pieces[k];
    if (!InOrbit(piece, n, kind)) continue;
    const int place = orbit->count++;
    for (int c = 0; c < 3; ++c) orbit->cells[place][c] = c < piece.count ? piece.cells[c] : -1;
    for (int c = 0; c < piece.count; ++c) orbit->placeOfCell[piece.cells[c]] = static_cast<int8_t>(place);
  }
}

// A symmetry as a signed permutation of the three axes: coordinate a of the image is sign[a] times
// coordinate axis[a] of the point.
struct SignedPermutation {
  int8_t axis[3], sign[3];
  int determinant;
};

struct Symmetries {
  SignedPermutation maps[kSymmetries];
  int16_t sources[kMaxSize + 1][kSymmetries][kCellCount];
  bool ready[kMaxSize + 1];
};

Symmetries* symmetries = nullptr;
std::once_flag symmetryOnce, symmetrySizeOnce[kMaxSize + 1];

void BuildMaps() {
  static Symmetries storage;
  symmetries = &storage;
  static const int8_t kPermutations[6][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1},
                                             {0, 2, 1}, {2, 1, 0}, {1, 0, 2}};
  // The 24 rotations first, the identity at 0, then the 24 mirror images.
  int count = 0;
  for (int wanted = 1; wanted >= -1; wanted -= 2)
    for (int p = 0; p < 6; ++p)
      for (int signs = 0; signs < 8; ++signs) {
        SignedPermutation map;
        int determinant = p < 3 ? 1 : -1;
        for (int a = 0; a < 3; ++a) {
          map.axis[a] = kPermutations[p][a];
          map.sign[a] = static_cast<int8_t>((signs >> a) & 1 ? -1 : 1);
          determinant *= map.sign[a];
        }
        if (determinant != wanted) continue;
        map.determinant = determinant;
        storage.maps[count++] = map;
      }
}

void Transform(const SignedPermutation& map, const int* in, int* out) {
  for (int a = 0; a < 3; ++a) out[a] = map.sign[a] * in[map.axis[a]];
}

// Cells keyed by normal and doubled, centred position, for finding a cell's image.
int CellKey(const int* normal, const int* doubled, int n) {
  int key = 0;
  for (int a = 0; a < 3; ++a) key = key * 3 + normal[a] + 1;
  for (int a = 0; a < 3; ++a) key = key * (2 * n + 1) + doubled[a] + n;
  return key;
}

void BuildSources(int n) {
  const int keys = 27 * (2 * n + 1) * (2 * n + 1) * (2 * n + 1);
  // The call's own: other sizes' sources may be built on other threads at the same time.
  std::vector<int16_t> cellOfKey(static_cast<size_t>(keys), -1);
  ForEachUsedCell(n, [&](int cell) {
    int8_t normal8[3], position8[3];
    CellPosition(cell, n, normal8, position8);
    int normal[3], doubled[3];
    for (int a = 0; a < 3; ++a) normal[a] = normal8[a], doubled[a] = 2 * position8[a] - (n - 1);
    cellOfKey[CellKey(normal, doubled, n)] = static_cast<int16_t>(cell);
  });
  for (int s = 0; s < kSymmetries; ++s) {
    int16_t* source = symmetries->sources[n][s];
    for (int c = 0; c < kCellCount; ++c) source[c] = static_cast<int16_t>(c);
    ForEachUsedCell(n, [&](int cell) {
      int8_t normal8[3], position8[3];
      CellPosition(cell, n, normal8, position8);
      int normal[3], doubled[3], imageNormal[3], imageDoubled[3];
      for (int a = 0; a < 3; ++a) normal[a] = normal8[a], doubled[a] = 2 * position8[a] - (n - 1);
      Transform(symmetries->maps[s], normal, imageNormal);
      Transform(symmetries->maps[s], doubled, imageDoubled);
      source[cellOfKey[CellKey(imageNormal, imageDoubled, n)]] = static_cast<int16_t>(cell);
    });
  }
}

const int kFaceNormals[6][3] = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {0, -1, 0}};

}  // namespace

const OrbitPlaces& OrbitOf(int n, OrbitKind kind) {
  std::call_once(orbitOnce[n][kind], [&] { BuildOrbit(n, kind, &orbits[n][kind]); });
  return orbits[n][kind];
}

void CellSources(int n, const BlockMove* moves, int count, int16_t* source) {
  for (int c = 0; c < kCellCount; ++c) source[c] = static_cast<int16_t>(c);
  for (int k = 0; k < count; ++k) CarryAlong(n, source, moves[k]);
}

void MovePlaces(const OrbitPlaces& orbit, const BlockMove& move, int8_t* from, int8_t* twist) {
  int16_t source[kCellCount];
  CellSources(orbit.n, &move, 1, source);
  for (int q = 0; q < orbit.count; ++q) {
    const int cell = source[orbit.cells[q][0]];
    from[q] = orbit.placeOfCell[cell];
    int turned = 0;
    for (int c = 0; c < 3; ++c)
      if (orbit.cells[from[q]][c] == cell) turned = c;
    twist[q] = static_cast<int8_t>(turned);
  }
}

const int16_t* SymmetrySources(int n, int symmetry) {
  std::call_once(symmetryOnce, BuildMaps);
  std::call_once(symmetrySizeOnce[n], [n] { BuildSources(n); });
  return symmetries->sources[n][symmetry];
}

void SymmetryPlaces(const OrbitPlaces& orbit, int symmetry, int8_t* from) {
  const int16_t* source = SymmetrySources(orbit.n, symmetry);
  for (int q = 0; q < orbit.count; ++q) from[q] = orbit.placeOfCell[source[orbit.cells[q][0]]];
}

int SymmetryFace(int n, int symmetry, int face) {
  SymmetrySources(n, symmetry);
  int image[3];
  Transform(symmetries->maps[symmetry], kFaceNormals[face], image);
  for (int f = 0; f < 6; ++f)
    if (std::memcmp(kFaceNormals[f], image, sizeof image) == 0) return f;
  return -1;
}

bool ConjugateMove(int n, int symmetry, const BlockMove& move, BlockMove* out) {
  const int face = SymmetryFace(n, symmetry, move.face);
  if (face < 0) return false;
  // A mirror image turns the other way round.
  const int turns = symmetries->maps[symmetry].determinant > 0 ? move.quarterTurns : 4 - move.quarterTurns;
  *out = Block(face, move.first, move.last, turns);
  return true;
}
