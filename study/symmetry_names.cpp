// The cube's symmetries by kind and axis: their words, and the name of a group from its kinds.
#include <cstdio>
#include <cstring>

#include "study/symmetry_group.h"

namespace {

enum Kind : int8_t {
  kIdentity,
  kQuarterTurn,
  kFaceHalfTurn,
  kEdgeHalfTurn,
  kThirdTurn,
  kInversion,
  kFaceMirror,      // in a plane between two opposite faces
  kDiagonalMirror,  // in a plane through two opposite edges
  kQuarterRotoreflection,
  kSixthRotoreflection,
  kKindCount
};

int Determinant(const CubeSymmetry& s) {
  const int8_t(*m)[3] = s.m;
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
         m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

int Trace(const CubeSymmetry& s) { return s.m[0][0] + s.m[1][1] + s.m[2][2]; }

// The rotation part: the symmetry itself, or its product with the central inversion.
CubeSymmetry Proper(const CubeSymmetry& s) {
  if (Determinant(s) > 0) return s;
  CubeSymmetry r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.m[i][j] = static_cast<int8_t>(-s.m[i][j]);
  return r;
}

// The axis of a half turn: a non-zero column of r + I, which is twice the axis times itself.
void HalfTurnAxis(const CubeSymmetry& r, int axis[3]) {
  for (int j = 0; j < 3; ++j) {
    bool any = false;
    for (int i = 0; i < 3; ++i) {
      axis[i] = r.m[i][j] + (i == j ? 1 : 0);
      any = any || axis[i] != 0;
    }
    if (any) return;
  }
}

int NonZero(const int v[3]) { return (v[0] != 0) + (v[1] != 0) + (v[2] != 0); }

// Twice the sine of the angle times the axis, from the antisymmetric part. For a rotoreflection it is
// that of the rotation made before the mirror in the plane across the axis.
void TurnVector(const CubeSymmetry& s, int w[3]) {
  w[0] = s.m[2][1] - s.m[1][2];
  w[1] = s.m[0][2] - s.m[2][0];
  w[2] = s.m[1][0] - s.m[0][1];
}

Kind KindOf(const CubeSymmetry& s) {
  const bool proper = Determinant(s) > 0;
  const int trace = Trace(proper ? s : Proper(s));
  int axis[3] = {0, 0, 0};
  if (trace == -1) HalfTurnAxis(Proper(s), axis);
  switch (trace) {
    case 3: return proper ? kIdentity : kInversion;
    case 1: return proper ? kQuarterTurn : kQuarterRotoreflection;
    case 0: return proper ? kThirdTurn : kSixthRotoreflection;
    default:
      if (NonZero(axis) == 1) return proper ? kFaceHalfTurn : kFaceMirror;
      return proper ? kEdgeHalfTurn : kDiagonalMirror;
  }
}

// Faces in the order a name lists them: U or D, then F or B, then R or L.
const int kNamingAxes[3] = {1, 2, 0};
const char kFaceLetters[3][2] = {{'L', 'R'}, {'D', 'U'}, {'B', 'F'}};

// "U", "U-F" or "U-F-R" for the face, edge or corner a vector points to.
void PlaceName(const int v[3], char* out) {
  int at = 0;
  for (int axis : kNamingAxes) {
    if (v[axis] == 0) continue;
    if (at > 0) out[at++] = '-';
    out[at++] = kFaceLetters[axis][v[axis] > 0];
  }
  out[at] = '\0';
}

// The two ends of an axis, the end whose first named face is U, F or R first.
void AxisEnds(const int v[3], char* first, char* second) {
  int a[3] = {v[0], v[1], v[2]};
  for (int axis : kNamingAxes)
    if (a[axis] != 0) {
      if (a[axis] < 0)
        for (int& c : a) c = -c;
      break;
    }
  const int b[3] = {-a[0], -a[1], -a[2]};
  PlaceName(a, first);
  PlaceName(b, second);
}

void Negate(int v[3]) {
  for (int k = 0; k < 3; ++k) v[k] = -v[k];
}

}  // namespace

CubeSymmetry ComposeSymmetries(const CubeSymmetry& a, const CubeSymmetry& b) {
  CubeSymmetry c;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      int sum = 0;
      for (int k = 0; k < 3; ++k) sum += b.m[i][k] * a.m[k][j];
      c.m[i][j] = static_cast<int8_t>(sum);
    }
  return c;
}

bool SameSymmetry(const CubeSymmetry& a, const CubeSymmetry& b) {
  return std::memcmp(a.m, b.m, sizeof a.m) == 0;
}

