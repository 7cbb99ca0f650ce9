// The facelet under a client pixel, by the picture's own fill rule at scale 1.
#include "ui/solid/cube_picture.h"

namespace {

// Whether the pixel's centre lies clearly beyond the polygon's bounds, which spares the exact test.
bool FarOutside(const CubePolygon& p, float centreX, float centreY) {
  float left = p.x[0], right = p.x[0], top = p.y[0], bottom = p.y[0];
  for (int k = 1; k < kCubePolygonCorners; ++k) {
    left = p.x[k] < left ? p.x[k] : left;
    right = p.x[k] > right ? p.x[k] : right;
    top = p.y[k] < top ? p.y[k] : top;
    bottom = p.y[k] > bottom ? p.y[k] : bottom;
  }
  return centreX < left - 1 || centreX > right + 1 || centreY < top - 1 || centreY > bottom + 1;
}

}  // namespace

bool HitTestCubeFrame(const CubeFrame& frame, int x, int y, Face* face, int* row, int* column) {
  for (int k = frame.count - 1; k >= 0; --k) {
    const CubePolygon& polygon = frame.polygons[k];
    if (FarOutside(polygon, x + 0.5f, y + 0.5f)) continue;
    FixedPolygon fixed;
    FixPolygon(polygon, 1, &fixed);
    int begin, end;
    if (!FixedRowSpan(fixed, y, &begin, &end) || x < begin || x >= end) continue;
    if (polygon.face == kBodyFace) return false;
    *face = polygon.face;
    *row = polygon.row;
    *column = polygon.column;
    return true;
  }
  return false;
}
