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

CubePolygon Quad(std::vector<float> corners, uint8_t brush) {
  CubePolygon p = {};
  for (int k = 0; k < kCubePolygonCorners; ++k) p.x[k] = corners[2 * k], p.y[k] = corners[2 * k + 1];
  p.brush = brush;
  p.face = brush == kRasterBlack ? kBodyFace : 0;
  return p;
}

// How far point (x, y) lies inside the convex polygon, in pixels; negative outside.
double Inside(const CubePolygon& p, double x, double y) {
  const auto [left, right] = std::minmax({p.x[0], p.x[1], p.x[2], p.x[3]});
  const auto [top, bottom] = std::minmax({p.y[0], p.y[1], p.y[2], p.y[3]});
  if (x < left - 1 || x > right + 1 || y < top - 1 || y > bottom + 1) return -1;
  double least = 1e300, area = 0;
  for (int k = 0; k < kCubePolygonCorners; ++k) {
    const int j = (k + 1) % kCubePolygonCorners;
    area += p.x[k] * p.y[j] - p.x[j] * p.y[k];
  }
  for (int k = 0; k < kCubePolygonCorners; ++k) {
    const int j = (k + 1) % kCubePolygonCorners;
    const double ex = p.x[j] - p.x[k], ey = p.y[j] - p.y[k];
    const double distance = ((x - p.x[k]) * ey - (y - p.y[k]) * ex) / std::hypot(ex, ey);
    least = std::min(least, area < 0 ? distance : -distance);
  }
  return least;
}

// Every pixel of the rows asked for holds the topmost polygon over its centre, or brush 0; pixels whose
// centre lies within `margin` of an edge are left to the fill's tie rule.
void ExpectFilledAsDrawn(const CubeFrame& f, int width, int height, int scale, int rowStep, double margin) {
  PrepareCubeRaster(&raster, f, width, height, scale);
  ASSERT_EQ(raster.width, width * scale);
  std::vector<uint8_t> row(raster.width + 1, 0xEE);
  int checked = 0;
  for (int y = 0; y < raster.height; y += rowStep) {
    CubeRasterRow(raster, y, row.data());
    ASSERT_EQ(row[raster.width], 0xEE) << "wrote past the row";
    for (int x = 0; x < raster.width; ++x) {
      const double cx = (x + 0.5) / scale, cy = (y + 0.5) / scale;
      int expected = 0;
      bool clear = true;
      for (int k = 0; k < f.count; ++k) {
        const double inside = Inside(f.polygons[k], cx, cy);
        clear = clear && std::fabs(inside) * scale > margin;
        if (inside > 0) expected = f.polygons[k].brush;
      }
      if (!clear) continue;
      ++checked;
      ASSERT_EQ(row[x], expected) << x << "," << y << " at scale " << scale;
    }
  }
  EXPECT_GT(checked, raster.width * (raster.height / rowStep) / 2);
}

TEST(CubePicture, FillPaintsInteriorsLaterPolygonsOverEarlier) {
  frame.count = 3;
  frame.polygons[0] = Quad({2, 2, 10, 2, 10, 10, 2, 10}, 2);
  frame.polygons[1] = Quad({6, 6, 14, 6, 16.5f, 14, 8.5f, 14}, 4);
  frame.polygons[2] = Quad({12, 1, 17, 3, 15, 4, 11.25f, 3.5f}, kRasterBlack);
  for (int scale : {1, 3, 16}) ExpectFilledAsDrawn(frame, 20, 16, scale, 1, 1e-6);
  // The square is 8 by 8 pixels, 16 by 16 at scale 2.
  PrepareCubeRaster(&raster, frame, 20, 16, 2);
  std::vector<uint8_t> row(40);
  CubeRasterRow(raster, 5, row.data());
  EXPECT_EQ(std::count(row.begin(), row.end(), 2), 16);
  EXPECT_EQ(row[3], 0);
  EXPECT_EQ(row[4], 2);
  EXPECT_EQ(row[19], 2);
  EXPECT_EQ(row[20], 0);
  EXPECT_EQ(row[35], 0);
  // Centres exactly on the edges: the 4 by 2 box from (2.5, 2.5) holds pixels 2 to 5 of rows 2 and 3.
  frame.count = 1;
  frame.polygons[0] = Quad({2.5f, 2.5f, 6.5f, 2.5f, 6.5f, 4.5f, 2.5f, 4.5f}, 3);
  PrepareCubeRaster(&raster, frame, 20, 16, 1);
  for (int y = 0; y < 16; ++y) {
    CubeRasterRow(raster, y, row.data());
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(row[x], x >= 2 && x < 6 && y >= 2 && y < 4 ? 3 : 0) << x << "," << y;
  }
}

