// Facelet rotation within a face, the twelve face turns and the two inner-slice turns, as data.
#include "cube/face_map.h"

namespace {

// A position along a strip: start = offset + ends * n (n = N - 1), then step per j.
struct Coord {
  int8_t offset, ends, step;
};
const Coord kZero = {0, 0, 0};
const Coord kOne = {1, 0, 0};
const Coord kLast = {0, 1, 0};
const Coord kPenult = {-1, 1, 0};
const Coord kRun = {0, 0, 1};
const Coord kRunBack = {0, 1, -1};

struct Strip {
  Face toFace;
  Coord toRow, toColumn;
  Face fromFace;
  Coord fromRow, fromColumn;
};

struct FaceTurn {
  Face face;
  int16_t turnMode;
  Strip strips[4];
};

// Cell index (or row or column) along a strip: start + j * step.
struct Line {
  int start, step;
};

Line Locate(Face face, Coord row, Coord column, int n) {
  return {CellIndex(face, row.offset + row.ends * n, column.offset + column.ends * n),
          row.step * kMaxSize + column.step};
}

// Reads every strip from the shadow copy, writes it into the live one, then copies exactly those cells back.
void MoveStrips(Cube& cube, const Strip* strips, int count) {
  const int n = cube.size - 1;
  int32_t* live = cube.live;
  int32_t* shadow = cube.shadow;
  Line to[4];
  for (int s = 0; s < count; ++s) {
    const Strip& strip = strips[s];
    to[s] = Locate(strip.toFace, strip.toRow, strip.toColumn, n);
    const Line from = Locate(strip.fromFace, strip.fromRow, strip.fromColumn, n);
    for (int j = 0; j <= n; ++j) live[to[s].start + j * to[s].step] = shadow[from.start + j * from.step];
  }
  for (int s = 0; s < count; ++s)
    for (int j = 0; j <= n; ++j) {
      const int cell = to[s].start + j * to[s].step;
      shadow[cell] = live[cell];
    }
}

// clang-format off
// Each strip: new toFace[row][column] = old fromFace[row][column], for j from 0 to N - 1.
const FaceTurn kQuarterU = {U, 0, {{L, kZero,   kRun,    F, kZero,    kRun}, {F, kZero,   kRun,    R, kZero,    kRun},
                                   {R, kZero,   kRun,    B, kZero,    kRun}, {B, kZero,   kRun,    L, kZero,    kRun}}};
const FaceTurn kHalfU = {U, 2, {{L, kZero,   kRun,    R, kZero,    kRun}, {F, kZero,   kRun,    B, kZero,    kRun},
                                {R, kZero,   kRun,    L, kZero,    kRun}, {B, kZero,   kRun,    F, kZero,    kRun}}};
const FaceTurn kQuarterL = {L, 0, {{F, kRun,    kZero,   U, kRun,     kZero}, {D, kRun,    kZero,   F, kRun,     kZero},
                                   {B, kRun,    kLast,   D, kRunBack, kZero}, {U, kRun,    kZero,   B, kRunBack, kLast}}};
const FaceTurn kHalfL = {L, 2, {{F, kRun,    kZero,   B, kRunBack, kLast}, {B, kRun,    kLast,   F, kRunBack, kZero},
                                {U, kRun,    kZero,   D, kRun,     kZero}, {D, kRun,    kZero,   U, kRun,     kZero}}};
const FaceTurn kQuarterF = {F, 0, {{L, kRun,    kLast,   D, kZero,    kRun}, {R, kRun,    kZero,   U, kLast,    kRun},
                                   {U, kLast,   kRun,    L, kRunBack, kLast}, {D, kZero,   kRun,    R, kRunBack, kZero}}};
const FaceTurn kHalfF = {F, 2, {{L, kRun,    kLast,   R, kRunBack, kZero}, {R, kRun,    kZero,   L, kRunBack, kLast},
                                {U, kLast,   kRun,    D, kZero,    kRunBack}, {D, kZero,   kRun,    U, kLast,    kRunBack}}};
const FaceTurn kQuarterR = {R, 0, {{F, kRun,    kLast,   D, kRun,     kLast}, {U, kRun,    kLast,   F, kRun,     kLast},
                                   {B, kRun,    kZero,   U, kRunBack, kLast}, {D, kRun,    kLast,   B, kRunBack, kZero}}};
const FaceTurn kHalfR = {R, 2, {{F, kRun,    kLast,   B, kRunBack, kZero}, {B, kRun,    kZero,   F, kRunBack, kLast},
                                {U, kRun,    kLast,   D, kRun,     kLast}, {D, kRun,    kLast,   U, kRun,     kLast}}};
const FaceTurn kQuarterB = {B, 0, {{U, kZero,   kRun,    R, kRun,     kLast}, {L, kRun,    kZero,   U, kZero,    kRunBack},
                                   {D, kLast,   kRun,    L, kRun,     kZero}, {R, kRun,    kLast,   D, kLast,    kRunBack}}};
const FaceTurn kHalfB = {B, 2, {{L, kRun,    kZero,   R, kRunBack, kLast}, {R, kRun,    kLast,   L, kRunBack, kZero},
                                {U, kZero,   kRun,    D, kLast,    kRunBack}, {D, kLast,   kRun,    U, kZero,    kRunBack}}};
const FaceTurn kQuarterD = {D, 0, {{F, kLast,   kRun,    L, kLast,    kRun}, {R, kLast,   kRun,    F, kLast,    kRun},
                                   {B, kLast,   kRun,    R, kLast,    kRun}, {L, kLast,   kRun,    B, kLast,    kRun}}};
const FaceTurn kHalfD = {D, 2, {{L, kLast,   kRun,    R, kLast,    kRun}, {F, kLast,   kRun,    B, kLast,    kRun},
                                {R, kLast,   kRun,    L, kLast,    kRun}, {B, kLast,   kRun,    F, kLast,    kRun}}};
// The layer next to L, turned like L; B holds it in column N - 2, read bottom to top.
const Strip kColumnSlice[4] = {{F, kRun,    kOne,    U, kRun,     kOne}, {U, kRun,    kOne,    B, kRunBack, kPenult},
                               {B, kRunBack, kPenult, D, kRun,     kOne}, {D, kRun,    kOne,    F, kRun,     kOne}};
// The layer next to U, turned like D.
const Strip kRowSlice[4] = {{F, kOne,    kRun,    L, kOne,     kRun}, {L, kOne,    kRun,    B, kOne,     kRun},
                            {B, kOne,    kRun,    R, kOne,     kRun}, {R, kOne,    kRun,    F, kOne,     kRun}};
// clang-format on

// The same strips one layer deeper per depth: a row or column fixed at the face's own edge moves inwards.
Coord Deeper(Coord coord, int depth) {
  if (coord.step == 0) coord.offset = static_cast<int8_t>(coord.offset + (coord.ends != 0 ? -depth : depth));
  return coord;
}

void MoveLayer(Cube& cube, const FaceTurn& turn, int depth) {
  Strip strips[4];
  for (int s = 0; s < 4; ++s) {
    strips[s] = turn.strips[s];
    strips[s].toRow = Deeper(strips[s].toRow, depth);
    strips[s].toColumn = Deeper(strips[s].toColumn, depth);
    strips[s].fromRow = Deeper(strips[s].fromRow, depth);
    strips[s].fromColumn = Deeper(strips[s].fromColumn, depth);
  }
  MoveStrips(cube, strips, 4);
}

void TurnFace(Cube& cube, const FaceTurn& turn) {
  RotateFacelets(cube, turn.face, turn.turnMode);
  MoveStrips(cube, turn.strips, 4);
}

void TurnSlice(Cube& cube, const Strip* strips) {
  if (cube.size < 3) return;
  MoveStrips(cube, strips, 4);
  CopyCube(cube.size, cube.live, cube.shadow);
}

}  // namespace

