// Frames of the solid cube: pieces ordered back to front, their visible faces and facelets projected.
#include <cmath>

#include "ui/solid/cube_space.h"
#include "ui/solid/cube_view.h"

namespace {

// Each facelet keeps this share of its cell clear on every side, the body's black showing through.
const double kFaceletInset = 0.06;
// The empty space between the two views of "front and back", as a share of the cube's edge.
const double kViewGap = 0.25;
// A capital fits inside a facelet at this share of the circle the facelet holds; letters are 5 by 7.
const double kLetterShare = 0.6;

// One view: world point to window pixel, orthographic.
struct Projection {
  CameraAxes axes;
  double scale, centreX, centreY;
};

// What turns and how far; a still cube is one piece that does not move.
struct Motion {
  Face axis;
  int first, last;
  bool moving;
  AxisTurn turn;
  int nearestQuarterTurns;  // the whole quarter turns whose places the moving facelets are nearest
};

struct Piece {
  int first, last;  // layers counted from the motion's axis face
  int8_t index;
};

// A plane point and two steps on the screen: where (row s, column t) of a face lands is
// origin + s * rowStep + t * columnStep.
struct ScreenPlane {
  double originX, originY, rowX, rowY, columnX, columnY;
};

struct Scene {
  int n;
  const int32_t* cells;
  Motion motion;
  Projection view;
  CubeFrame* frame;
};

Motion StillMotion(int n) {
  Motion motion = {U, 1, n, false, MakeAxisTurn(U, 0), 0};
  return motion;
}

Motion MotionOf(int n, const BlockMove& move, double fraction) {
  const int quarters = ((move.quarterTurns % 4) + 4) % 4;
  if (move.face < U || move.face > D || move.first < 1 || move.first > move.last || move.last > n ||
      quarters == 0)
    return StillMotion(n);
  if (!(fraction >= 0)) fraction = 0;  // NaN too
  if (fraction > 1) fraction = 1;
  const int signedQuarters = quarters == 3 ? -1 : quarters;
  Motion motion;
  motion.axis = move.face;
  motion.first = move.first;
  motion.last = move.last;
  motion.moving = true;
  // Clockwise as seen from the face is the negative way about its outward normal.
  motion.turn = MakeAxisTurn(move.face, -90.0 * signedQuarters * fraction);
  motion.nearestQuarterTurns = static_cast<int>(std::floor(fraction * signedQuarters + 0.5));
  return motion;
}

CubePolygon* Append(CubeFrame* frame) {
  return frame->count < kCubeFrameCapacity ? &frame->polygons[frame->count++] : nullptr;
}

void SetCorners(CubePolygon* p, const ScreenPlane& plane, double s0, double t0, double s1, double t1) {
  const double s[kCubePolygonCorners] = {s0, s0, s1, s1};
  const double t[kCubePolygonCorners] = {t0, t1, t1, t0};
  for (int k = 0; k < kCubePolygonCorners; ++k) {
    p->x[k] = static_cast<float>(plane.originX + s[k] * plane.rowX + t[k] * plane.columnX);
    p->y[k] = static_cast<float>(plane.originY + s[k] * plane.rowY + t[k] * plane.columnY);
  }
}

// The diameter of the circle inside the parallelogram spanned by the two steps: its smaller height.
double InscribedDiameter(const ScreenPlane& plane, double side) {
  const double area = std::fabs(plane.rowX * plane.columnY - plane.rowY * plane.columnX) * side * side;
  const double rowLength = std::hypot(plane.rowX, plane.rowY) * side;
  const double columnLength = std::hypot(plane.columnX, plane.columnY) * side;
  const double longer = rowLength > columnLength ? rowLength : columnLength;
  return longer > 0 ? area / longer : 0;
}

void AddFacelet(const Scene& scene, const ScreenPlane& plane, const Piece& piece, Face face, int row,
                int column, double letterHeight) {
  CubePolygon* p = Append(scene.frame);
  if (p == nullptr) return;
  SetCorners(p, plane, row + kFaceletInset, column + kFaceletInset, row + 1 - kFaceletInset,
             column + 1 - kFaceletInset);
  const Colour colour = scene.cells[CellIndex(face, row, column)];
  const bool named = colour >= 0 && colour < 6;
  p->brush = static_cast<uint8_t>(named ? colour : 0);
  p->colour = static_cast<int8_t>(named ? colour : -1);
  const bool moving = scene.motion.moving && piece.index == 1;
  if (moving) TurnCell(scene.n, scene.motion.axis, scene.motion.nearestQuarterTurns, &face, &row, &column);
  p->face = static_cast<int8_t>(face);
  p->row = static_cast<int8_t>(row);
  p->column = static_cast<int8_t>(column);
  p->piece = piece.index;
  p->moving = moving;
  p->letterX = static_cast<float>(plane.originX + (row + 0.5) * plane.rowX + (column + 0.5) * plane.columnX);
  p->letterY = static_cast<float>(plane.originY + (row + 0.5) * plane.rowY + (column + 0.5) * plane.columnY);
  p->letterHeight = static_cast<float>(letterHeight);
}

// The piece's side that faces the way `side` does: a whole face of the cube, a strip of one, or a cut
// face inside the cube. Drawn only when it faces the viewer: black, then its facelets inset on it.
void DrawPieceSide(const Scene& scene, const Piece& piece, Face side) {
  const int n = scene.n;
  const double half = n / 2.0;
  const FaceAxes& axes = AxesOf(side);
  const FaceAxes& axisAxes = AxesOf(scene.motion.axis);
  const int facing = AxisDot(axes.normal, axisAxes.normal);
  // The rectangle of rows s0..s1 and columns t0..t1 of the face's plane, sunk `depth` below it.
  int depth = 0, s0 = 0, s1 = n, t0 = 0, t1 = n;
  if (facing > 0) {
    depth = piece.first - 1;
  } else if (facing < 0) {
    depth = n - piece.last;
  } else {
    // A side of the slab: the layers run along the face's rows or its columns.
    const int alongColumns = AxisDot(axes.column, axisAxes.normal);
    const int alongRows = AxisDot(axes.row, axisAxes.normal);
    // Layer k runs from k - 1 to k cells in from the axis face; a step towards it is a step out.
    int* low = alongColumns != 0 ? &t0 : &s0;
    int* high = alongColumns != 0 ? &t1 : &s1;
    const bool fromAxis = (alongColumns != 0 ? alongColumns : alongRows) < 0;
    *low = fromAxis ? piece.first - 1 : n - piece.last;
    *high = fromAxis ? piece.last : n - piece.first + 1;
  }
  Vector3 normal = ToVector(axes.normal);
  Vector3 origin = {axes.corner[0] * half - depth * normal.x, axes.corner[1] * half - depth * normal.y,
                    axes.corner[2] * half - depth * normal.z};
  Vector3 column = ToVector(axes.column);
  Vector3 row = ToVector(axes.row);
  if (scene.motion.moving && piece.index == 1) {
    normal = Turned(scene.motion.turn, normal);
    origin = Turned(scene.motion.turn, origin);
    column = Turned(scene.motion.turn, column);
    row = Turned(scene.motion.turn, row);
  }
  const Projection& view = scene.view;
  if (!(Dot(normal, view.axes.toward) > 0)) return;
  ScreenPlane plane;
  plane.originX = view.centreX + view.scale * Dot(origin, view.axes.right);
  plane.originY = view.centreY - view.scale * Dot(origin, view.axes.up);
  plane.rowX = view.scale * Dot(row, view.axes.right);
  plane.rowY = -view.scale * Dot(row, view.axes.up);
  plane.columnX = view.scale * Dot(column, view.axes.right);
  plane.columnY = -view.scale * Dot(column, view.axes.up);

  CubePolygon* body = Append(scene.frame);
  if (body == nullptr) return;
  SetCorners(body, plane, s0, t0, s1, t1);
  body->face = kBodyFace;
  body->row = body->column = -1;
  body->brush = kBodyBrush;
  body->colour = -1;
  body->piece = piece.index;
  body->moving = scene.motion.moving && piece.index == 1;
  body->letterX = body->letterY = body->letterHeight = 0;
  if (depth != 0) return;
  const double letterHeight = kLetterShare * InscribedDiameter(plane, 1 - 2 * kFaceletInset);
  for (int r = s0; r < s1; ++r)
    for (int c = t0; c < t1; ++c) AddFacelet(scene, plane, piece, side, r, c, letterHeight);
}

void DrawView(Scene& scene) {
  const Motion& motion = scene.motion;
  Piece pieces[3];
  int count = 0;
  if (motion.first > 1) pieces[count++] = {1, motion.first - 1, 0};
  pieces[count++] = {motion.first, motion.last, 1};
  if (motion.last < scene.n) pieces[count++] = {motion.last + 1, scene.n, 2};
  // The pieces lie in slabs across the axis, which the turn keeps; the slab on the viewer's side of
  // each plane between them comes later. Seen edge-on, no two overlap and any order will do.
  const bool axisFacesViewer = Dot(ToVector(AxesOf(motion.axis).normal), scene.view.axes.toward) > 0;
  for (int k = 0; k < count; ++k) {
    const Piece& piece = pieces[axisFacesViewer ? count - 1 - k : k];
    for (Face side = 0; side < 6; ++side) DrawPieceSide(scene, piece, side);
  }
}

double AbsSum(const Vector3& v) { return std::fabs(v.x) + std::fabs(v.y) + std::fabs(v.z); }

void BuildFrame(CubeFrame* frame, int size, const CubeState cells, const Motion& motion,
                const CubeCamera& camera, CubeLayout layout, const FitBox& box) {
  frame->count = 0;
  if (size < 1 || size > kMaxSize || box.width <= 0 || box.height <= 0) return;
  double tilt = camera.tilt;
  if (!(tilt >= -90)) tilt = -90;  // NaN too
  if (tilt > 90) tilt = 90;
  const double turn = std::isfinite(camera.turn) ? camera.turn : 0;
  Scene scene = {size, cells, motion, {}, frame};
  scene.view.axes = CameraAxesFor(turn, tilt);
  // The still cube's silhouette, half its width and height; the view from the other side has the same.
  const double half = size / 2.0;
  const double halfWidth = half * AbsSum(scene.view.axes.right);
  const double halfHeight = half * AbsSum(scene.view.axes.up);
  const bool both = layout == kLayoutFrontAndBack;
  const double gap = kViewGap * size;
  const double width = both ? 4 * halfWidth + gap : 2 * halfWidth;
  const double scaleX = box.width / width, scaleY = box.height / (2 * halfHeight);
  scene.view.scale = scaleX < scaleY ? scaleX : scaleY;
  const double middleX = box.left + box.width / 2.0;
  scene.view.centreX = both ? middleX - (halfWidth + gap / 2) * scene.view.scale : middleX;
  scene.view.centreY = box.top + box.height / 2.0;
  DrawView(scene);
  if (!both) return;
  scene.view.axes = CameraAxesFor(turn + 180, -tilt);
  scene.view.centreX = middleX + (halfWidth + gap / 2) * scene.view.scale;
  DrawView(scene);
}

}  // namespace

void BuildCubeFrame(CubeFrame* frame, int size, const CubeState cells, const CubeCamera& camera,
                    CubeLayout layout, const FitBox& box) {
  BuildFrame(frame, size, cells, StillMotion(size), camera, layout, box);
}

void BuildTurnFrame(CubeFrame* frame, int size, const CubeState cells, const BlockMove& move, double fraction,
                    const CubeCamera& camera, CubeLayout layout, const FitBox& box) {
  BuildFrame(frame, size, cells, MotionOf(size, move, fraction), camera, layout, box);
}