TEST(CubePicture, FillOfTurningCubesAtEveryScale) {
  CubeState cells;
  for (int n : {3, 10}) {
    Lcg lcg{static_cast<uint32_t>(n)};
    RandomLayerPattern(n, lcg);
    CopyCube(liveCube, cells);
    BuildTurnFrame(&frame, n, cells, BlockMove{U, 2, 3, 3}, 0.35, CubeCamera{-20, 40}, kLayoutFrontAndBack,
                   FitBox{3, 5, 150, 70});
    ExpectFilledAsDrawn(frame, 160, 80, 1, 1, 0.05);
    ExpectFilledAsDrawn(frame, 160, 80, 16, 13, 0.05);
  }
}

std::string Svg(const CubeFrame& f, int scale, const char* letters) {
  std::string text;
  EXPECT_TRUE(RenderCubeSvg(
      f, 200, 100, scale, letters,
      [](void* out, const char* data, size_t size) {
        static_cast<std::string*>(out)->append(data, size);
        return true;
      },
      &text));
  return text;
}

TEST(CubePicture, SvgHasEveryPolygonWithItsFaceletAndPoints) {
  StartSolved(3);
  Lcg lcg{8};
  RandomLayerPattern(3, lcg);
  BuildTurnFrame(&frame, 3, liveCube, BlockMove{R, 1, 2, 1}, 0.4, kDefaultCubeCamera, kLayoutFrontAndBack,
                 FitBox{0, 0, 200, 100});
  const std::string text = Svg(frame, 3, nullptr);
  const std::regex polygon(
      "<polygon class=\"(\\w+)\" fill=\"#([0-9a-f]{6})\"(?: data-face=\"(\\w)\" data-row=\"(\\d+)\" "
      "data-column=\"(\\d+)\")? points=\"([^\"]*)\"/>");
  int k = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), polygon); it != std::sregex_iterator();
       ++it, ++k) {
    ASSERT_LT(k, frame.count);
    const std::smatch& m = *it;
    const CubePolygon& p = frame.polygons[k];
    char fill[8];
    const PaletteColour& colour = kRasterColours[p.brush];
    std::snprintf(fill, sizeof fill, "%02x%02x%02x", colour.red, colour.green, colour.blue);
    EXPECT_EQ(m[2].str(), fill);
    if (p.face == kBodyFace) {
      EXPECT_EQ(m[1].str(), "body");
      EXPECT_FALSE(m[3].matched);
    } else {
      EXPECT_EQ(m[1].str(), "facelet");
      EXPECT_EQ(m[3].str(), std::string(1, "ULFRBD"[p.face]));
      EXPECT_EQ(std::stoi(m[4].str()), p.row);
      EXPECT_EQ(std::stoi(m[5].str()), p.column);
    }
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
  EXPECT_NE(text.find("width=\"600\" height=\"300\""), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 7), "</svg>\n");

  // A letter follows its own facelet, so that a nearer piece covers both.
  std::string letters(frame.count, 'R');
  const std::string lettered = Svg(frame, 1, letters.c_str());
  const std::regex facelet("<polygon class=\"facelet\"[^\n]*\n<text [^\n]*>R</text>\n");
  int facelets = 0;
  for (int j = 0; j < frame.count; ++j) facelets += frame.polygons[j].face != kBodyFace;
  EXPECT_EQ(
      std::distance(std::sregex_iterator(lettered.begin(), lettered.end(), facelet), std::sregex_iterator()),
      facelets);
}

TEST(CubePicture, SvgStopsWhenTheSinkRefuses) {
  StartSolved(10);
  BuildCubeFrame(&frame, 10, liveCube, kDefaultCubeCamera, kLayoutCube, FitBox{0, 0, 200, 100});
  int pieces = 0;
  EXPECT_FALSE(RenderCubeSvg(
      frame, 200, 100, 1, nullptr,
      [](void* count, const char*, size_t) { return ++*static_cast<int*>(count) < 2; }, &pieces));
  EXPECT_EQ(pieces, 2);
}

}  // namespace
