// The cube drawn as a solid: the camera, the layouts, and a frame of filled polygons in window pixels.
#pragma once

#include <cstdint>

#include "cube/block_move.h"
#include "cube/cube.h"

// Where the viewer stands, in degrees: TURN round the vertical axis from in front of F, positive towards R
// (-180 to 180); TILT above the horizontal plane, positive towards U (-90 to 90). Values beyond are
// taken round the circle and held at the poles.
struct CubeCamera {
  double turn, tilt;
};
const CubeCamera kDefaultCubeCamera = {30, 25};  // U, F and R show

enum CubeLayout : int8_t {
  kLayoutCube,          // one view
  kLayoutFrontAndBack,  // that view, and beside it on the right the cube from the opposite side
};

// The client rectangle the picture is fitted into, proportions kept and centred.
struct FitBox {
  int left, top, width, height;
};

// A polygon's corners in order round it, clockwise on the screen.
const int kCubePolygonCorners = 4;
// A body polygon's face, and its fill: the outline pen's black, as the pictures number it.
const int8_t kBodyFace = -1;
const uint8_t kBodyBrush = 6;

struct CubePolygon {
  // Window pixels; pixel (x, y) covers x to x + 1 and y to y + 1.
  float x[kCubePolygonCorners], y[kCubePolygonCorners];
  // The facelet as the pattern file and the net number it, or kBodyFace (row and column -1) for the black
  // of the body, the gaps and the cut faces of a turning block. A facelet of a turning block names the
  // cell whose place it is nearest to: the cell it came from up to half way, the one it goes to after.
  int8_t face, row, column;
  // What fills it: brushes 0 to 5 for a facelet (a cell holding no colour is painted as brush 0, the
  // background), 6 for the body's black.
  uint8_t brush;
  // The colour of the cell it shows, -1 when that cell holds none.
  int8_t colour;
  // Which convex piece it belongs to: 0 the still layers between the move's face and the turning
  // block, 1 the block, 2 the still layers beyond it. A still frame is one piece, 1, that is not moving.
  int8_t piece;
  bool moving;
  // Where a letter goes on a facelet and the capital height that still fits inside it.
  float letterX, letterY, letterHeight;
};

// Every facelet once, and per view at most three faces of each of three pieces.
const int kCubeFrameCapacity = 6 * kMaxSize * kMaxSize + 2 * 3 * 3;

// A picture of the cube, back to front: each polygon lies over the ones before it that it overlaps.
struct CubeFrame {
  int count;
  CubePolygon polygons[kCubeFrameCapacity];
};

// The still cube of size 1 to 10 holding `cells` (indexed as CellIndex numbers them). A facelet shows
// when its face points towards the viewer, strictly; the others are in no list. The projection is
// orthographic; the silhouette of the still cube fills the box. Nothing for any other size or an empty box.
void BuildCubeFrame(CubeFrame* frame, int size, const CubeState cells, const CubeCamera& camera,
                    CubeLayout layout, const FitBox& box);

// A frame of an animated move: `cells` is the pattern before it, and the block's layers are drawn turned
// `fraction` (0 to 1) of the move's angle about its axis, the rest still, at the same scale as the still
// frame. Three quarter turns animate as one quarter the other way. A move that is no block of this size,
// or turns no quarter, is drawn still.
void BuildTurnFrame(CubeFrame* frame, int size, const CubeState cells, const BlockMove& move, double fraction,
                    const CubeCamera& camera, CubeLayout layout, const FitBox& box);

// The facelet painted at client pixel (x, y): the topmost polygon whose fill covers the pixel, by the
// same rule as the picture's fill. False on the body's black and where no polygon lies.
bool HitTestCubeFrame(const CubeFrame& frame, int x, int y, Face* face, int* row, int* column);
