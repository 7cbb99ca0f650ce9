// The cube's faces in space, where quarter turns take cells, turns about a face's axis and the viewer's
// frame.
#include "ui/solid/cube_space.h"

#include <cmath>

namespace {

// clang-format off
const FaceAxes kFaceAxes[6] = {
    // normal      column       row          corner
    {{0, 1, 0},  {1, 0, 0},  {0, 0, 1},  {-1, 1, -1}},  // U: F below it in the net
    {{-1, 0, 0}, {0, 0, 1},  {0, -1, 0}, {-1, 1, -1}},  // L: its last column meets F
    {{0, 0, 1},  {1, 0, 0},  {0, -1, 0}, {-1, 1, 1}},   // F
    {{1, 0, 0},  {0, 0, -1}, {0, -1, 0}, {1, 1, 1}},    // R: its first column meets F
    {{0, 0, -1}, {-1, 0, 0}, {0, -1, 0}, {1, 1, -1}},   // B: its first column meets R
    {{0, -1, 0}, {1, 0, 0},  {0, 0, -1}, {-1, -1, 1}},  // D: F above it in the net
};
// clang-format on

// One clockwise quarter turn about unit axis a, as seen from its tip: a (a.v) - a x v.
void QuarterTurnVector(const int* a, int* v) {
  const int along = AxisDot(a, v);
  const int cross[3] = {a[1] * v[2] - a[2] * v[1], a[2] * v[0] - a[0] * v[2], a[0] * v[1] - a[1] * v[0]};
  for (int k = 0; k < 3; ++k) v[k] = a[k] * along - cross[k];
}

}  // namespace

const FaceAxes& AxesOf(Face face) { return kFaceAxes[face]; }

int AxisDot(const int* a, const int* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vector3 ToVector(const int* v) {
  return {static_cast<double>(v[0]), static_cast<double>(v[1]), static_cast<double>(v[2])};
}

void TurnCell(int n, Face axis, int quarterTurns, Face* face, int* row, int* column) {
  const FaceAxes& from = kFaceAxes[*face];
  int centre[3], normal[3];
  for (int k = 0; k < 3; ++k) {
    centre[k] = from.corner[k] * n + (2 * *column + 1) * from.column[k] + (2 * *row + 1) * from.row[k];
    normal[k] = from.normal[k];
  }
  for (int turns = ((quarterTurns % 4) + 4) % 4; turns > 0; --turns) {
    QuarterTurnVector(kFaceAxes[axis].normal, centre);
    QuarterTurnVector(kFaceAxes[axis].normal, normal);
  }
  for (Face to = 0; to < 6; ++to) {
    const FaceAxes& t = kFaceAxes[to];
    if (AxisDot(t.normal, normal) != 1) continue;
    int offset[3];
    for (int k = 0; k < 3; ++k) offset[k] = centre[k] - t.corner[k] * n;
    *face = to;
    *column = (AxisDot(offset, t.column) - 1) / 2;
    *row = (AxisDot(offset, t.row) - 1) / 2;
    return;
  }
}

void SinCosDegrees(double degrees, double* sine, double* cosine) {
  double reduced = std::fmod(degrees, 360.0);
  if (reduced < 0) reduced += 360.0;
  if (reduced == 0 || reduced == 90 || reduced == 180 || reduced == 270) {
    static const double kSines[4] = {0, 1, 0, -1};
    const int quarter = static_cast<int>(reduced) / 90;
    *sine = kSines[quarter];
    *cosine = kSines[(quarter + 1) % 4];
    return;
  }
  const double radians = reduced * (3.14159265358979323846 / 180.0);
  *sine = std::sin(radians);
  *cosine = std::cos(radians);
}

AxisTurn MakeAxisTurn(Face axis, double degrees) {
  AxisTurn turn;
  turn.axis = ToVector(kFaceAxes[axis].normal);
  SinCosDegrees(degrees, &turn.sine, &turn.cosine);
  return turn;
}

Vector3 Turned(const AxisTurn& t, const Vector3& v) {
  // Rodrigues' formula for a unit axis.
  const Vector3& a = t.axis;
  const Vector3 cross = {a.y * v.z - a.z * v.y, a.z * v.x - a.x * v.z, a.x * v.y - a.y * v.x};
  const double along = Dot(a, v) * (1 - t.cosine);
  return {v.x * t.cosine + cross.x * t.sine + a.x * along, v.y * t.cosine + cross.y * t.sine + a.y * along,
          v.z * t.cosine + cross.z * t.sine + a.z * along};
}

CameraAxes CameraAxesFor(double turn, double tilt) {
  double sinTurn, cosTurn, sinTilt, cosTilt;
  SinCosDegrees(turn, &sinTurn, &cosTurn);
  SinCosDegrees(tilt, &sinTilt, &cosTilt);
  CameraAxes axes;
  axes.toward = {sinTurn * cosTilt, sinTilt, cosTurn * cosTilt};
  axes.right = {cosTurn, 0, -sinTurn};
  axes.up = {-sinTurn * sinTilt, cosTilt, -cosTurn * sinTilt};
  return axes;
}
