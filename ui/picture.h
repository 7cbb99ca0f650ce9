// Pictures of the net: the squares drawn alone, a raster of the window's pixels, an SVG, and saving them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cube/cube.h"
#include "seam/platform.h"
#include "ui/palette.h"

struct NetView;

// What, if anything, is written on the squares.
const int kLettersNone = 0;
const int kLettersFaces =
    1;  // U L F R B D on each face's middle square (up-left of the middle on even sizes)
const int kLettersColours = 2;  // W R Y O G B on every square, by its colour

const int kPictureMaxScale = 16;
// White beyond the net's right and bottom edges; the left and top keep the window's own 4 and 8.
const int kPictureMargin = 4;
// The letters' height in pixels at scale 1: the built-in capitals, and the SVG's cap height.
const int kPictureLetterHeight = 7;

// The view's squares in PaintNet's calls, then its letters centred on them; no caption.
void DrawNetPicture(DrawingSurface& surface, const NetView& view);
// The same for the window's cube with the chosen letters.
void DrawNetPicture(DrawingSurface& surface, int letters);

// The picture's size at scale 1: from the window's origin to the net's right and bottom edges plus the
// margin; 0 when there is no net to draw. The window's view has the same extent without its caption.
int PictureWidth(const NetView& view);
int PictureHeight(const NetView& view);
// The same for the window's cube.
int PictureWidth();
int PictureHeight();

// Pixel values of a raster: brushes 0 to 5, then the black of the pen and of the letters.
const uint8_t kRasterBlack = 6;
const int kRasterColourCount = 7;
extern const PaletteColour kRasterColours[kRasterColourCount];

// Room for the largest net with the window's metrics.
const int kRasterWidthCapacity = 60 * kMaxSize + 9 + kPictureMargin;
const int kRasterHeightCapacity = 48 * kMaxSize + 19 + kPictureMargin;

struct NetRaster {
  int width;
  int height;
  uint8_t pixels[kRasterHeightCapacity][kRasterWidthCapacity];
};

// Draws into a raster as a window does: lines without their end point, fills without their right and
// bottom edges, anything outside the raster clipped. Text is the built-in capital letters, black, on
// whatever lies beneath.
class RasterSurface : public DrawingSurface {
 public:
  explicit RasterSurface(NetRaster& raster) : raster_(raster) {}
  void SelectOutlinePen() override { ++penDepth_; }
  void RestorePen() override { --penDepth_; }
  int SetAlignment(int alignment) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRectangle(int left, int top, int right, int bottom, int brush) override;
  void WriteText(int x, int y, const char* text, int length) override;

 private:
  void Plot(int x, int y, uint8_t value);
  NetRaster& raster_;
  int penDepth_ = 0;
  int alignment_ = 0;
  int x_ = 0;
  int y_ = 0;
};

// The net in the raster at scale 1, sized by PictureWidth and PictureHeight, white around it.
void RenderNetRaster(NetRaster* raster, const NetView& view);
void RenderNetRaster(NetRaster* raster, int letters);
// Row y (0 to height × scale − 1) of the raster at `scale`: width × scale pixel values.
void NetRasterRow(const NetRaster& raster, int scale, int y, uint8_t* row);

// Takes the next piece of a picture being written out; false stops the writing.
typedef bool (*PictureSink)(void* context, const char* data, size_t size);
// The net as SVG text, streamed to the sink in pieces; false when the sink refused a piece.
bool RenderNetSvg(const NetView& view, int scale, PictureSink sink, void* context);
bool RenderNetSvg(int scale, int letters, PictureSink sink, void* context);

// Whether this build can write PNG files.
bool PicturePngAvailable();

// The save chooser's filter for pictures: PNG where this build writes it, else BMP, then SVG.
const FileFilter& PictureFilter();

// Saves the view's net as SVG, BMP (24 bits a pixel) or PNG, by the path's extension (any case). False,
// with the reason in words, when the request is not one it can make or the file cannot be written; the
// old file then stays.
bool SaveNetPicture(const NetView& view, const char* path, int scale, char* reason, size_t reasonSize);
// The same for the window's cube with the chosen letters.
bool SaveNetPicture(const char* path, int scale, int letters, char* reason, size_t reasonSize);
