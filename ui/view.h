// The window's view for every front end: what it shows in net pixels, fitting it to a window, the hit test.
#pragma once

#include <cstdint>

#include "cube/cube.h"
#include "seam/platform.h"
#include "ui/net_layout.h"

// One square of the net: its outline box with both edges drawn, as DrawFacelet takes it, and the brush
// of its inside.
struct ViewSquare {
  Face face;
  int16_t row;
  int16_t column;
  int left, top, right, bottom;
  int brush;
  bool marked;  // a second outline one pixel inside the first
};

// Text over the net, centred on x with its top at y.
struct ViewText {
  int x, y;
  int height;  // a letter's capitals in pixels; 0 for the caption, in the window's own font
  int length;
  char text[12];
};

const int kViewSquareCapacity = 6 * kMaxSize * kMaxSize;

struct NetView {
  int squareCount;
  ViewSquare squares[kViewSquareCapacity];  // in PaintNet's order
  int letterCount;
  ViewText letters[kViewSquareCapacity];
  bool captionShown;
  ViewText caption;
  // What a fitted window must show, from the origin: the net and, while shown, the caption's box.
  int width, height;
};

// The squares of the cube laid out so, with the chosen letters on them (kLettersNone to
// kLettersColours). A window's caption joins them when `caption` is set, except in a fitted view where
// it would cover a square.
void BuildNetView(NetView* view, const Cube& cube, const NetLayout& layout, int letters, bool caption,
                  bool fitted);
// The same for the window's cube and layout.
void BuildNetView(NetView* view, int letters, bool caption, bool fitted);

// How net pixels land in the client area: scaled by numerator / denominator from the origin.
struct ViewTransform {
  int numerator;
  int denominator;
  bool fitted;
};

// One to one, unless the menu asks for the view to fill the client area, proportions kept.
ViewTransform WindowTransform(const NetView& view, int clientWidth, int clientHeight);
// The first client pixel that shows net pixel `net` or one after it; a net rectangle's edges map so.
int ClientFromNet(const ViewTransform& transform, int net);
// The net pixel a client pixel shows.
int NetFromClient(const ViewTransform& transform, int client);

// The square under a point of the net, outline included; false in the gaps and outside the net.
bool HitTestNet(const NetView& view, int x, int y, Face* face, int* row, int* column);
// The same on the window's cube and layout.
bool HitTestNet(int x, int y, Face* face, int* row, int* column);
// The square shown under a point of the client area, by the window's view.
bool HitTestWindow(int clientX, int clientY, int clientWidth, int clientHeight, Face* face, int* row,
                   int* column);

// Draws the view. One to one it makes PaintNet's calls, the letters before the caption; fitted it clears
// the client area and fills every outline and inside as rectangles, so that each client pixel shows
// the net pixel NetFromClient names.
void DrawView(DrawingSurface& surface, const NetView& view, const ViewTransform& transform, int clientWidth,
              int clientHeight);
// The net one to one with the chosen letters and, when `caption` is set, the window's caption.
void DrawNetOneToOne(DrawingSurface& surface, int letters, bool caption);
// One square: its outline with the pen, then its inside with the brush.
void DrawFacelet(DrawingSurface& surface, int brush, int16_t left, int16_t top, int16_t right,
                 int16_t bottom);
// The window's painting of the net, as it was before the menu had views.
void PaintNet(DrawingSurface& surface);
// The window's painting: the cube with the menu's view settings, drawn into a client area of this size.
void PaintWindowView(DrawingSurface& surface, int clientWidth, int clientHeight);
// The window's caption, where it has always been, in the surface's alignment.
void WriteCaption(DrawingSurface& surface);
