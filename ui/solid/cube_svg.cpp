// A cube frame as SVG text: one polygon per body face and per facelet, streamed out in pieces.
#include <cmath>

#include "ui/sink_text.h"
#include "ui/solid/cube_picture.h"

namespace {

class SvgWriter : public SinkText {
 public:
  SvgWriter(int scale, PictureSink sink, void* context) : SinkText(sink, context), scale_(scale) {}
  // A coordinate at the picture's scale, to a hundredth of a pixel; written by hand, as the locale's
  // decimal comma must not reach the file.
  void AppendLength(float value);
  void AppendPolygon(const CubePolygon& polygon);
  void AppendLetter(const CubePolygon& polygon, char letter);

 private:
  int scale_;
};

void SvgWriter::AppendLength(float value) {
  double hundredths = std::round(static_cast<double>(value) * scale_ * 100);
  if (!(hundredths > -1e12 && hundredths < 1e12)) hundredths = 0;  // NaN too
  const long long whole = static_cast<long long>(hundredths < 0 ? -hundredths : hundredths);
  Append("%s%lld", hundredths < 0 ? "-" : "", whole / 100);
  // No trailing zeros: 1.5, 1.05 and 1.
  if (whole % 10 != 0)
    Append(".%02lld", whole % 100);
  else if (whole % 100 != 0)
    Append(".%lld", whole / 10 % 10);
}

void SvgWriter::AppendPolygon(const CubePolygon& polygon) {
  static const char kFaceNames[] = "ULFRBD";
  if (polygon.face == kBodyFace) {
    Append("<polygon class=\"body\" fill=\"#000000\" points=\"");
  } else {
    const PaletteColour& colour = kRasterColours[polygon.brush < kRasterColourCount ? polygon.brush : 0];
    Append(
        "<polygon class=\"facelet\" fill=\"#%02x%02x%02x\" data-face=\"%c\" data-row=\"%d\" "
        "data-column=\"%d\" points=\"",
        colour.red, colour.green, colour.blue, kFaceNames[polygon.face], polygon.row, polygon.column);
  }
  for (int k = 0; k < kCubePolygonCorners; ++k) {
    if (k > 0) Append(" ");
    AppendLength(polygon.x[k]);
    Append(",");
    AppendLength(polygon.y[k]);
  }
  Append("\"/>\n");
}

void SvgWriter::AppendLetter(const CubePolygon& polygon, char letter) {
  // The cap height sits on the baseline; a font's size is about ten sevenths of its capitals.
  Append("<text fill=\"#000000\" x=\"");
  AppendLength(polygon.letterX);
  Append("\" y=\"");
  AppendLength(polygon.letterY + polygon.letterHeight / 2);
  Append("\" font-size=\"");
  AppendLength(polygon.letterHeight * 10 / 7);
  Append("\">");
  if (letter == '<')
    Append("&lt;");
  else if (letter == '>')
    Append("&gt;");
  else if (letter == '&')
    Append("&amp;");
  else
    Append("%c", letter);
  Append("</text>\n");
}

}  // namespace

bool RenderCubeSvg(const CubeFrame& frame, int width, int height, int scale, const char* letters,
                   PictureSink sink, void* context) {
  SvgWriter svg(scale, sink, context);
  svg.Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  svg.Append(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
      "shape-rendering=\"crispEdges\">\n",
      width * scale, height * scale, width * scale, height * scale);
  // The background as a path, so that the polygons are the cube and nothing else.
  svg.Append("<path fill=\"#ffffff\" d=\"M0 0H%dV%dH0Z\"/>\n", width * scale, height * scale);
  // A letter goes on straight after its facelet, so that whatever lies nearer covers both.
  svg.Append("<g font-family=\"sans-serif\" text-anchor=\"middle\">\n");
  for (int k = 0; k < frame.count; ++k) {
    const CubePolygon& polygon = frame.polygons[k];
    svg.AppendPolygon(polygon);
    const unsigned char letter = letters != nullptr ? static_cast<unsigned char>(letters[k]) : 0;
    if (polygon.face != kBodyFace && letter > ' ' && letter < 127)
      svg.AppendLetter(polygon, static_cast<char>(letter));
  }
  svg.Append("</g>\n");
  svg.Append("</svg>\n");
  return svg.FinishText();
}
