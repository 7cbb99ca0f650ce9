// The cube as a solid in space: where each face lies, the layer a cell is in, and turning about a face's
// axis.
#pragma once

#include "cube/cube.h"

// World axes: x towards R, y towards U, z towards F; one cell is one unit and the cube's centre is the
// origin, so a cube of size n spans -n/2 to n/2 on each axis.
struct Vector3 {
  double x, y, z;
};

inline double Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A face seen from outside: its outward normal, the step along its columns (left to right) and along its
// rows (top to bottom), and the sign of each coordinate of the corner before row 0 and column 0, which
// lies at corner * n / 2. Every entry is -1, 0 or 1.
struct FaceAxes {
  int normal[3];
  int column[3];
  int row[3];
  int corner[3];
};

const FaceAxes& AxesOf(Face face);
// Dot product of two of those whole-number vectors, and one of them as a vector in space.
int AxisDot(const int* a, const int* b);
Vector3 ToVector(const int* v);

// Where a cell lands after `quarterTurns` clockwise quarter turns (as seen from `axis`) of the layers
// that hold it; any count, negative ones the other way.
void TurnCell(int n, Face axis, int quarterTurns, Face* face, int* row, int* column);

// Sine and cosine of an angle in degrees, exact at every multiple of 90 so that edge-on faces and whole
// quarter turns come out exact.
void SinCosDegrees(double degrees, double* sine, double* cosine);

// A turn by an angle about a face's outward normal through the origin; positive angles are
// counter-clockwise as seen from that face.
struct AxisTurn {
  Vector3 axis;
  double sine, cosine;
};
AxisTurn MakeAxisTurn(Face axis, double degrees);
Vector3 Turned(const AxisTurn& turn, const Vector3& v);

// The viewer's frame: `toward` points from the cube to the viewer, `right` and `up` span the picture.
// TURN is how far the viewer stands round the vertical axis from in front of F, positive towards R;
// TILT how far above the horizontal plane, positive towards U; both in degrees.
struct CameraAxes {
  Vector3 right, up, toward;
};
CameraAxes CameraAxesFor(double turn, double tilt);
