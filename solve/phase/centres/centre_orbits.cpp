// Centre orbits' places at any size and the matching of each size's wide turns to its models' turns,
// found by comparing what the turns do to the places.
#include "solve/phase/centres/centre_orbits.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "cube/size_tables.h"
#include "solve/big/big_cube.h"

namespace {

// Which small cube, and which cell of its face, stands for each kind.
const int kModelSize[kCentreKinds] = {4, 5, 6, 6};
const int kModelRow[kCentreKinds] = {1, 1, 1, 2};
const int kModelColumn[kCentreKinds] = {1, 2, 2, 1};

void BuildModel(int kind, CentreModel* model) {
  const int n = kModelSize[kind];
  model->kind = kind;
  BuildCentrePlaces(n, kModelRow[kind], kModelColumn[kind], &model->places);
  model->moveCount = 0;
  for (int face = 0; face < 6; ++face)
    for (int depth = 1; depth <= n / 2; ++depth)
      for (int q = 1; q <= 3; ++q) model->moves[model->moveCount++] = Block(face, 1, depth, q);
  model->masks.Build(model->places, model->moves, model->moveCount);
}

bool SamePlaces(const int8_t* a, const int8_t* b) { return std::memcmp(a, b, kMaxOrbitPlaces) == 0; }

void BuildLayout(int n, CentreLayout* layout) {
  layout->n = n;
  layout->orbitCount = 0;
  layout->moveCount = 0;
  if (n < 4) return;
  for (int face = 0; face < 6; ++face)
    for (int depth = 1; depth <= n / 2; ++depth)
      for (int q = 1; q <= 3; ++q) layout->moves[layout->moveCount++] = Block(face, 1, depth, q);
  // One orbit for each cell of a face's upper left quarter (the middle column's cells are t-centres).
  const int middle = n % 2 == 1 ? n / 2 : -1;
  for (int row = 1; 2 * row < n - 1; ++row)
    for (int column = 1; 2 * column <= n - 1; ++column) {
      CentreOrbit& orbit = layout->orbits[layout->orbitCount++];
      orbit.row = row;
      orbit.column = column;
      orbit.kind = column == middle ? kTCentres
                   : row == column  ? kXCentres
                   : row < column   ? kObliqueLeft
                                    : kObliqueRight;
      BuildCentrePlaces(n, row, column, &orbit.places);
      const CentreModel& model = CentreModelOf(orbit.kind);
      for (int m = 0; m < layout->moveCount; ++m) {
        int8_t from[kMaxOrbitPlaces] = {}, twist[kMaxOrbitPlaces];
        MovePlaces(orbit.places, layout->moves[m], from, twist);
        orbit.modelMove[m] = -1;
        for (int k = 0; k < model.moveCount && orbit.modelMove[m] < 0; ++k) {
          int8_t modelFrom[kMaxOrbitPlaces] = {};
          MovePlaces(model.places, model.moves[k], modelFrom, twist);
          if (SamePlaces(from, modelFrom)) orbit.modelMove[m] = static_cast<int8_t>(k);
        }
        // Every wide turn moves an orbit as one of its model's turns; anything else is a fault here.
        if (orbit.modelMove[m] < 0) std::abort();
      }
    }
}

}  // namespace

void BuildCentrePlaces(int n, int row, int column, OrbitPlaces* places) {
  places->n = n;
  places->kind = kXCentreOrbit;
  places->count = 0;
  std::memset(places->placeOfCell, -1, sizeof places->placeOfCell);
  for (int face = 0; face < 6; ++face) {
    int r = row, c = column;
    for (int k = 0; k < 4; ++k) {
      const int place = places->count++;
      places->cells[place][0] = static_cast<int16_t>(CellIndex(face, r, c));
      places->cells[place][1] = places->cells[place][2] = -1;
      places->placeOfCell[CellIndex(face, r, c)] = static_cast<int8_t>(place);
      // A clockwise quarter turn takes (r, c) to (c, n - 1 - r).
      const int next = c;
      c = n - 1 - r;
      r = next;
    }
  }
}

const CentreModel& CentreModelOf(int kind) {
  static CentreModel* models[kCentreKinds];
  static std::once_flag once;
  std::call_once(once, [] {
    static std::unique_ptr<CentreModel> storage[kCentreKinds];
    for (int k = 0; k < kCentreKinds; ++k) {
      storage[k].reset(new CentreModel);
      BuildModel(k, storage[k].get());
      models[k] = storage[k].get();
    }
  });
  return *models[kind];
}

const CentreLayout& CentreLayoutOf(int n) { return LargeTableOfSize<CentreLayout, BuildLayout>(n); }
