// The net as SVG text: one outlined rect per square and one text per letter, streamed out in pieces.
#include "ui/picture.h"
#include "ui/sink_text.h"

namespace {

// Turns the drawing calls into SVG. Every fill is the inside of a square whose outline lies one pixel
// round it, so the outline becomes the rect's stroke and the lines themselves need not be kept.
class SvgSurface : public DrawingSurface, public SinkText {
 public:
  SvgSurface(int scale, PictureSink sink, void* context) : SinkText(sink, context), scale_(scale) {}

  void SelectOutlinePen() override {}
  void RestorePen() override {}
  int SetAlignment(int alignment) override {
    const int previous = alignment_;
    alignment_ = alignment;
    return previous;
  }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void FillRectangle(int left, int top, int right, int bottom, int brush) override;
  void WriteText(int x, int y, const char* text, int length) override;
  void FillPolygon(const int* x, const int* y, int count, int brush) override;

  void Begin(int width, int height);
  bool Finish();

 private:
  enum Section { kNone, kSquares, kLetters };
  void Enter(Section section);
  // A length in half pixels at scale 1, written at the picture's scale.
  void AppendHalves(int halves);

  int scale_;
  int alignment_ = 0;
  Section section_ = kNone;
};

void SvgSurface::AppendHalves(int halves) {
  const int value = halves * scale_;
  const int whole = (value < 0 ? -value : value) / 2;
  Append(value % 2 != 0 ? "%s%d.5" : "%s%d", value < 0 ? "-" : "", whole);
}

void SvgSurface::Enter(Section section) {
  if (section_ == section) return;
  if (section_ != kNone) Append("</g>\n");
  if (section == kSquares) Append("<g stroke=\"#000000\" stroke-width=\"%d\">\n", scale_);
  if (section == kLetters)
    Append("<g fill=\"#000000\" font-family=\"sans-serif\" font-size=\"%d\">\n", 10 * scale_);
  section_ = section;
}

void SvgSurface::Begin(int width, int height) {
  Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  Append(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
      "shape-rendering=\"crispEdges\">\n",
      width * scale_, height * scale_, width * scale_, height * scale_);
  // The window's background, as a path so that the rects are the squares and nothing else.
  Append("<path fill=\"#ffffff\" d=\"M0 0H%dV%dH0Z\"/>\n", width * scale_, height * scale_);
}

bool SvgSurface::Finish() {
  Enter(kNone);
  Append("</svg>\n");
  return FinishText();
}

void SvgSurface::FillPolygon(const int* x, const int* y, int count, int brush) {
  const PaletteColour& colour =
      brush == kOutlineBrush ? PaletteColour{0, 0, 0} : kPalette[brush >= 0 && brush < 6 ? brush : 0];
  Enter(kSquares);
  Append("<polygon points=\"");
  for (int k = 0; k < count; ++k) {
    Append(k > 0 ? " " : "");
    AppendHalves(2 * x[k]);
    Append(",");
    AppendHalves(2 * y[k]);
  }
  Append("\" fill=\"#%02x%02x%02x\"/>\n", colour.red, colour.green, colour.blue);
}

void SvgSurface::FillRectangle(int left, int top, int right, int bottom, int brush) {
  if (right <= left || bottom <= top) return;
  const PaletteColour& colour = kPalette[brush >= 0 && brush < 6 ? brush : 0];
  Enter(kSquares);
  // The stroke runs along the middle of the outline's pixels, half a pixel outside the fill's edge.
  Append("<rect x=\"");
  AppendHalves(2 * left - 1);
  Append("\" y=\"");
  AppendHalves(2 * top - 1);
  Append("\" width=\"%d\" height=\"%d\" fill=\"#%02x%02x%02x\"/>\n", (right - left + 1) * scale_,
         (bottom - top + 1) * scale_, colour.red, colour.green, colour.blue);
}

void SvgSurface::WriteText(int x, int y, const char* text, int length) {
  if (length <= 0) return;
  Enter(kLetters);
  const char* anchor = "start";
  int halvesX = 2 * x;
  switch (alignment_ & 6) {
    case 6:
      anchor = "middle";
      ++halvesX;  // the middle of pixel x, where the raster centres its letters
      break;
    case 2: anchor = "end"; break;
  }
  const int baseline = (alignment_ & 24) != 0 ? y : y + kPictureLetterHeight;
  Append("<text x=\"");
  AppendHalves(halvesX);
  Append("\" y=\"%d\" text-anchor=\"%s\">", baseline * scale_, anchor);
  for (int at = 0; at < length; ++at) {
    const char c = text[at];
    if (c == '<')
      Append("&lt;");
    else if (c == '>')
      Append("&gt;");
    else if (c == '&')
      Append("&amp;");
    else if (static_cast<unsigned char>(c) >= 32 && static_cast<unsigned char>(c) < 127)
      Append("%c", c);
  }
  Append("</text>\n");
}

}  // namespace

bool RenderNetSvg(const NetView& view, int scale, PictureSink sink, void* context) {
  SvgSurface surface(scale, sink, context);
  surface.Begin(PictureWidth(view), PictureHeight(view));
  DrawNetPicture(surface, view);
  return surface.Finish();
}
