// Layer turns, whole-cube rotations and reflections checked against a 3D model of the cube's facelets.
#include <gtest/gtest.h>

#include <string>

#include "support/cube_helpers.h"

namespace {

struct Vec {
  int x, y, z;
};
bool operator==(Vec a, Vec b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
int Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Negate(Vec a) { return {-a.x, -a.y, -a.z}; }

// A facelet: its cubie's position, doubled and centred (2p - (N - 1)), and the way it faces.
struct Facelet {
  Vec position, normal;
};

const Vec kNormal[6] = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {0, -1, 0}};

int FaceFacing(Vec normal) {
  for (int face = 0; face < 6; ++face)
    if (kNormal[face] == normal) return face;
  return -1;
}

// x from L to R, y from D to U, z from B to F; each face drawn as seen from outside.
Facelet FaceletAt(int face, int r, int c, int n) {
  const int m = n - 1;
  Vec p{};
  switch (face) {
    case U: p = {c, m, r}; break;
    case D: p = {c, 0, m - r}; break;
    case F: p = {c, m - r, m}; break;
    case B: p = {m - c, m - r, 0}; break;
    case L: p = {0, m - r, c}; break;
    case R: p = {m, m - r, m - c}; break;
  }
  return {{2 * p.x - m, 2 * p.y - m, 2 * p.z - m}, kNormal[face]};
}

int CellOf(const Facelet& facelet, int n) {
  const int m = n - 1;
  const int x = (facelet.position.x + m) / 2, y = (facelet.position.y + m) / 2,
            z = (facelet.position.z + m) / 2;
  const int face = FaceFacing(facelet.normal);
  switch (face) {
    case U: return CellIndex(U, z, x);
    case D: return CellIndex(D, m - z, x);
    case F: return CellIndex(F, m - y, x);
    case B: return CellIndex(B, m - y, m - x);
    case L: return CellIndex(L, m - y, z);
    case R: return CellIndex(R, m - y, m - z);
  }
  return -1;
}

// A quarter turn clockwise as seen from outside the face whose outward normal is `outward`.
Vec QuarterClockwise(Vec v, Vec outward) {
  const Vec a = Negate(outward);  // right-handed quarter turn about -outward
  const int d = Dot(a, v);
  return {a.x * d + a.y * v.z - a.z * v.y, a.y * d + a.z * v.x - a.x * v.z, a.z * d + a.x * v.y - a.y * v.x};
}

// Turns the cubies at `depth` layers in from `layerFace` (all of them when depth is -1), each quarter
// clockwise as seen from outside `sense`.
struct PhysicalMove {
  const char* name;
  Operation operation;
  Face sense;
  Face layerFace;
  int depth;
  int quarters;
};

// A face's quarter and half turn: its own outer layer, turned clockwise as seen from outside it.
// clang-format off
#define FACE_TURNS(face)                                    \
  {"QuarterTurn" #face, QuarterTurn##face, face, face, 0, 1}, \
  {"HalfTurn" #face, HalfTurn##face, face, face, 0, 2}
// clang-format on

const PhysicalMove kMoves[] = {
    FACE_TURNS(U),
    FACE_TURNS(L),
    FACE_TURNS(F),
    FACE_TURNS(R),
    FACE_TURNS(B),
    FACE_TURNS(D),
    {"TurnColumnSlice", TurnColumnSlice, L, L, 1, 1},  // layer x = 1, turned like L
    {"TurnRowSlice", TurnRowSlice, D, U, 1, 1},        // layer y = N - 2, turned like D
    {"RotateLeft", RotateLeft, U, U, -1, 1},           // the sense of a clockwise U turn
    {"RotateRight", RotateRight, D, D, -1, 1},         // counter-clockwise seen from above
    {"RotateUp", RotateUp, R, R, -1, 1},               // clockwise seen from R: the front goes up
    {"RotateDown", RotateDown, L, L, -1, 1},
};

#undef FACE_TURNS

const int32_t kLiveUnused = -1000000, kShadowUnused = -2000000;

// Used cells get `label(cell)` in both copies; unused cells get sentinels that differ between them.
template <typename Label>
void Fill(int n, Label label) {
  for (int cell = 0; cell < kCellCount; ++cell) {
    const bool used = IsUsedCell(cell, n);
    document.cube.live[cell] = used ? label(cell) : kLiveUnused - cell;
    document.cube.shadow[cell] = used ? label(cell) : kShadowUnused - cell;
  }
}

// Labels for Fill: one distinct value a cell, or values -1 to 7 mixed over the cells (colours and others).
int32_t Distinct(int cell) { return 1000 + cell; }
int32_t Mixed(int cell) { return (cell * 7 + cell / 13) % 9 - 1; }

std::string Name(int cell) {
  return std::string(1, "ULFRBD"[cell / kFaceStride]) + "[" + std::to_string(cell % kFaceStride / kMaxSize) +
         "][" + std::to_string(cell % kMaxSize) + "]";
}

// Every difference from the expected pattern, and any break of the two-copy rule or the unused cells.
std::string Problems(const CubeState expected, int n) {
  std::string problems;
  int count = 0;
  for (int cell = 0; cell < kCellCount && count < 6; ++cell) {
    std::string problem;
    if (!IsUsedCell(cell, n)) {
      if (document.cube.live[cell] != kLiveUnused - cell ||
          document.cube.shadow[cell] != kShadowUnused - cell)
        problem = "unused cell written";
    } else if (document.cube.live[cell] != expected[cell]) {
      problem = "want " + std::to_string(expected[cell]) + " got " + std::to_string(document.cube.live[cell]);
    } else if (document.cube.shadow[cell] != document.cube.live[cell]) {
      problem = "shadow differs";
    }
    if (!problem.empty()) {
      problems += Name(cell) + ": " + problem + "; ";
      ++count;
    }
  }
  return problems;
}

// What turning the layers `first` to `last` in from `layerFace` (0 is the outer one) makes of the
// pattern now in document.cube.live, each a quarter clockwise `quarters` times as seen from outside `sense`.
void ExpectedTurn(Face sense, Face layerFace, int first, int last, int quarters, int n, CubeState expected) {
  for (int cell = 0; cell < kCellCount; ++cell) expected[cell] = document.cube.live[cell];
  for (int face = 0; face < 6; ++face)
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < n; ++c) {
        Facelet facelet = FaceletAt(face, r, c, n);
        const int depth = (n - 1 - Dot(facelet.position, kNormal[layerFace])) / 2;
        if (depth < first || depth > last) continue;
        for (int q = 0; q < quarters; ++q) {
          facelet.position = QuarterClockwise(facelet.position, kNormal[sense]);
          facelet.normal = QuarterClockwise(facelet.normal, kNormal[sense]);
        }
        expected[CellOf(facelet, n)] = document.cube.live[CellIndex(face, r, c)];
      }
}

// What the physical move makes of the pattern now in document.cube.live.
void ExpectedAfter(const PhysicalMove& move, int n, CubeState expected) {
  const bool slice = move.depth > 0;
  const int first = move.depth >= 0 ? move.depth : 0, last = move.depth >= 0 ? move.depth : n - 1;
  ExpectedTurn(move.sense, move.layerFace, first, last, slice && n < 3 ? 0 : move.quarters, n, expected);
}

class PhysicalFrame : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { document.cube.size = static_cast<int16_t>(GetParam()); }
  int N() const { return GetParam(); }
};

TEST_P(PhysicalFrame, EveryTurnAndRotationIsThePhysicalMove) {
  for (const PhysicalMove& move : kMoves) {
    SCOPED_TRACE(move.name);
    Fill(N(), Distinct);
    CubeState expected;
    ExpectedAfter(move, N(), expected);
    move.operation(document.cube);
    EXPECT_EQ(Problems(expected, N()), "");
  }
}

// Every block of adjacent layers, in both senses: the one general turn is the physical move.
TEST_P(PhysicalFrame, EveryBlockOfLayersIsThePhysicalMove) {
  for (int face = U; face <= D; ++face)
    for (int first = 1; first <= N(); ++first)
      for (int last = first; last <= N(); ++last)
        for (int quarters = 1; quarters <= 3; ++quarters) {
          SCOPED_TRACE(std::string(1, "ULFRBD"[face]) + " layers " + std::to_string(first) + "-" +
                       std::to_string(last) + " x" + std::to_string(quarters));
          Fill(N(), Distinct);
          CubeState expected;
          ExpectedTurn(static_cast<Face>(face), static_cast<Face>(face), first - 1, last - 1, quarters, N(),
                       expected);
          TurnBlock(document.cube, static_cast<Face>(face), static_cast<int16_t>(first),
                    static_cast<int16_t>(last), static_cast<int16_t>(quarters));
          ASSERT_EQ(Problems(expected, N()), "");
        }
}

// The face turns and the two slices are blocks of one layer, so the old turns and the general one agree.
TEST_P(PhysicalFrame, FaceTurnsAndSlicesAreBlocksOfOneLayer) {
  const int n = N();
  const struct {
    Operation operation;
    Face face;
    int layer, quarters;
  } cases[] = {{QuarterTurnU, U, 1, 1},    {HalfTurnL, L, 1, 2},       {QuarterTurnF, F, 1, 1},
               {HalfTurnR, R, 1, 2},       {QuarterTurnB, B, 1, 1},    {QuarterTurnD, D, 1, 1},
               {TurnColumnSlice, L, 2, 1}, {TurnRowSlice, D, n - 1, 1}};
  for (const auto& test : cases) {
    if (n < 3 && test.operation != nullptr &&
        (test.operation == TurnColumnSlice || test.operation == TurnRowSlice))
      continue;  // no inner layer
    Fill(n, Distinct);
    test.operation(document.cube);
    CubeState old;
    CopyCube(document.cube.size, document.cube.live, old);
    Fill(n, Distinct);
    TurnBlock(document.cube, test.face, static_cast<int16_t>(test.layer), static_cast<int16_t>(test.layer),
              static_cast<int16_t>(test.quarters));
    EXPECT_EQ(Problems(old, n), "") << "face " << test.face << " layer " << test.layer;
  }
  // Blocks that are no set of layers change nothing.
  Fill(n, Distinct);
  CubeState before;
  CopyCube(document.cube.size, document.cube.live, before);
  const int16_t ranges[][2] = {{0, 1}, {2, 1}, {1, static_cast<int16_t>(n + 1)}};
  for (const auto& range : ranges) TurnBlock(document.cube, U, range[0], range[1], 1);
  EXPECT_EQ(Problems(before, n), "");
}

// Point reflection (every facelet to the opposite place) or the mirror between L and R, followed by
// the recolouring that sends each home colour to the face its home face was mirrored onto.
void ExpectedMirror(bool central, int n, CubeState expected) {
  auto mirror = [central](Vec v) { return central ? Negate(v) : Vec{-v.x, v.y, v.z}; };
  for (int cell = 0; cell < kCellCount; ++cell) expected[cell] = document.cube.live[cell];
  for (int face = 0; face < 6; ++face)
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < n; ++c) {
        const Facelet facelet = FaceletAt(face, r, c, n);
        const int32_t value = document.cube.live[CellIndex(face, r, c)];
        const bool colour = value >= 0 && value < 6;
        expected[CellOf({mirror(facelet.position), mirror(facelet.normal)}, n)] =
            colour ? FaceFacing(mirror(kNormal[value])) : value;
      }
}