void MapFace(Cube& cube, Face to, Face from, FaceTransform how) {
  const int n = cube.size - 1;
  // Source cell of (i, j) is origin + i * down + j * across.
  static const int8_t originRows[] = {0, 1, 1, 0, 1, 0};
  static const int8_t originColumns[] = {0, 1, 0, 1, 0, 1};
  static const int8_t down[] = {kMaxSize, -kMaxSize, -kMaxSize, kMaxSize, 1, -1};
  static const int8_t across[] = {1, -1, 1, -1, -kMaxSize, kMaxSize};
  const int origin = CellIndex(from, originRows[how] * n, originColumns[how] * n);
  const int first = CellIndex(to, 0, 0);
  for (int i = 0; i <= n; ++i)
    for (int j = 0; j <= n; ++j)
      cube.live[first + i * kMaxSize + j] = cube.shadow[origin + i * down[how] + j * across[how]];
}

void RotateFacelets(Cube& cube, Face face, int16_t turnMode) {
  static const FaceTransform byMode[] = {kClockwise, kAnticlockwise, kHalf};
  MapFace(cube, face, face, byMode[turnMode]);
  CopyFace(cube.size, face, cube.live, cube.shadow);
}

void QuarterTurnU(Cube& cube) { TurnFace(cube, kQuarterU); }
void QuarterTurnL(Cube& cube) { TurnFace(cube, kQuarterL); }
void QuarterTurnF(Cube& cube) { TurnFace(cube, kQuarterF); }
void QuarterTurnR(Cube& cube) { TurnFace(cube, kQuarterR); }
void QuarterTurnB(Cube& cube) { TurnFace(cube, kQuarterB); }
void QuarterTurnD(Cube& cube) { TurnFace(cube, kQuarterD); }
void HalfTurnU(Cube& cube) { TurnFace(cube, kHalfU); }
void HalfTurnL(Cube& cube) { TurnFace(cube, kHalfL); }
void HalfTurnF(Cube& cube) { TurnFace(cube, kHalfF); }
void HalfTurnR(Cube& cube) { TurnFace(cube, kHalfR); }
void HalfTurnB(Cube& cube) { TurnFace(cube, kHalfB); }
void HalfTurnD(Cube& cube) { TurnFace(cube, kHalfD); }
void TurnColumnSlice(Cube& cube) { TurnSlice(cube, kColumnSlice); }
void TurnRowSlice(Cube& cube) { TurnSlice(cube, kRowSlice); }

