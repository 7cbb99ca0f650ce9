// The cube as a solid: which facelets show, the fit, turns against the turn model, paint order, hit test.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "support/cube_helpers.h"
#include "ui/solid/cube_picture.h"

namespace {

typedef std::tuple<int, int, int> Cell;  // face, row, column
const FitBox kBox = {10, 20, 800, 600};
CubeFrame frame, other;  // too big for the stack
CubeState before, after;

Cell CellOf(const CubePolygon& p) { return Cell(p.face, p.row, p.column); }

std::map<Cell, const CubePolygon*> Facelets(const CubeFrame& f) {
  std::map<Cell, const CubePolygon*> facelets;
  for (int k = 0; k < f.count; ++k)
    if (f.polygons[k].face != kBodyFace) {
      EXPECT_TRUE(facelets.emplace(CellOf(f.polygons[k]), &f.polygons[k]).second) << "shown twice";
    }
  return facelets;
}

// The same corners in the same turning order, from any start, to 0.01 pixel.
bool SameCorners(const CubePolygon& a, const CubePolygon& b) {
  for (int start = 0; start < kCubePolygonCorners; ++start) {
    bool same = true;
    for (int k = 0; k < kCubePolygonCorners; ++k) {
      const int j = (start + k) % kCubePolygonCorners;
      same = same && std::fabs(a.x[k] - b.x[j]) < 0.01 && std::fabs(a.y[k] - b.y[j]) < 0.01;
    }
    if (same) return true;
  }
  return false;
}

void ExpectSameFacelets(const CubeFrame& actual, const CubeFrame& expected) {
  const auto a = Facelets(actual), e = Facelets(expected);
  ASSERT_EQ(a.size(), e.size());
  for (const auto& [cell, polygon] : e) {
    const auto found = a.find(cell);
    ASSERT_NE(found, a.end()) << std::get<0>(cell) << std::get<1>(cell) << std::get<2>(cell);
    EXPECT_EQ(found->second->brush, polygon->brush);
    EXPECT_TRUE(SameCorners(*found->second, *polygon));
  }
}

// The frame in the fill's units at scale 1, and the polygons whose fill covers pixel (x, y), in drawing
// order.
std::vector<FixedPolygon> Fixed(const CubeFrame& f) {
  std::vector<FixedPolygon> fixed(f.count);
  for (int k = 0; k < f.count; ++k) FixPolygon(f.polygons[k], 1, &fixed[k]);
  return fixed;
}

std::vector<const CubePolygon*> Covering(const CubeFrame& f, const std::vector<FixedPolygon>& fixed, int x,
                                         int y) {
  std::vector<const CubePolygon*> covering;
  for (int k = 0; k < f.count; ++k) {
    int begin, end;
    if (FixedRowSpan(fixed[k], y, &begin, &end) && x >= begin && x < end) covering.push_back(&f.polygons[k]);
  }
  return covering;
}

void Scrambled(int n, uint32_t seed) {
  Lcg lcg{seed};
  RandomLayerPattern(n, lcg);
  CopyCube(liveCube, before);
}

std::set<int> FacesShown(const CubeCamera& camera) {
  StartSolved(3);
  BuildCubeFrame(&frame, 3, liveCube, camera, kLayoutCube, kBox);
  std::set<int> faces;
  for (const auto& [cell, polygon] : Facelets(frame)) faces.insert(std::get<0>(cell));
  return faces;
}

TEST(CubeView, FacesPointingAtTheViewerShowStrictly) {
  EXPECT_EQ(FacesShown(kDefaultCubeCamera), (std::set<int>{U, F, R}));
  EXPECT_EQ(FacesShown({0, 0}), (std::set<int>{F}));
  EXPECT_EQ(FacesShown({90, 0}), (std::set<int>{R}));
  EXPECT_EQ(FacesShown({-90, 0}), (std::set<int>{L}));
  EXPECT_EQ(FacesShown({180, 0}), (std::set<int>{B}));
  EXPECT_EQ(FacesShown({-180, 0}), (std::set<int>{B}));
  EXPECT_EQ(FacesShown({30, 90}), (std::set<int>{U}));
  EXPECT_EQ(FacesShown({0, -90}), (std::set<int>{D}));
  EXPECT_EQ(FacesShown({45, 0}), (std::set<int>{F, R}));
  EXPECT_EQ(FacesShown({-135, -10}), (std::set<int>{L, B, D}));
}

TEST(CubeView, DefaultCameraShowsUFrontAndRightWholeWithNothingOverlapping) {
  for (int n : {1, 2, 3, 10}) {
    SCOPED_TRACE(n);
    Scrambled(n, 7u + n);
    BuildCubeFrame(&frame, n, before, kDefaultCubeCamera, kLayoutCube, kBox);
    const auto facelets = Facelets(frame);
    ASSERT_EQ(facelets.size(), 3u * n * n);
    EXPECT_EQ(frame.count, 3 * n * n + 3);
    for (const auto& [cell, p] : facelets) {
      const auto [face, row, column] = cell;
      EXPECT_TRUE(face == U || face == F || face == R);
      EXPECT_EQ(p->brush, before[CellIndex(face, row, column)]);
    }
    // As the net lays them out: U above F, R right of F, rows downwards and columns rightwards.
    const int last = n - 1;
    EXPECT_LT(facelets.at(Cell(U, last, 0))->letterY, facelets.at(Cell(F, 0, 0))->letterY);
    EXPECT_LT(facelets.at(Cell(F, 0, last))->letterX, facelets.at(Cell(R, 0, 0))->letterX);
    EXPECT_LT(facelets.at(Cell(F, 0, 0))->letterY, facelets.at(Cell(F, last, 0))->letterY + (n == 1));
    EXPECT_LT(facelets.at(Cell(R, 0, 0))->letterX, facelets.at(Cell(R, 0, last))->letterX + (n == 1));
    // Every facelet covers its own piece of the body alone.
    const auto fixed = Fixed(frame);
    for (int y = kBox.top; y < kBox.top + kBox.height; y += 3)
      for (int x = kBox.left; x < kBox.left + kBox.width; x += 3) {
        const auto covering = Covering(frame, fixed, x, y);
        int faceletCount = 0;
        for (const CubePolygon* p : covering) faceletCount += p->face != kBodyFace;
        ASSERT_LE(faceletCount, 1) << x << "," << y;
        if (faceletCount == 1) {
          ASSERT_NE(covering.back()->face, kBodyFace) << x << "," << y;
        }
      }
  }
}

TEST(CubeView, FrontAndBackShowsEveryFaceletOnce) {
  for (int n : {2, 3, 5})
    for (CubeCamera camera : {kDefaultCubeCamera, CubeCamera{-120, -40}, CubeCamera{170, 80}}) {
      SCOPED_TRACE(testing::Message() << n << " at " << camera.turn << "," << camera.tilt);
      Scrambled(n, 3);
      BuildCubeFrame(&frame, n, before, camera, kLayoutFrontAndBack, kBox);
      EXPECT_EQ(Facelets(frame).size(), 6u * n * n);
    }
}

TEST(CubeView, StillCubeFillsTheBoxCentred) {
  for (CubeLayout layout : {kLayoutCube, kLayoutFrontAndBack})
    for (FitBox box : {kBox, FitBox{-5, 7, 200, 900}, FitBox{0, 0, 1000, 90}})
      for (CubeCamera camera : {kDefaultCubeCamera, CubeCamera{-70, -60}, CubeCamera{0, 0}}) {
        StartSolved(4);
        BuildCubeFrame(&frame, 4, liveCube, camera, layout, box);
        float left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
        for (int k = 0; k < frame.count; ++k)
          for (int c = 0; c < kCubePolygonCorners; ++c) {
            left = std::min(left, frame.polygons[k].x[c]), right = std::max(right, frame.polygons[k].x[c]);
            top = std::min(top, frame.polygons[k].y[c]), bottom = std::max(bottom, frame.polygons[k].y[c]);
          }
        EXPECT_NEAR(left + right, 2 * box.left + box.width, 0.01);
        EXPECT_NEAR(top + bottom, 2 * box.top + box.height, 0.01);
        EXPECT_LE(right - left, box.width + 0.01);
        EXPECT_LE(bottom - top, box.height + 0.01);
        EXPECT_TRUE(std::fabs(right - left - box.width) < 0.01 ||
                    std::fabs(bottom - top - box.height) < 0.01);
      }
  BuildCubeFrame(&frame, 0, liveCube, kDefaultCubeCamera, kLayoutCube, kBox);
  EXPECT_EQ(frame.count, 0);
  BuildCubeFrame(&frame, 3, liveCube, kDefaultCubeCamera, kLayoutCube, FitBox{0, 0, 0, 10});
  EXPECT_EQ(frame.count, 0);
}

// The cells a block's layers hold: those its quarter turn moves, and the middles it turns in place.
std::set<Cell> BlockCells(int n, const BlockMove& move) {
  cubeSize = static_cast<int16_t>(n);
  for (int cell = 0; cell < kCellCount; ++cell) liveCube[cell] = shadowCube[cell] = cell;
  TurnBlock(move.face, move.first, move.last, 1, liveCube, shadowCube);
  std::set<Cell> cells;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column)
        if (liveCube[CellIndex(face, row, column)] != CellIndex(face, row, column))
          cells.insert({face, row, column});
  static const Face kOpposites[6] = {D, R, B, L, F, U};
  if (n % 2 == 1 && move.first == 1) cells.insert({move.face, n / 2, n / 2});
  if (n % 2 == 1 && move.last == n) cells.insert({kOpposites[move.face], n / 2, n / 2});
  return cells;
}

