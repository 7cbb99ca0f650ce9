// The window's view: the list of squares, letters and caption, the fit to a window, and the hit test.
#include "ui/view.h"

#include <cstring>

#include "ui/document.h"
#include "ui/picture.h"
#include "ui/solid/window_solid.h"
#include "ui/ui.h"

namespace {

// The caption is written where PaintNet has always written it; its box is what a window's font needs
// for it, kept clear of the net when the view is fitted.
const int kCaptionX = 60;
const int kCaptionTop = 170;
const int kCaptionRight = 130;
const int kCaptionBottom = 192;
const char kCaptionText[] = "? for help";

char SquareLetter(const Cube& cube, Face face, int row, int column, int letters) {
  if (letters == kLettersFaces) {
    static const char kFaceNames[] = "ULFRBD";
    const int middle = (cube.size - 1) / 2;
    return row == middle && column == middle ? kFaceNames[face] : '\0';
  }
  if (letters == kLettersColours) {
    static const char kColourNames[] = "WRYOGB";
    const Colour colour = cube.live[CellIndex(face, row, column)];
    // A cell that is no colour is painted as background, and naming it white would be untrue.
    return colour >= 0 && colour < 6 ? kColourNames[colour] : '\0';
  }
  return '\0';
}

}  // namespace

void WriteCaption(DrawingSurface& surface) {
  surface.WriteText(kCaptionX, kCaptionTop, kCaptionText, sizeof kCaptionText - 1);
}