namespace {

typedef void (*Turn)(Cube&);

// The one table of layer turns: a quarter and a half turn per layer; a slice has no half turn of its own.
struct LayerTurn {
  Turn quarter, half;
};
const LayerTurn kLayerTurns[kLayerCount] = {
    {QuarterTurnU, HalfTurnU},  {QuarterTurnL, HalfTurnL}, {QuarterTurnF, HalfTurnF},
    {QuarterTurnR, HalfTurnR},  {QuarterTurnB, HalfTurnB}, {QuarterTurnD, HalfTurnD},
    {TurnColumnSlice, nullptr}, {TurnRowSlice, nullptr},
};

}  // namespace

void TurnLayer(Cube& cube, int16_t layer, int16_t quarterTurns) {
  if (layer < 0 || layer >= kLayerCount) return;
  const auto& turns = kLayerTurns[layer];
  if (turns.half != nullptr && quarterTurns >= 2) {
    turns.half(cube);
    quarterTurns = static_cast<int16_t>(quarterTurns - 2);
  }
  for (int16_t k = 0; k < quarterTurns; ++k) turns.quarter(cube);
}

void TurnBlock(Cube& cube, Face face, int16_t first, int16_t last, int16_t quarterTurns) {
  static const FaceTurn* const quarters[] = {&kQuarterU, &kQuarterL, &kQuarterF,
                                             &kQuarterR, &kQuarterB, &kQuarterD};
  static const FaceTurn* const halves[] = {&kHalfU, &kHalfL, &kHalfF, &kHalfR, &kHalfB, &kHalfD};
  if (face < U || face > D || first < 1 || first > last || last > cube.size) return;
  quarterTurns = static_cast<int16_t>(((quarterTurns % 4) + 4) % 4);
  static const Face opposites[] = {D, R, B, L, F, U};
  const Face opposite = opposites[face];
  while (quarterTurns > 0) {
    const bool half = quarterTurns >= 2;
    const FaceTurn& turn = half ? *halves[face] : *quarters[face];
    // The far layer turns the same way in space, which its own face sees as the other way.
    if (first == 1) RotateFacelets(cube, face, half ? 2 : 0);
    if (last == cube.size && cube.size > 1) RotateFacelets(cube, opposite, half ? 2 : 1);
    for (int depth = first - 1; depth < last; ++depth) MoveLayer(cube, turn, depth);
    quarterTurns = static_cast<int16_t>(quarterTurns - (half ? 2 : 1));
  }
}