void DescribeSymmetry(const CubeSymmetry& symmetry, char* words, int size) {
  const Kind kind = KindOf(symmetry);
  int w[3], axis[3] = {0, 0, 0};
  TurnVector(symmetry, w);
  // Counter-clockwise about w, so clockwise seen from where -w points.
  Negate(w);
  char from[8], a[8], b[8];
  PlaceName(w, from);
  AxisEnds(w, a, b);
  if (kind == kFaceHalfTurn || kind == kEdgeHalfTurn || kind == kFaceMirror || kind == kDiagonalMirror) {
    HalfTurnAxis(Proper(symmetry), axis);
    AxisEnds(axis, a, b);
  }
  switch (kind) {
    case kIdentity: std::snprintf(words, size, "identity"); break;
    case kInversion: std::snprintf(words, size, "central inversion"); break;
    case kQuarterTurn:
      std::snprintf(words, size, "quarter turn about the %s-%s axis, clockwise seen from %s", a, b, from);
      break;
    case kThirdTurn:
      std::snprintf(words, size, "third turn about the %s to %s corner axis, clockwise seen from %s", a, b,
                    from);
      break;
    case kQuarterRotoreflection:
      std::snprintf(words, size, "quarter-turn rotoreflection about the %s-%s axis, clockwise seen from %s",
                    a, b, from);
      break;
    case kSixthRotoreflection:
      std::snprintf(words, size,
                    "sixth-turn rotoreflection about the %s to %s corner axis, clockwise seen from %s", a, b,
                    from);
      break;
    case kFaceHalfTurn: std::snprintf(words, size, "half turn about the %s-%s axis", a, b); break;
    case kEdgeHalfTurn:
      std::snprintf(words, size, "half turn about the axis through the middles of the %s and %s edges", a, b);
      break;
    case kFaceMirror: std::snprintf(words, size, "mirror in the plane between %s and %s", a, b); break;
    default: {
      // The plane across a diagonal axis holds the edges of the other diagonal in the same two faces.
      int k = 0;
      while (axis[k] == 0) ++k;
      axis[k] = -axis[k];
      AxisEnds(axis, a, b);
      std::snprintf(words, size, "mirror in the plane through the %s and %s edges", a, b);
      break;
    }
  }
}

void NameSymmetryGroup(const CubeSymmetry* elements, int count, char* name, int size) {
  int kinds[kKindCount] = {};
  for (int k = 0; k < count; ++k) ++kinds[KindOf(elements[k])];
  const int improper = kinds[kInversion] + kinds[kFaceMirror] + kinds[kDiagonalMirror] +
                       kinds[kQuarterRotoreflection] + kinds[kSixthRotoreflection];
  const bool inversion = kinds[kInversion] > 0;
  const bool faceAxis = kinds[kFaceHalfTurn] > 0;
  const char* text = nullptr;
  if (kinds[kThirdTurn] == 8) {
    if (count == 12) text = "T";
    if (count == 24) text = kinds[kQuarterTurn] > 0 ? "O" : inversion ? "Th" : "Td";
    if (count == 48) text = "Oh";
  } else if (kinds[kThirdTurn] == 2) {
    if (count == 3) text = "C3";
    if (count == 6) text = kinds[kEdgeHalfTurn] == 3 ? "D3" : inversion ? "S6" : "C3v";
    if (count == 12) text = "D3d";
  } else if (kinds[kQuarterTurn] == 2) {
    if (count == 4) text = "C4";
    if (count == 8) text = improper == 0 ? "D4" : inversion ? "C4h" : "C4v";
    if (count == 16) text = "D4h";
  } else if (kinds[kQuarterRotoreflection] == 2) {
    if (count == 4) text = "S4";
    if (count == 8)
      text = kinds[kFaceMirror] == 2 ? "D2d (side half turns about edge axes, mirrors between faces)"
                                     : "D2d (side half turns about face axes, diagonal mirrors)";
  } else if (count == 1) {
    text = "C1";
  } else if (count == 2) {
    if (faceAxis) text = "C2 (half turn about a face axis)";
    if (kinds[kEdgeHalfTurn] == 1) text = "C2 (half turn about an edge axis)";
    if (kinds[kFaceMirror] == 1) text = "Cs (mirror between opposite faces)";
    if (kinds[kDiagonalMirror] == 1) text = "Cs (diagonal mirror through opposite edges)";
    if (inversion) text = "Ci";
  } else if (count == 4) {
    if (improper == 0)
      text = kinds[kFaceHalfTurn] == 3 ? "D2 (three face axes)" : "D2 (one face axis, two edge axes)";
    else if (inversion)
      text = faceAxis ? "C2h (half turn about a face axis)" : "C2h (half turn about an edge axis)";
    else if (kinds[kEdgeHalfTurn] == 1)
      text = "C2v (edge axis, one mirror between faces, one diagonal)";
    else
      text = kinds[kFaceMirror] == 2 ? "C2v (face axis, mirrors between faces)"
                                     : "C2v (face axis, diagonal mirrors)";
  } else if (count == 8 && improper == 4) {
    text = kinds[kFaceHalfTurn] == 3 ? "D2h (three face axes)" : "D2h (one face axis, two edge axes)";
  }
  if (text != nullptr)
    std::snprintf(name, size, "%s", text);
  else
    std::snprintf(name, size, "no group (%d elements)", count);
}
