// The fill of a cube frame: exact integer spans per row, so every caller gets the same pixels.
#include <cmath>
#include <cstring>

#include "ui/solid/cube_picture.h"

static_assert(kBodyBrush == kRasterBlack, "the body is painted in the raster's black");

namespace {

// Sixteenths of a pixel; a pixel's centre lies at 16 x + 8.
const int kSubpixels = 16;
// Far enough out to lose nothing a picture shows, near enough that the products below fit in 64 bits.
const int64_t kFixedLimit = int64_t(1) << 30;

int64_t ToFixed(float value, int scale) {
  const double scaled = static_cast<double>(value) * scale * kSubpixels;
  if (!(scaled > -kFixedLimit)) return -kFixedLimit;  // NaN too
  if (scaled > kFixedLimit) return kFixedLimit;
  return std::llround(scaled);
}

// The smallest whole k with k * denominator >= numerator, for a positive denominator.
int64_t CeilDivide(int64_t numerator, int64_t denominator) {
  const int64_t quotient = numerator / denominator;
  return quotient + (numerator % denominator > 0 ? 1 : 0);
}

int ClampToInt(int64_t value) {
  if (value < -(int64_t(1) << 30)) return -(1 << 30);
  if (value > (int64_t(1) << 30)) return 1 << 30;
  return static_cast<int>(value);
}

}  // namespace

void FixPolygon(const CubePolygon& polygon, int scale, FixedPolygon* fixed) {
  int64_t top = kFixedLimit, bottom = -kFixedLimit;
  for (int k = 0; k < kCubePolygonCorners; ++k) {
    fixed->x[k] = ToFixed(polygon.x[k], scale);
    fixed->y[k] = ToFixed(polygon.y[k], scale);
    if (fixed->y[k] < top) top = fixed->y[k];
    if (fixed->y[k] > bottom) bottom = fixed->y[k];
  }
  // Row y is crossed where top <= 16 y + 8 < bottom.
  fixed->firstRow = ClampToInt(CeilDivide(top - kSubpixels / 2, kSubpixels));
  fixed->endRow = ClampToInt(CeilDivide(bottom - kSubpixels / 2, kSubpixels));
  fixed->value = polygon.brush <= kRasterBlack ? polygon.brush : 0;
}

bool FixedRowSpan(const FixedPolygon& p, int y, int* begin, int* end) {
  if (y < p.firstRow || y >= p.endRow) return false;
  const int64_t centre = int64_t(y) * kSubpixels + kSubpixels / 2;
  // Where each edge crosses the row's centre line, as the first pixel whose centre is at or right of it.
  int64_t crossings[kCubePolygonCorners];
  int count = 0;
  for (int k = 0; k < kCubePolygonCorners; ++k) {
    const int j = (k + 1) % kCubePolygonCorners;
    if ((p.y[k] > centre) == (p.y[j] > centre)) continue;
    int64_t dy = p.y[j] - p.y[k];
    int64_t numerator = p.x[k] * dy + (centre - p.y[k]) * (p.x[j] - p.x[k]) - (kSubpixels / 2) * dy;
    if (dy < 0) dy = -dy, numerator = -numerator;
    crossings[count++] = CeilDivide(numerator, kSubpixels * dy);
  }
  if (count < 2) return false;
  // A convex polygon crosses a line twice; any other would need its crossings paired in order.
  int64_t left = crossings[0], right = crossings[0];
  for (int k = 1; k < count; ++k) {
    if (crossings[k] < left) left = crossings[k];
    if (crossings[k] > right) right = crossings[k];
  }
  if (left >= right) return false;
  *begin = ClampToInt(left);
  *end = ClampToInt(right);
  return true;
}

void PrepareCubeRaster(CubeRaster* raster, const CubeFrame& frame, int width, int height, int scale) {
  raster->width = width > 0 && scale > 0 ? width * scale : 0;
  raster->height = height > 0 && scale > 0 ? height * scale : 0;
  raster->count = 0;
  if (raster->width == 0 || raster->height == 0) return;
  for (int k = 0; k < frame.count && k < kCubeFrameCapacity; ++k)
    FixPolygon(frame.polygons[k], scale, &raster->polygons[raster->count++]);
}

void CubeRasterRow(const CubeRaster& raster, int y, uint8_t* row) {
  std::memset(row, 0, static_cast<size_t>(raster.width));
  for (int k = 0; k < raster.count; ++k) {
    int begin, end;
    if (!FixedRowSpan(raster.polygons[k], y, &begin, &end)) continue;
    if (begin < 0) begin = 0;
    if (end > raster.width) end = raster.width;
    if (end > begin) std::memset(row + begin, raster.polygons[k].value, static_cast<size_t>(end - begin));
  }
}

void CubeImageRow(void* raster, int y, uint8_t* row) {
  CubeRasterRow(*static_cast<const CubeRaster*>(raster), y, row);
}
