// Finding a pattern's symmetries: the symmetry count's orientation and walk, replayed on facelet maps.
#include "study/symmetry_group.h"

#include "analysis/analysis.h"
#include "cube/size_tables.h"
#include "study/pieces.h"

namespace {

const int kMaxDraws = 1000;

// Whole-cube rotations in the order the corner search numbers them, 1 to 4.
const int kDrawnRotations[4] = {kMapRotateRight, kMapRotateLeft, kMapRotateUp, kMapRotateDown};

// Everything that depends only on the size.
struct Tables {
  int cellCount;
  int16_t cells[kCellCount];  // the used cells
  // The 24 orientations, reached by rotations alone, with the orientation each drawn rotation leads to.
  FaceletMap rotation[24];
  CubeSymmetry rotationSymmetry[24];
  int8_t next[24][4];
  // The map from the normalised pattern to the cube at each of the count's 48 comparisons.
  FaceletMap walk[48];
  CubeSymmetry walkSymmetry[48];
};

void Step(int n, char step, FaceletMap* map) {
  ComposeMaps(n, *map, OperationMap(step == 'R' ? kMapStepRight : kMapStepDown, n), map);
}

void BuildOrientations(int n, Tables& tables) {
  IdentityMap(n, &tables.rotation[0]);
  tables.rotationSymmetry[0] = SymmetryOfMap(n, tables.rotation[0]);
  int found = 1;
  for (int o = 0; o < found; ++o)
    for (int k = 0; k < 4; ++k) {
      FaceletMap turned;
      ComposeMaps(n, tables.rotation[o], OperationMap(kDrawnRotations[k], n), &turned);
      const CubeSymmetry symmetry = SymmetryOfMap(n, turned);
      int j = 0;
      while (j < found && !SameSymmetry(tables.rotationSymmetry[j], symmetry)) ++j;
      if (j == found && found < 24) {
        tables.rotation[found] = turned;
        tables.rotationSymmetry[found++] = symmetry;
      }
      tables.next[o][k] = static_cast<int8_t>(j);
    }
}

void BuildWalk(int n, Tables& tables) {
  FaceletMap at;
  IdentityMap(n, &at);
  int k = 0;
  for (int pass = 1; pass <= 2; ++pass) {
    if (pass == 2) ComposeMaps(n, at, OperationMap(kMapReflectCentral, n), &at);
    for (const char* steps : kWalk) {
      for (; *steps; ++steps) Step(n, *steps, &at);
      tables.walkSymmetry[k] = SymmetryOfMap(n, at);
      tables.walk[k++] = at;
    }
    for (const char* steps = kClosingSteps; *steps; ++steps) Step(n, *steps, &at);
  }
}

void Build(int n, Tables* tables) {
  tables->cellCount = 0;
  ForEachUsedCell(n, [tables](int cell) { tables->cells[tables->cellCount++] = static_cast<int16_t>(cell); });
  BuildOrientations(n, *tables);
  BuildWalk(n, *tables);
}

// What the cube in orientation o shows at a cell: rotations move cells and keep their colours.
int32_t Shown(const Tables& tables, const CubeState pattern, int o, int face, int row, int column) {
  return pattern[tables.rotation[o].from[CellIndex(face, row, column)]];
}

// Odd sizes: white up by the centres, then yellow to the front.
int NormaliseByCentres(const Tables& tables, int n, const CubeState pattern) {
  const int m = n / 2;
  int o = 0;
  auto centre = [&](int face) { return Shown(tables, pattern, o, face, m, m); };
  auto turn = [&](int k) { o = tables.next[o][k]; };
  enum { kRight, kLeft, kUp, kDown };
  if (centre(D) == 0) {
    turn(kDown);
    turn(kDown);
  } else if (centre(L) == 0) {
    turn(kRight);
    turn(kUp);
  } else if (centre(R) == 0) {
    turn(kLeft);
    turn(kUp);
  } else if (centre(F) == 0) {
    turn(kUp);
  } else if (centre(B) == 0) {
    turn(kDown);
  }
  switch (centre(F)) {
    case 1: turn(kLeft); break;
    case 3: turn(kRight); break;
    case 4:
      turn(kLeft);
      turn(kLeft);
      break;
    default: break;
  }
  return o;
}

// Even sizes: the corner search's random walk, drawn from a copy of the generator.
int NormaliseByCorner(const Tables& tables, int n, const CubeState pattern, uint32_t state) {
  int o = 0;
  for (int draws = 1;; ++draws) {
    state = state * 214013u + 2531011u;
    const int32_t k = static_cast<int32_t>((state >> 16) & 0x7FFF) / 8191 + 1;
    if (k <= 4) o = tables.next[o][k - 1];
    const bool found = Shown(tables, pattern, o, F, 0, n - 1) == 2 &&
                       Shown(tables, pattern, o, U, n - 1, n - 1) == 0 &&
                       Shown(tables, pattern, o, R, 0, 0) == 3;
    if (found || draws == kMaxDraws) return o;
  }
}

bool Keeps(const Tables& tables, const FaceletMap& map, const CubeState pattern) {
  for (int k = 0; k < tables.cellCount; ++k) {
    const int cell = tables.cells[k];
    int32_t value = pattern[map.from[cell]];
    if (value >= 0 && value < 6) value = map.colour[value];
    if (value != pattern[cell]) return false;
  }
  return true;
}

CubeSymmetry Transposed(const CubeSymmetry& s) {
  CubeSymmetry t;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) t.m[i][j] = s.m[j][i];
  return t;
}

}  // namespace

CubeSymmetry SymmetryOfMap(int n, const FaceletMap& map) {
  CubeSymmetry s = {};
  for (int face = 0; face < 6; ++face) {
    // The face whose cells now lie on `face`: its normal turns into this face's normal.
    int8_t to[3], from[3], position[3];
    CellPosition(CellIndex(face, 0, 0), n, to, position);
    CellPosition(map.from[CellIndex(face, 0, 0)], n, from, position);
    for (int axis = 0; axis < 3; ++axis)
      if (from[axis] != 0)
        for (int i = 0; i < 3; ++i) s.m[i][axis] = static_cast<int8_t>(from[axis] * to[i]);
  }
  return s;
}

void FindSymmetryGroup(const Cube& cube, const Random& random, SymmetryReport* report) {
  const int n = cube.size;
  const Tables& tables = TableOfSize<Tables, Build>(n);
  const int o = n % 2 == 1 ? NormaliseByCentres(tables, n, cube.live)
                           : NormaliseByCorner(tables, n, cube.live, random.state);
  CubeState normalised;
  ApplyMap(n, tables.rotation[o], cube.live, normalised);

  // Seen from the pattern as shown: first into the normalised frame, the symmetry, then back.
  const CubeSymmetry& into = tables.rotationSymmetry[o];
  const CubeSymmetry back = Transposed(into);
  report->symmetries = report->rotations = 0;
  for (int k = 0; k < 48; ++k) {
    if (!Keeps(tables, tables.walk[k], normalised)) continue;
    const int at = report->symmetries++;
    if (k < 24) ++report->rotations;
    report->kept[at] = ComposeSymmetries(ComposeSymmetries(into, tables.walkSymmetry[k]), back);
    DescribeSymmetry(report->kept[at], report->words[at], kSymmetryWordsSize);
  }
  report->totalC = 24 / report->rotations;
  report->totalM = 48 / report->symmetries;
  NameSymmetryGroup(report->kept, report->symmetries, report->group, sizeof report->group);
}
