// The window's view: the list of squares, letters and caption, the fit to a window, and the hit test.
#include "ui/view.h"

#include <cstring>

#include "ui/document.h"
#include "ui/picture.h"
#include "ui/ui.h"

namespace {

// The caption is written where PaintNet has always written it; its box is what a window's font needs
// for it, kept clear of the net when the view is fitted.
const int kCaptionX = 60;
const int kCaptionTop = 170;
const int kCaptionRight = 130;
const int kCaptionBottom = 192;
const char kCaptionText[] = "? for help";

// The window's own storage for what it paints.
NetView windowView;

char SquareLetter(Face face, int row, int column, int letters) {
  if (letters == kLettersFaces) {
    static const char kFaceNames[] = "ULFRBD";
    const int middle = (document.cube.size - 1) / 2;
    return row == middle && column == middle ? kFaceNames[face] : '\0';
  }
  if (letters == kLettersColours) {
    static const char kColourNames[] = "WRYOGB";
    const Colour colour = document.cube.live[CellIndex(face, row, column)];
    // A cell that is no colour is painted as background, and naming it white would be untrue.
    return colour >= 0 && colour < 6 ? kColourNames[colour] : '\0';
  }
  return '\0';
}

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

void SquareBox(Face face, int row, int column, int* left, int* top, int* right, int* bottom) {
  // rowY is the row's reference; its squares start 8 below it.
  *left = columnX[face][column];
  *top = rowY[face][row] + 8;
  *right = *left + cellWidth - 2;
  *bottom = *top + cellHeight - 2;
}

void BuildNetView(NetView* view, int letters, bool caption, bool fitted) {
  view->squareCount = 0;
  view->letterCount = 0;
  int right = 0, bottom = 0;
  const int n = document.cube.size >= 1 && document.cube.size <= kMaxSize ? document.cube.size : 0;
  for (Face face = 0; face < 6; ++face)
    for (int16_t row = 0; row < n; ++row)
      for (int16_t column = 0; column < n; ++column) {
        ViewSquare& square = view->squares[view->squareCount++];
        square.face = face;
        square.row = row;
        square.column = column;
        SquareBox(face, row, column, &square.left, &square.top, &square.right, &square.bottom);
        const Colour colour = document.cube.live[CellIndex(face, row, column)];
        // No brush lies past the six colours; anything else shows as background.
        square.brush = colour >= 0 && colour < 6 ? colour : 0;
        if (square.right > right) right = square.right;
        if (square.bottom > bottom) bottom = square.bottom;
        const char letter = SquareLetter(face, row, column, letters);
        if (letter == '\0') continue;
        // Centred on the coloured inside, which starts one pixel in from the outline.
        SetText(&view->letters[view->letterCount++], square.left + (cellWidth - 2) / 2,
                square.top + 1 + (cellHeight - 3 - kPictureLetterHeight) / 2, kPictureLetterHeight, &letter,
                1);
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

ViewTransform WindowTransform(const NetView& view, int clientWidth, int clientHeight) {
  if (!viewFitToWindow || view.width <= 0 || view.height <= 0) return {1, 1, false};
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

bool HitTestNet(int x, int y, Face* face, int* row, int* column) {
  const int n = document.cube.size >= 1 && document.cube.size <= kMaxSize ? document.cube.size : 0;
  for (Face f = 0; f < 6; ++f)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) {
        int left, top, right, bottom;
        SquareBox(f, j, k, &left, &top, &right, &bottom);
        if (x < left || x > right || y < top || y > bottom) continue;
        *face = f;
        *row = j;
        *column = k;
        return true;
      }
  return false;
}

bool HitTestWindow(int clientX, int clientY, int clientWidth, int clientHeight, Face* face, int* row,
                   int* column) {
  BuildNetView(&windowView, viewLetters, true, viewFitToWindow);
  const ViewTransform t = WindowTransform(windowView, clientWidth, clientHeight);
  return HitTestNet(NetFromClient(t, clientX), NetFromClient(t, clientY), face, row, column);
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
      continue;
    }
    // The outline as a filled box, its inside over it: the same pixels as the lines and the fill.
    FillScaled(surface, t, s.left, s.top, s.right + 1, s.bottom + 1, kOutlineBrush);
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
  static NetView view;
  BuildNetView(&view, letters, caption, false);
  DrawView(surface, view, ViewTransform{1, 1, false}, 0, 0);
}

void PaintWindowView(DrawingSurface& surface, int clientWidth, int clientHeight) {
  BuildNetView(&windowView, viewLetters, true, viewFitToWindow);
  DrawView(surface, windowView, WindowTransform(windowView, clientWidth, clientHeight), clientWidth,
           clientHeight);
}
