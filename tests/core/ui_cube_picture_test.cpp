// Pictures of the solid cube: the row-by-row fill against the polygons it is given, and the SVG text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/cube_helpers.h"
#include "ui/solid/cube_picture.h"

namespace {

CubeFrame frame;
CubeRaster raster;
CubeState cells;

// How far point (x, y) lies inside the convex polygon, in pixels; negative outside.
double Inside(const CubePolygon& p, double x, double y) {
  const auto [left, right] = std::minmax({p.x[0], p.x[1], p.x[2], p.x[3]});
  const auto [top, bottom] = std::minmax({p.y[0], p.y[1], p.y[2], p.y[3]});
  if (x < left - 1 || x > right + 1 || y < top - 1 || y > bottom + 1) return -1;
  double least = 1e300;
  for (int k = 0; k < kCubePolygonCorners; ++k) {
    const int j = (k + 1) % kCubePolygonCorners;
    const double ex = p.x[j] - p.x[k], ey = p.y[j] - p.y[k];
    // Clockwise on the screen, the inside lies to the right of each edge.
    least = std::min(least, ((y - p.y[k]) * ex - (x - p.x[k]) * ey) / std::hypot(ex, ey));
  }
  return least;
}

// Every pixel of the rows asked for holds the topmost polygon over its centre, or brush 0; pixels whose
// centre lies within 0.05 pixels of an edge are left to the fill's tie rule.
void ExpectFilledAsDrawn(int width, int height, int scale, int rowStep) {
  PrepareCubeRaster(&raster, frame, width, height, scale);
  std::vector<uint8_t> row(raster.width + 1, 0xEE);
  int checked = 0;
  for (int y = 0; y < raster.height; y += rowStep) {
    CubeRasterRow(raster, y, row.data());
    ASSERT_EQ(row[raster.width], 0xEE) << "wrote past the row";
    for (int x = 0; x < raster.width; ++x) {
      int expected = 0;
      bool clear = true;
      for (const CubePolygon* p = frame.polygons; p < frame.polygons + frame.count; ++p) {
        const double inside = Inside(*p, (x + 0.5) / scale, (y + 0.5) / scale);
        clear = clear && std::fabs(inside) * scale > 0.05;
        if (inside > 0) expected = p->brush;
      }
      checked += clear;
      if (clear) {
        ASSERT_EQ(row[x], expected) << x << "," << y << " at scale " << scale;
      }
    }
  }
  EXPECT_GT(checked, raster.width * (raster.height / rowStep) / 2);
}

TEST(CubePicture, FillPaintsEachPolygonOverTheOnesBefore) {
  for (int n : {3, 10}) {
    Lcg lcg{static_cast<uint32_t>(n)};
    RandomLayerPattern(n, lcg);
    CopyCube(document.cube.size, document.cube.live, cells);
    BuildTurnFrame(&frame, n, cells, BlockMove{U, 2, 3, 3}, 0.35, CubeCamera{-20, 40}, kLayoutFrontAndBack,
                   FitBox{3, 5, 150, 70});
    ExpectFilledAsDrawn(160, 80, 1, 1);
    ExpectFilledAsDrawn(160, 80, 16, 29);
  }
  // Centres on a left or top edge are in, on a right or bottom edge out: no pixel is shared or lost
  // where polygons meet.
  frame.count = 1;
  frame.polygons[0] =
      CubePolygon{{2.5f, 6.5f, 6.5f, 2.5f}, {2.5f, 2.5f, 4.5f, 4.5f}, 0, 0, 0, 3, 3, 1, false, 0, 0, 0};
  PrepareCubeRaster(&raster, frame, 20, 16, 1);
  std::vector<uint8_t> row(20);
  for (int y = 0; y < 16; ++y) {
    CubeRasterRow(raster, y, row.data());
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(row[x], x >= 2 && x < 6 && y >= 2 && y < 4 ? 3 : 0) << x << "," << y;
  }
}

std::string Svg(int scale, const char* letters) {
  std::string text;
  EXPECT_TRUE(RenderCubeSvg(
      frame, 200, 100, scale, letters,
      [](void* out, const char* data, size_t size) {
        static_cast<std::string*>(out)->append(data, size);
        return true;
      },
      &text));
  return text;
}

TEST(CubePicture, SvgHasEveryPolygonWithItsFaceletAndPoints) {
  Lcg lcg{8};
  RandomLayerPattern(3, lcg);
  BuildTurnFrame(&frame, 3, document.cube.live, BlockMove{R, 1, 2, 1}, 0.4, kDefaultCubeCamera,
                 kLayoutFrontAndBack, FitBox{0, 0, 200, 100});
  const std::string text = Svg(3, nullptr);
  EXPECT_NE(text.find("width=\"600\" height=\"300\""), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 7), "</svg>\n");
  const std::regex polygon(
      "<polygon class=\"(\\w+)\" fill=\"#([0-9a-f]{6})\"(?: data-face=\"(\\w)\" data-row=\"(\\d+)\" "
      "data-column=\"(\\d+)\")? points=\"([^\"]*)\"/>");
  int k = 0, facelets = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), polygon); it != std::sregex_iterator();
       ++it, ++k) {
    ASSERT_LT(k, frame.count);
    const std::smatch& m = *it;
    const CubePolygon& p = frame.polygons[k];
    const PaletteColour& colour = kRasterColours[p.brush];
    char fill[8], facelet[40] = "body";
    std::snprintf(fill, sizeof fill, "%02x%02x%02x", colour.red, colour.green, colour.blue);
    if (p.face != kBodyFace)
      std::snprintf(facelet, sizeof facelet, "facelet%c%d%d", "ULFRBD"[p.face], p.row, p.column);
    facelets += p.face != kBodyFace;
    EXPECT_EQ(m[2].str(), fill);
    EXPECT_EQ(m[1].str() + m[3].str() + m[4].str() + m[5].str(), facelet);
    std::istringstream points(m[6].str());
    for (int c = 0; c < kCubePolygonCorners; ++c) {
      double x, y;
      char comma;
      ASSERT_TRUE(points >> x >> comma >> y);
      EXPECT_NEAR(x, 3 * p.x[c], 0.006);
      EXPECT_NEAR(y, 3 * p.y[c], 0.006);
    }
  }
  EXPECT_EQ(k, frame.count);
  EXPECT_EQ(text.find("<text"), std::string::npos);
  // A letter follows its own facelet, so that a nearer piece covers both.
  const std::string letters(frame.count, 'R'), lettered = Svg(1, letters.c_str());
  const std::regex letter("<polygon class=\"facelet\"[^\n]*\n<text [^\n]*>R</text>\n");
  EXPECT_EQ(
      std::distance(std::sregex_iterator(lettered.begin(), lettered.end(), letter), std::sregex_iterator()),
      facelets);
  int pieces = 0;
  EXPECT_FALSE(RenderCubeSvg(
      frame, 200, 100, 1, nullptr,
      [](void* count, const char*, size_t) { return ++*static_cast<int*>(count) < 2; }, &pieces));
  EXPECT_EQ(pieces, 2);
}

}  // namespace
