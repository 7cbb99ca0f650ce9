// Whole-cube quarter rotations, the two reflections and recolouring.
#include "cube/face_map.h"

namespace {

struct FaceMove {
  Face to, from;
  FaceTransform how;
};

struct Rotation {
  FaceMove moves[4];
  Face firstAxis;  // the faces on the axis turn within themselves afterwards
  int16_t firstMode;
  Face secondAxis;
  int16_t secondMode;
};

// B sits beside R in the net, so it is half-turned against the U, F, D strip.
const Rotation kLeft = {{{L, F, kSame}, {F, R, kSame}, {R, B, kSame}, {B, L, kSame}}, U, 0, D, 1};
const Rotation kRight = {{{L, B, kSame}, {F, L, kSame}, {R, F, kSame}, {B, R, kSame}}, U, 1, D, 0};
const Rotation kUp = {{{U, F, kSame}, {F, D, kSame}, {D, B, kHalf}, {B, U, kHalf}}, L, 1, R, 0};
const Rotation kDown = {{{U, B, kHalf}, {F, U, kSame}, {D, F, kSame}, {B, D, kHalf}}, L, 0, R, 1};

struct Reflection {
  FaceMove moves[6];
  int16_t colours[6];  // Recolour's arguments
};

const Reflection kCentral = {{{L, R, kFlipRows},
                              {R, L, kFlipRows},
                              {F, B, kFlipRows},
                              {B, F, kFlipRows},
                              {U, D, kFlipColumns},
                              {D, U, kFlipColumns}},
                             {5, 3, 4, 2, 0, 1}};
const Reflection kRightLeft = {{{U, U, kFlipColumns},
                                {F, F, kFlipColumns},
                                {B, B, kFlipColumns},
                                {D, D, kFlipColumns},
                                {L, R, kFlipColumns},
                                {R, L, kFlipColumns}},
                               {0, 3, 2, 4, 5, 1}};

void Rotate(Cube& cube, const Rotation& rotation) {
  for (const FaceMove& move : rotation.moves) MapFace(cube, move.to, move.from, move.how);
  CopyCube(cube.size, cube.live, cube.shadow);
  RotateFacelets(cube, rotation.firstAxis, rotation.firstMode);
  RotateFacelets(cube, rotation.secondAxis, rotation.secondMode);
}

void Reflect(Cube& cube, const Reflection& reflection) {
  for (const FaceMove& move : reflection.moves) MapFace(cube, move.to, move.from, move.how);
  CopyCube(cube.size, cube.live, cube.shadow);
  const int16_t* c = reflection.colours;
  Recolour(cube, c[0], c[1], c[2], c[3], c[4], c[5]);
}

}  // namespace

void RotateLeft(Cube& cube) { Rotate(cube, kLeft); }
void RotateRight(Cube& cube) { Rotate(cube, kRight); }
void RotateUp(Cube& cube) { Rotate(cube, kUp); }
void RotateDown(Cube& cube) { Rotate(cube, kDown); }
void ReflectCentral(Cube& cube) { Reflect(cube, kCentral); }
void ReflectRightLeft(Cube& cube) { Reflect(cube, kRightLeft); }

void Recolour(Cube& cube, int16_t new0, int16_t new1, int16_t new2, int16_t new4, int16_t new5,
              int16_t new3) {
  const int32_t map[6] = {new0, new1, new2, new3, new4, new5};
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cube.size; ++row)
      for (int column = 0; column < cube.size; ++column) {
        const int cell = CellIndex(face, row, column);
        const int32_t old = cube.shadow[cell];
        // Values that are no colour pass through untouched.
        cube.live[cell] = old >= 0 && old < 6 ? map[old] : old;
      }
  CopyCube(cube.size, cube.live, cube.shadow);
}
