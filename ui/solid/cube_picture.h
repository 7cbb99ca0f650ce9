// Pictures of a cube frame without smoothing: its polygons filled a row at a time, and as SVG text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/picture.h"
#include "ui/solid/cube_view.h"

// A polygon in the fill's own units, sixteenths of a pixel at the picture's scale, and the rows it can
// touch. Pixel (x, y) is filled when its centre lies inside, or on a left or top edge.
struct FixedPolygon {
  int64_t x[kCubePolygonCorners], y[kCubePolygonCorners];
  int firstRow, endRow;
  uint8_t value;  // the brush, 0 to 5, or kRasterBlack
};
void FixPolygon(const CubePolygon& polygon, int scale, FixedPolygon* fixed);
// The run of pixels [*begin, *end) of row y that the polygon fills; false when it fills none.
bool FixedRowSpan(const FixedPolygon& polygon, int y, int* begin, int* end);

// A frame ready to be filled: fixed storage, so that the largest picture needs no image buffer.
struct CubeRaster {
  int width, height;  // pixels at the scale
  int count;
  FixedPolygon polygons[kCubeFrameCapacity];
};

// The frame, built for a picture of width × height pixels, at `scale` (1 to kPictureMaxScale).
void PrepareCubeRaster(CubeRaster* raster, const CubeFrame& frame, int width, int height, int scale);
// Row y (0 to height − 1) of the picture: width pixel values, the kRasterColours indices, brush 0 where no
// polygon lies; later polygons over earlier ones.
void CubeRasterRow(const CubeRaster& raster, int y, uint8_t* row);
// The same as an IndexedImage's row source, its context the CubeRaster.
void CubeImageRow(void* raster, int y, uint8_t* row);

// The frame as an SVG picture of width × height pixels at scale 1, drawn at `scale`, streamed to the sink:
// the body's polygons black, each facelet a polygon of class "facelet" with its face letter, row and
// column as data. `letters`, when given, holds a character per polygon ('\0' for none), written centred on
// it at its letter height. False when the sink refused a piece.
bool RenderCubeSvg(const CubeFrame& frame, int width, int height, int scale, const char* letters,
                   PictureSink sink, void* context);
