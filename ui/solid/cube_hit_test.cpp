// The facelet under a client pixel, by the picture's own fill rule at scale 1.
#include "ui/solid/cube_picture.h"

bool HitTestCubeFrame(const CubeFrame& frame, int x, int y, Face* face, int* row, int* column) {
  for (int k = frame.count - 1; k >= 0; --k) {
    const CubePolygon& polygon = frame.polygons[k];
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