TEST_P(PhysicalFrame, ReflectionsAreMirrorImagesInHomeColours) {
  const struct {
    const char* name;
    Operation operation;
    bool central;
  } reflections[] = {{"ReflectCentral", ReflectCentral, true}, {"ReflectRightLeft", ReflectRightLeft, false}};
  for (const auto& reflection : reflections) {
    SCOPED_TRACE(reflection.name);
    // Distinct labels show where each facelet goes; the mixed fill (including values that are no
    // colour) shows the recolouring.
    int32_t (*const labels[])(int) = {Distinct, Mixed};
    for (int fill = 0; fill < 2; ++fill) {
      Fill(N(), labels[fill]);
      CubeState expected;
      ExpectedMirror(reflection.central, N(), expected);
      reflection.operation(document.cube);
      EXPECT_EQ(Problems(expected, N()), "") << "fill " << fill;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PhysicalFrame, ::testing::Range(1, 11));

// Worked facts, independent of the model: turn senses and the reversed strips of F.
TEST(LayerTurnFacts, QuarterTurnFOnLabelledThreeCube) {
  document.cube.size = 3;
  for (int cell = 0; cell < kCellCount; ++cell) document.cube.live[cell] = document.cube.shadow[cell] = cell;
  QuarterTurnF(document.cube);
  EXPECT_EQ(document.cube.live[CellIndex(L, 0, 2)], CellIndex(D, 0, 0));
  EXPECT_EQ(document.cube.live[CellIndex(L, 2, 2)], CellIndex(D, 0, 2));
  EXPECT_EQ(document.cube.live[CellIndex(U, 2, 0)], CellIndex(L, 2, 2));
  EXPECT_EQ(document.cube.live[CellIndex(D, 0, 0)], CellIndex(R, 2, 0));
  EXPECT_EQ(document.cube.live[CellIndex(R, 0, 0)], CellIndex(U, 2, 0));
  EXPECT_EQ(document.cube.live[CellIndex(F, 0, 2)], CellIndex(F, 0, 0));
  EXPECT_EQ(document.cube.live[CellIndex(F, 1, 1)], CellIndex(F, 1, 1));
}

TEST(LayerTurnFacts, SolvedThreeCubeColoursAfterOneMove) {
  const struct {
    Operation operation;
    const char* rows;  // U L F R B D, row by row, three cells each
  } cases[] = {
      {QuarterTurnU, "000000000 222111111 333222222 444333333 111444444 555555555"},
      {TurnColumnSlice, "040040040 111111111 202202202 333333333 454454454 525525525"},
      {TurnRowSlice, "000000000 111444111 222111222 333222333 444333444 555555555"},
      {RotateLeft, "000000000 222222222 333333333 444444444 111111111 555555555"},
      {RotateUp, "222222222 111111111 555555555 333333333 000000000 444444444"},
  };
  for (const auto& test : cases) {
    StartSolved(3);
    test.operation(document.cube);
    std::string rows;
    for (int face = 0; face < 6; ++face) {
      for (int cell = 0; cell < 9; ++cell)
        rows += static_cast<char>('0' + document.cube.live[CellIndex(face, cell / 3, cell % 3)]);
      if (face < 5) rows += ' ';
    }
    EXPECT_EQ(rows, test.rows);
  }
}

}  // namespace
