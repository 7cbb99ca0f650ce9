// The raster of the net: a drawing surface into fixed storage, its capital letters, and its scaled rows.
#include <cstring>

#include "ui/picture.h"
#include "ui/view.h"

const PaletteColour kRasterColours[kRasterColourCount] = {kPalette[0], kPalette[1], kPalette[2], kPalette[3],
                                                          kPalette[4], kPalette[5], {0, 0, 0}};

namespace {

const int kGlyphWidth = 5;

struct Glyph {
  char letter;
  uint8_t rows[kPictureLetterHeight];  // bit 4 is the leftmost pixel
};

// The face names and the colour initials; nothing else is ever written on a picture.
const Glyph kGlyphs[] = {
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}}, {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}}, {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}}, {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}}, {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
};

const Glyph* FindGlyph(char letter) {
  for (const Glyph& glyph : kGlyphs)
    if (glyph.letter == letter) return &glyph;
  return nullptr;
}

int Sign(int value) { return (value > 0) - (value < 0); }
int Magnitude(int value) { return value < 0 ? -value : value; }

}  // namespace

void RasterSurface::Plot(int x, int y, uint8_t value) {
  if (x < 0 || y < 0 || x >= raster_.width || y >= raster_.height) return;
  raster_.pixels[y][x] = value;
}

int RasterSurface::SetAlignment(int alignment) {
  const int previous = alignment_;
  alignment_ = alignment;
  return previous;
}

void RasterSurface::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void RasterSurface::LineTo(int x, int y) {
  // Bresenham from the current position; the end point stays undrawn, as a window's LineTo leaves it.
  const int dx = Magnitude(x - x_), dy = -Magnitude(y - y_);
  const int stepX = Sign(x - x_), stepY = Sign(y - y_);
  int error = dx + dy;
  int px = x_, py = y_;
  while (px != x || py != y) {
    Plot(px, py, kRasterBlack);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      px += stepX;
    }
    if (twice <= dx) {
      error += dx;
      py += stepY;
    }
  }
  x_ = x;
  y_ = y;
}

void RasterSurface::FillRectangle(int left, int top, int right, int bottom, int brush) {
  const uint8_t value =
      brush == kOutlineBrush ? kRasterBlack : static_cast<uint8_t>(brush >= 0 && brush < 6 ? brush : 0);
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  if (right > raster_.width) right = raster_.width;
  if (bottom > raster_.height) bottom = raster_.height;
  for (int y = top; y < bottom; ++y)
    if (right > left) std::memset(&raster_.pixels[y][left], value, static_cast<size_t>(right - left));
}

void RasterSurface::WriteText(int x, int y, const char* text, int length) {
  if (length <= 0) return;
  const int width = length * (kGlyphWidth + 1) - 1;
  int left = x;
  switch (alignment_ & 6) {
    case 6: left = x - width / 2; break;
    case 2: left = x - width; break;
  }
  int top = y;
  if ((alignment_ & 24) != 0) top = y - kPictureLetterHeight;  // bottom or baseline: capitals sit on it
  // Transparent ground: a letter names the colour beneath it, so that colour must still show.
  for (int at = 0; at < length; ++at, left += kGlyphWidth + 1) {
    const Glyph* glyph = FindGlyph(text[at]);
    if (glyph == nullptr) continue;
    for (int row = 0; row < kPictureLetterHeight; ++row)
      for (int column = 0; column < kGlyphWidth; ++column)
        if (glyph->rows[row] & (0x10 >> column)) Plot(left + column, top + row, kRasterBlack);
  }
}

void RenderNetRaster(NetRaster* raster, const NetView& view) {
  raster->width = PictureWidth(view);
  raster->height = PictureHeight(view);
  for (int y = 0; y < raster->height; ++y)
    std::memset(raster->pixels[y], 0, static_cast<size_t>(raster->width));
  RasterSurface surface(*raster);
  DrawNetPicture(surface, view);
}

void NetRasterRow(const NetRaster& raster, int scale, int y, uint8_t* row) {
  const uint8_t* source = raster.pixels[y / scale];
  if (scale == 1) {
    std::memcpy(row, source, static_cast<size_t>(raster.width));
    return;
  }
  for (int x = 0; x < raster.width; ++x, row += scale)
    std::memset(row, source[x], static_cast<size_t>(scale));
}