TEST(CubeView, TurnFramesAgreeWithTheTurnModel) {
  for (int n : {2, 3, 4, 7}) {
    // Outer face, inner slice, wide, an inner block like 2-3Rw, a deep wide block, the whole cube.
    const std::vector<std::pair<int, int>> blocks = {{1, 1}, {2, 2}, {1, 2}, {2, 3}, {1, n - 1}, {1, n}};
    for (int face = 0; face < 6; ++face)
      for (const auto& [first, last] : blocks) {
        if (last > n || first > last) continue;
        for (int turns = 1; turns <= 3; ++turns) {
          const BlockMove move = {static_cast<int8_t>(face), static_cast<int8_t>(first),
                                  static_cast<int8_t>(last), static_cast<int8_t>(turns)};
          SCOPED_TRACE(testing::Message()
                       << n << ": " << face << " " << first << "-" << last << " x" << turns);
          Scrambled(n, 11u * n + face);
          BuildCubeFrame(&other, n, before, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          BuildTurnFrame(&frame, n, before, move, 0, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          ExpectSameFacelets(frame, other);

          // The turn model works on the global pair: the face turns go through them whatever is passed.
          CopyCube(before, liveCube);
          CopyCube(before, shadowCube);
          TurnBlock(move.face, move.first, move.last, move.quarterTurns, liveCube, shadowCube);
          CopyCube(liveCube, after);
          BuildCubeFrame(&other, n, after, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          BuildTurnFrame(&frame, n, before, move, 1, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          ExpectSameFacelets(frame, other);

          BuildTurnFrame(&frame, n, before, move, 0.5, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          std::set<Cell> moving, still;
          for (const auto& [cell, polygon] : Facelets(frame)) (polygon->moving ? moving : still).insert(cell);
          EXPECT_EQ(moving.size() + still.size(), 6u * n * n);
          EXPECT_EQ(moving, BlockCells(n, move));
          // A moving facelet names the cell whose place it is nearest: early on the one it left, late the one
          // it goes to (a half turn passes a third cell half way).
          for (const auto& [fraction, pattern] : {std::make_pair(0.2, before), std::make_pair(0.8, after)}) {
            BuildTurnFrame(&frame, n, before, move, fraction, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
            for (const auto& [cell, p] : Facelets(frame))
              EXPECT_EQ(p->colour,
                        pattern[CellIndex(std::get<0>(cell), std::get<1>(cell), std::get<2>(cell))]);
          }
        }
      }
  }
}

TEST(CubeView, MovesThatAreNoTurnAreDrawnStill) {
  Scrambled(4, 5);
  BuildCubeFrame(&other, 4, before, kDefaultCubeCamera, kLayoutCube, kBox);
  for (BlockMove move : {BlockMove{R, 1, 1, 0}, BlockMove{R, 1, 1, 4}, BlockMove{R, 3, 5, 1},
                         BlockMove{R, 3, 2, 1}, BlockMove{6, 1, 1, 1}}) {
    BuildTurnFrame(&frame, 4, before, move, 0.4, kDefaultCubeCamera, kLayoutCube, kBox);
    ASSERT_EQ(frame.count, other.count);
    for (int k = 0; k < frame.count; ++k) {
      EXPECT_EQ(CellOf(frame.polygons[k]), CellOf(other.polygons[k]));
      EXPECT_FALSE(frame.polygons[k].moving);
      EXPECT_TRUE(SameCorners(frame.polygons[k], other.polygons[k]));
    }
  }
}

// Wherever pieces overlap, the one nearest the viewer lies on top; within a piece no body covers a facelet.
TEST(CubeView, TurningPiecesArePaintedBackToFront) {
  const int n = 4;
  // Seen from the default camera U, F and R face the viewer, so piece 0 of those lies nearest.
  for (BlockMove move :
       {BlockMove{R, 1, 1, 1}, BlockMove{L, 1, 1, 1}, BlockMove{R, 2, 3, 3}, BlockMove{U, 2, 2, 2},
        BlockMove{D, 1, 1, 1}, BlockMove{F, 1, 3, 1}, BlockMove{B, 2, 2, 1}, BlockMove{F, 1, 4, 1}})
    for (double fraction : {0.2, 0.5, 0.85}) {
      SCOPED_TRACE(testing::Message() << int(move.face) << " " << int(move.first) << "-" << int(move.last)
                                      << " at " << fraction);
      Scrambled(n, 9);
      BuildTurnFrame(&frame, n, before, move, fraction, kDefaultCubeCamera, kLayoutCube,
                     FitBox{0, 0, 200, 160});
      const bool nearFirst = move.face == U || move.face == F || move.face == R;
      const auto fixed = Fixed(frame);
      for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 200; ++x) {
          const auto covering = Covering(frame, fixed, x, y);
          if (covering.empty()) continue;
          int nearest = covering[0]->piece;
          for (const CubePolygon* p : covering)
            nearest = nearFirst ? std::min<int>(nearest, p->piece) : std::max<int>(nearest, p->piece);
          ASSERT_EQ(covering.back()->piece, nearest) << x << "," << y;
          ASSERT_EQ(covering.back()->moving, nearest == 1) << x << "," << y;
          bool faceletBelow = false;
          for (const CubePolygon* p : covering)
            faceletBelow = faceletBelow || (p->piece == nearest && p->face != kBodyFace);
          if (faceletBelow) {
            ASSERT_NE(covering.back()->face, kBodyFace) << x << "," << y;
          }
        }
    }
}

TEST(CubeView, HitTestNamesTheFaceletUnderEveryCentre) {
  for (int n : {2, 3, 10})
    for (CubeLayout layout : {kLayoutCube, kLayoutFrontAndBack}) {
      Scrambled(n, 2);
      BuildCubeFrame(&frame, n, before, CubeCamera{-40, 35}, layout, kBox);
      for (const auto& [cell, p] : Facelets(frame)) {
        Face face = -1;
        int row = -1, column = -1;
        ASSERT_TRUE(HitTestCubeFrame(frame, int(std::floor(p->letterX)), int(std::floor(p->letterY)), &face,
                                     &row, &column));
        EXPECT_EQ(Cell(face, row, column), cell);
      }
      Face face;
      int row, column;
      EXPECT_FALSE(HitTestCubeFrame(frame, kBox.left + 1, kBox.top + 1, &face, &row, &column));
      EXPECT_FALSE(HitTestCubeFrame(frame, -100, 300, &face, &row, &column));
    }
}

// A click on a pixel names the facelet whose colour the picture shows there, turning or not.
TEST(CubeView, HitTestAgreesWithThePicturesPixels) {
  static CubeRaster raster;
  std::vector<uint8_t> row(400);
  Scrambled(5, 4);
  // No white, so that brush 0 in the picture is the background alone.
  for (int cell = 0; cell < kCellCount; ++cell) before[cell] = before[cell] == 0 ? 2 : before[cell];
  for (double fraction : {0.0, 0.3}) {
    BuildTurnFrame(&frame, 5, before, BlockMove{F, 2, 3, 1}, fraction, CubeCamera{20, -30}, kLayoutCube,
                   FitBox{0, 0, 400, 300});
    const auto facelets = Facelets(frame);
    PrepareCubeRaster(&raster, frame, 400, 300, 1);
    int faceletPixels = 0, blackPixels = 0;
    for (int y = 0; y < 300; ++y) {
      CubeRasterRow(raster, y, row.data());
      for (int x = 0; x < 400; ++x) {
        Face face;
        int r, c;
        const bool hit = HitTestCubeFrame(frame, x, y, &face, &r, &c);
        blackPixels += row[x] == kRasterBlack;
        faceletPixels += hit;
        ASSERT_EQ(hit, row[x] != 0 && row[x] != kRasterBlack) << x << "," << y;
        if (hit) {
          ASSERT_EQ(row[x], facelets.at(Cell(face, r, c))->brush) << x << "," << y;
        }
      }
    }
    EXPECT_GT(faceletPixels, 10000);
    EXPECT_GT(blackPixels, 1000);
  }
}

}  // namespace