namespace {

void SetText(ViewText* text, int x, int y, int height, const char* characters, int length) {
  text->x = x;
  text->y = y;
  text->height = height;
  text->length = length;
  std::memcpy(text->text, characters, static_cast<size_t>(length));
  text->text[length] = '\0';
}

int64_t FloorDivide(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// The client rectangle that shows the net rectangle [left, right) x [top, bottom).
void FillScaled(DrawingSurface& surface, const ViewTransform& t, int left, int top, int right, int bottom,
                int brush) {
  surface.FillRectangle(ClientFromNet(t, left), ClientFromNet(t, top), ClientFromNet(t, right),
                        ClientFromNet(t, bottom), brush);
}

// A net length at the view's scale, never below one pixel.
int ScaledLength(const ViewTransform& t, int length) {
  const int64_t scaled = static_cast<int64_t>(length) * t.numerator / t.denominator;
  return scaled < 1 ? 1 : static_cast<int>(scaled);
}

}  // namespace

void BuildNetView(NetView* view, const Cube& cube, const NetLayout& layout, int letters, bool caption,
                  bool fitted) {
  view->squareCount = 0;
  view->letterCount = 0;
  int right = 0, bottom = 0;
  const int n = cube.size >= 1 && cube.size <= kMaxSize ? cube.size : 0;
  for (Face face = 0; face < 6; ++face)
    for (int16_t row = 0; row < n; ++row)
      for (int16_t column = 0; column < n; ++column) {
        ViewSquare& square = view->squares[view->squareCount++];
        square.face = face;
        square.row = row;
        square.column = column;
        SquareBox(layout, face, row, column, &square.left, &square.top, &square.right, &square.bottom);
        const Colour colour = cube.live[CellIndex(face, row, column)];
        // No brush lies past the six colours; anything else shows as background.
        square.brush = colour >= 0 && colour < 6 ? colour : 0;
        square.marked = false;
        if (square.right > right) right = square.right;
        if (square.bottom > bottom) bottom = square.bottom;
        const char letter = SquareLetter(cube, face, row, column, letters);
        if (letter == '\0') continue;
        // Centred on the coloured inside, which starts one pixel in from the outline.
        SetText(&view->letters[view->letterCount++], square.left + (layout.cellWidth - 2) / 2,
                square.top + 1 + (layout.cellHeight - 3 - kPictureLetterHeight) / 2, kPictureLetterHeight,
                &letter, 1);
      }
  view->width = n > 0 ? right + 1 + kPictureMargin : 0;
  view->height = n > 0 ? bottom + 1 + kPictureMargin : 0;
  // Fitted, the caption stays only where it covers no square, so that a large net is seen whole.
  view->captionShown = caption && (!fitted || n == 0 || bottom < kCaptionTop);
  SetText(&view->caption, kCaptionX, kCaptionTop, 0, kCaptionText, sizeof kCaptionText - 1);
  if (view->captionShown && fitted) {
    if (view->width < kCaptionRight) view->width = kCaptionRight;
    if (view->height < kCaptionBottom) view->height = kCaptionBottom;
  }
}

void BuildNetView(NetView* view, int letters, bool caption, bool fitted) {
  BuildNetView(view, document.cube, document.layout, letters, caption, fitted);
}

ViewTransform WindowTransform(const NetView& view, int clientWidth, int clientHeight) {
  if (!document.view.fitToWindow || view.width <= 0 || view.height <= 0) return {1, 1, false};
  if (clientWidth < 1) clientWidth = 1;
  if (clientHeight < 1) clientHeight = 1;
  // The tighter of the two ways decides the scale.
  if (static_cast<int64_t>(clientWidth) * view.height <= static_cast<int64_t>(clientHeight) * view.width)
    return {clientWidth, view.width, true};
  return {clientHeight, view.height, true};
}

int ClientFromNet(const ViewTransform& t, int net) {
  return static_cast<int>(-FloorDivide(-static_cast<int64_t>(net) * t.numerator, t.denominator));
}

int NetFromClient(const ViewTransform& t, int client) {
  return static_cast<int>(FloorDivide(static_cast<int64_t>(client) * t.denominator, t.numerator));
}

bool HitTestNet(const NetView& view, int x, int y, Face* face, int* row, int* column) {
  for (int k = 0; k < view.squareCount; ++k) {
    const ViewSquare& s = view.squares[k];
    if (x < s.left || x > s.right || y < s.top || y > s.bottom) continue;
    *face = s.face;
    *row = s.row;
    *column = s.column;
    return true;
  }
  return false;
}

bool HitTestNet(int x, int y, Face* face, int* row, int* column) {
  NetView& view = document.windowView;
  BuildNetView(&view, kLettersNone, false, false);
  return HitTestNet(view, x, y, face, row, column);
}

bool HitTestWindow(int clientX, int clientY, int clientWidth, int clientHeight, Face* face, int* row,
                   int* column) {
  if (document.view.mode != kViewNet) {
    BuildWindowFrame(&document.windowFrame, clientWidth, clientHeight);
    return HitTestCubeFrame(document.windowFrame, clientX, clientY, face, row, column);
  }
  NetView& view = document.windowView;
  BuildNetView(&view, document.view.letters, true, document.view.fitToWindow);
  const ViewTransform t = WindowTransform(view, clientWidth, clientHeight);
  return HitTestNet(view, NetFromClient(t, clientX), NetFromClient(t, clientY), face, row, column);
}

void DrawFacelet(DrawingSurface& surface, int brush, int16_t left, int16_t top, int16_t right,
                 int16_t bottom) {
  surface.MoveTo(left, top);
  surface.LineTo(right, top);
  surface.LineTo(right, bottom);
  surface.LineTo(left, bottom);
  surface.LineTo(left, top);
  surface.FillRectangle(left + 1, top + 1, right, bottom, brush);
}

void DrawView(DrawingSurface& surface, const NetView& view, const ViewTransform& t, int clientWidth,
              int clientHeight) {
  surface.SelectOutlinePen();
  const int previousAlignment = surface.SetAlignment(kAlignCentreTop);
  if (t.fitted) surface.FillRectangle(0, 0, clientWidth, clientHeight, 0);
  for (int k = 0; k < view.squareCount; ++k) {
    const ViewSquare& s = view.squares[k];
    if (!t.fitted) {
      DrawFacelet(surface, s.brush, static_cast<int16_t>(s.left), static_cast<int16_t>(s.top),
                  static_cast<int16_t>(s.right), static_cast<int16_t>(s.bottom));
      if (s.marked) {
        surface.MoveTo(s.left + 1, s.top + 1);
        surface.LineTo(s.right - 1, s.top + 1);
        surface.LineTo(s.right - 1, s.bottom - 1);
        surface.LineTo(s.left + 1, s.bottom - 1);
        surface.LineTo(s.left + 1, s.top + 1);
      }
      continue;
    }
    // The outline as a filled box, its inside over it: the same pixels as the lines and the fill.
    FillScaled(surface, t, s.left, s.top, s.right + 1, s.bottom + 1, kOutlineBrush);
    if (s.marked) {
      FillScaled(surface, t, s.left + 1, s.top + 1, s.right, s.bottom, kOutlineBrush);
      FillScaled(surface, t, s.left + 2, s.top + 2, s.right - 1, s.bottom - 1, s.brush);
      continue;
    }
    FillScaled(surface, t, s.left + 1, s.top + 1, s.right, s.bottom, s.brush);
  }
  for (int k = 0; k < view.letterCount; ++k) {
    const ViewText& letter = view.letters[k];
    // Centred on the middle of its pixel, as the pictures centre it.
    const int x = t.fitted ? (ClientFromNet(t, letter.x) + ClientFromNet(t, letter.x + 1)) / 2 : letter.x;
    surface.WriteLetter(x, ClientFromNet(t, letter.y), letter.text[0], ScaledLength(t, letter.height));
  }
  if (view.captionShown)
    surface.WriteText(ClientFromNet(t, view.caption.x), ClientFromNet(t, view.caption.y), view.caption.text,
                      view.caption.length);
  surface.SetAlignment(previousAlignment);
  surface.RestorePen();
}

void DrawNetOneToOne(DrawingSurface& surface, int letters, bool caption) {
  NetView& view = document.windowView;
  BuildNetView(&view, letters, caption, false);
  DrawView(surface, view, ViewTransform{1, 1, false}, 0, 0);
}

void PaintNet(DrawingSurface& surface) { DrawNetOneToOne(surface, kLettersNone, true); }

void PaintWindowView(DrawingSurface& surface, int clientWidth, int clientHeight) {
  if (document.view.mode != kViewNet) {
    BuildWindowFrame(&document.windowFrame, clientWidth, clientHeight);
    DrawCubeFrame(surface, document.windowFrame, document.cube.size, document.view.letters, clientWidth,
                  clientHeight, true);
    return;
  }
  NetView& view = document.windowView;
  BuildNetView(&view, document.view.letters, true, document.view.fitToWindow);
  // The layers the player's next move turns.
  if (PlayerIsOpen()) {
    const CellMarks marks = document.player.controller.player().NextMoveCells();
    for (int k = 0; k < view.squareCount; ++k) {
      ViewSquare& s = view.squares[k];
      s.marked = marks.test(static_cast<size_t>(CellIndex(s.face, s.row, s.column)));
    }
  }
  DrawView(surface, view, WindowTransform(view, clientWidth, clientHeight), clientWidth, clientHeight);
}
