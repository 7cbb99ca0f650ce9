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

std::map<Cell, const CubePolygon*> Facelets(const CubeFrame& f) {
  std::map<Cell, const CubePolygon*> facelets;
  for (const CubePolygon* p = f.polygons; p < f.polygons + f.count; ++p)
    if (p->face != kBodyFace) {
      EXPECT_TRUE(facelets.emplace(Cell(p->face, p->row, p->column), p).second);
    }
  return facelets;
}

// The same facelets, colours and corners, to 0.01 pixel in the same turning order from any start.
void ExpectSameFacelets(const CubeFrame& actual, const CubeFrame& expected) {
  const auto a = Facelets(actual), e = Facelets(expected);
  ASSERT_EQ(a.size(), e.size());
  for (const auto& [cell, p] : e) {
    ASSERT_EQ(a.count(cell), 1u);
    const CubePolygon& q = *a.at(cell);
    EXPECT_EQ(q.brush, p->brush);
    int matchingStarts = 0;
    for (int start = 0; start < kCubePolygonCorners; ++start) {
      bool same = true;
      for (int k = 0, j = start; k < kCubePolygonCorners; ++k, j = (j + 1) % kCubePolygonCorners)
        same = same && std::fabs(q.x[k] - p->x[j]) < 0.01 && std::fabs(q.y[k] - p->y[j]) < 0.01;
      matchingStarts += same;
    }
    EXPECT_EQ(matchingStarts, 1);
  }
}

// The polygons whose fill covers each pixel of row y at scale 1, in drawing order.
std::vector<std::vector<const CubePolygon*>> CoveringRow(const CubeFrame& f, int y, int width) {
  std::vector<std::vector<const CubePolygon*>> covering(width);
  for (int k = 0; k < f.count; ++k) {
    FixedPolygon fixed;
    FixPolygon(f.polygons[k], 1, &fixed);
    int begin, end;
    if (FixedRowSpan(fixed, y, &begin, &end))
      for (int x = std::max(begin, 0); x < std::min(end, width); ++x) covering[x].push_back(&f.polygons[k]);
  }
  return covering;
}

void Scrambled(int n, uint32_t seed) {
  Lcg lcg{seed};
  RandomLayerPattern(n, lcg);
  CopyCube(document.cube.size, document.cube.live, before);
}

TEST(CubeView, FacesPointingAtTheViewerShowStrictly) {
  const std::vector<std::pair<CubeCamera, std::set<int>>> cases = {{kDefaultCubeCamera, {U, F, R}},
                                                                   {{0, 0}, {F}},
                                                                   {{90, 0}, {R}},
                                                                   {{-90, 0}, {L}},
                                                                   {{180, 0}, {B}},
                                                                   {{-180, 0}, {B}},
                                                                   {{30, 90}, {U}},
                                                                   {{0, -90}, {D}},
                                                                   {{45, 0}, {F, R}},
                                                                   {{-135, -10}, {L, B, D}}};
  Scrambled(3, 1);
  for (const auto& [camera, faces] : cases) {
    BuildCubeFrame(&frame, 3, before, camera, kLayoutCube, kBox);
    std::set<int> shown;
    for (const auto& [cell, p] : Facelets(frame)) shown.insert(std::get<0>(cell));
    EXPECT_EQ(shown, faces) << camera.turn << "," << camera.tilt;
  }
}

TEST(CubeView, StillFramesShowEachFaceletOnceWhereTheNetPutsIt) {
  for (int n : {1, 2, 3, 10}) {
    SCOPED_TRACE(n);
    Scrambled(n, 7u + n);
    BuildCubeFrame(&frame, n, before, kDefaultCubeCamera, kLayoutCube, kBox);
    const auto shown = Facelets(frame);
    ASSERT_EQ(shown.size(), 3u * n * n);
    EXPECT_EQ(frame.count, 3 * n * n + 3);
    for (const auto& [cell, p] : shown) {
      EXPECT_TRUE(std::get<0>(cell) == U || std::get<0>(cell) == F || std::get<0>(cell) == R);
      EXPECT_EQ(p->brush, before[CellIndex(std::get<0>(cell), std::get<1>(cell), std::get<2>(cell))]);
    }
    // U above F, R right of F, rows downwards and columns rightwards.
    const int last = n - 1;
    EXPECT_LT(shown.at({U, last, 0})->letterY, shown.at({F, 0, 0})->letterY);
    EXPECT_LT(shown.at({F, 0, last})->letterX, shown.at({R, 0, 0})->letterX);
    EXPECT_LE(shown.at({F, 0, 0})->letterY, shown.at({F, last, 0})->letterY);
    EXPECT_LE(shown.at({R, 0, 0})->letterX, shown.at({R, 0, last})->letterX);
    for (CubeCamera camera : {kDefaultCubeCamera, CubeCamera{-120, -40}, CubeCamera{170, 80}}) {
      BuildCubeFrame(&frame, n, before, camera, kLayoutFrontAndBack, kBox);
      EXPECT_EQ(Facelets(frame).size(), 6u * n * n);
    }
  }
}

TEST(CubeView, StillCubeFillsTheBoxCentred) {
  StartSolved(4);
  for (CubeLayout layout : {kLayoutCube, kLayoutFrontAndBack})
    for (FitBox box : {kBox, FitBox{-5, 7, 200, 900}, FitBox{0, 0, 1000, 90}})
      for (CubeCamera camera : {kDefaultCubeCamera, CubeCamera{-70, -60}, CubeCamera{0, 0}}) {
        BuildCubeFrame(&frame, 4, document.cube.live, camera, layout, box);
        float left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
        for (const CubePolygon* p = frame.polygons; p < frame.polygons + frame.count; ++p)
          for (int c = 0; c < kCubePolygonCorners; ++c)
            left = std::min(left, p->x[c]), right = std::max(right, p->x[c]), top = std::min(top, p->y[c]),
            bottom = std::max(bottom, p->y[c]);
        EXPECT_NEAR(left + right, 2 * box.left + box.width, 0.01);
        EXPECT_NEAR(top + bottom, 2 * box.top + box.height, 0.01);
        EXPECT_NEAR(std::max((right - left) / box.width, (bottom - top) / box.height), 1, 1e-5);
      }
  BuildCubeFrame(&frame, 0, document.cube.live, kDefaultCubeCamera, kLayoutCube, kBox);
  EXPECT_EQ(frame.count, 0);
  BuildCubeFrame(&frame, 3, document.cube.live, kDefaultCubeCamera, kLayoutCube, FitBox{0, 0, 0, 10});
  EXPECT_EQ(frame.count, 0);
}

// The cells a block's layers hold: those its quarter turn moves, and the middles it turns in place.
std::set<Cell> BlockCells(int n, const BlockMove& move) {
  Cube numbered;
  numbered.size = static_cast<int16_t>(n);
  for (int cell = 0; cell < kCellCount; ++cell) numbered.live[cell] = numbered.shadow[cell] = cell;
  TurnBlock(numbered, move.face, move.first, move.last, 1);
  std::set<Cell> cells;
  for (int cell = 0; cell < kCellCount; ++cell)
    if (IsUsedCell(cell, n) && numbered.live[cell] != cell)
      cells.insert({cell / 100, cell / 10 % 10, cell % 10});
  static const Face kOpposites[6] = {D, R, B, L, F, U};
  if (n % 2 == 1 && move.first == 1) cells.insert({move.face, n / 2, n / 2});
  if (n % 2 == 1 && move.last == n) cells.insert({kOpposites[move.face], n / 2, n / 2});
  return cells;
}

TEST(CubeView, TurnFramesAgreeWithTheTurnModel) {
  for (int n : {2, 3, 4, 7})
    for (int face = 0; face < 6; ++face)
      // Outer face, inner slice, wide, an inner block like 2-3Rw, a deep wide block, the whole cube.
      for (const auto& [first, last] :
           std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {1, 2}, {2, 3}, {1, n - 1}, {1, n}})
        for (int turns = 1; turns <= 3 && last <= n && first <= last; ++turns) {
          const BlockMove move = {static_cast<int8_t>(face), static_cast<int8_t>(first),
                                  static_cast<int8_t>(last), static_cast<int8_t>(turns)};
          SCOPED_TRACE(testing::Message()
                       << n << ": " << face << " " << first << "-" << last << " x" << turns);
          Scrambled(n, 11u * n + face);
          BuildCubeFrame(&other, n, before, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          BuildTurnFrame(&frame, n, before, move, 0, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          ExpectSameFacelets(frame, other);
          Cube turned;
          turned.size = static_cast<int16_t>(n);
          CopyCube(n, before, turned.live);
          CopyCube(n, before, turned.shadow);
          TurnBlock(turned, move.face, move.first, move.last, move.quarterTurns);
          CopyCube(n, turned.live, after);
          BuildCubeFrame(&other, n, after, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          BuildTurnFrame(&frame, n, before, move, 1, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          ExpectSameFacelets(frame, other);

          BuildTurnFrame(&frame, n, before, move, 0.5, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
          std::set<Cell> moving;
          const auto shown = Facelets(frame);
          for (const auto& [cell, p] : shown)
            if (p->moving) moving.insert(cell);
          EXPECT_EQ(shown.size(), 6u * n * n);
          EXPECT_EQ(moving, BlockCells(n, move));
          // A moving facelet names the cell whose place it is nearest: early on the one it left, late the
          // one it goes to (a half turn passes a third cell half way).
          for (const auto& [fraction, pattern] : {std::make_pair(0.2, before), std::make_pair(0.8, after)}) {
            BuildTurnFrame(&frame, n, before, move, fraction, kDefaultCubeCamera, kLayoutFrontAndBack, kBox);
            for (const auto& [cell, p] : Facelets(frame))
              EXPECT_EQ(p->colour,
                        pattern[CellIndex(std::get<0>(cell), std::get<1>(cell), std::get<2>(cell))]);
          }
        }
}

TEST(CubeView, MovesThatAreNoTurnAreDrawnStill) {
  Scrambled(4, 5);
  BuildCubeFrame(&other, 4, before, kDefaultCubeCamera, kLayoutCube, kBox);
  for (BlockMove move : {BlockMove{R, 1, 1, 0}, BlockMove{R, 1, 1, 4}, BlockMove{R, 3, 5, 1},
                         BlockMove{R, 3, 2, 1}, BlockMove{6, 1, 1, 1}}) {
    BuildTurnFrame(&frame, 4, before, move, 0.4, kDefaultCubeCamera, kLayoutCube, kBox);
    EXPECT_EQ(frame.count, other.count);
    ExpectSameFacelets(frame, other);
  }
}

// Wherever pieces overlap the one nearest the viewer lies on top; within a piece nothing overlaps but a
// facelet on its own face's black.
TEST(CubeView, PiecesArePaintedBackToFront) {
  Scrambled(4, 9);
  // Seen from the default camera U, F and R face the viewer, so of their pieces 0 lies nearest.
  for (BlockMove move : {BlockMove{R, 1, 1, 0}, BlockMove{R, 1, 1, 1}, BlockMove{L, 1, 1, 1},
                         BlockMove{R, 2, 3, 3}, BlockMove{U, 2, 2, 2}, BlockMove{D, 1, 1, 1},
                         BlockMove{F, 1, 3, 1}, BlockMove{B, 2, 2, 1}, BlockMove{F, 1, 4, 1}})
    for (double fraction : {0.2, 0.5, 0.85}) {
      SCOPED_TRACE(testing::Message()
                   << int(move.face) << int(move.first) << int(move.last) << " at " << fraction);
      BuildTurnFrame(&frame, 4, before, move, fraction, kDefaultCubeCamera, kLayoutCube,
                     FitBox{0, 0, 200, 160});
      const bool nearFirst = move.face == U || move.face == F || move.face == R;
      for (int y = 0; y < 160; ++y) {
        const auto covering = CoveringRow(frame, y, 200);
        for (int x = 0; x < 200; ++x) {
          if (covering[x].empty()) continue;
          int nearest = covering[x][0]->piece, facelets = 0, faces = 0;
          for (const CubePolygon* p : covering[x])
            nearest = nearFirst ? std::min<int>(nearest, p->piece) : std::max<int>(nearest, p->piece);
          for (const CubePolygon* p : covering[x]) {
            facelets += p->piece == nearest && p->face != kBodyFace;
            faces += p->piece == nearest && p->face == kBodyFace;
          }
          ASSERT_EQ(covering[x].back()->piece, nearest) << x << "," << y;
          ASSERT_LE(facelets, 1) << x << "," << y;
          ASSERT_LE(faces, 1) << x << "," << y;
          ASSERT_EQ(covering[x].back()->face != kBodyFace, facelets == 1) << x << "," << y;
        }
      }
    }
}

// The hit test names the facelet under every centre, and a click names the facelet whose colour the
// picture shows there, turning or not.
TEST(CubeView, HitTestAgreesWithCentresAndThePicturesPixels) {
  static CubeRaster raster;
  std::vector<uint8_t> row(400);
  Scrambled(5, 4);
  // No white, so that brush 0 in the picture is the background alone.
  for (int cell = 0; cell < kCellCount; ++cell) before[cell] = before[cell] == 0 ? 2 : before[cell];
  // Room round the box for the turning block to reach beyond it.
  for (const auto& [layout, fraction] :
       {std::make_pair(kLayoutCube, 0.3), std::make_pair(kLayoutFrontAndBack, 0.0)}) {
    BuildTurnFrame(&frame, 5, before, BlockMove{F, 2, 3, 1}, fraction, CubeCamera{20, -30}, layout,
                   FitBox{40, 30, 320, 240});
    const auto shown = Facelets(frame);
    Face face;
    int r, c;
    for (const auto& [cell, p] : shown)
      if (fraction == 0) {
        ASSERT_TRUE(HitTestCubeFrame(frame, int(p->letterX), int(p->letterY), &face, &r, &c));
        EXPECT_EQ(Cell(face, r, c), cell);
      }
    PrepareCubeRaster(&raster, frame, 400, 300, 1);
    int faceletPixels = 0, blackPixels = 0;
    for (int y = -1; y <= 300; ++y) {
      if (y >= 0 && y < 300) CubeRasterRow(raster, y, row.data());
      for (int x = -1; x <= 400; ++x) {
        const bool hit = HitTestCubeFrame(frame, x, y, &face, &r, &c);
        const bool inside = x >= 0 && x < 400 && y >= 0 && y < 300;
        blackPixels += inside && row[x] == kRasterBlack;
        faceletPixels += hit;
        ASSERT_EQ(hit, inside && row[x] != 0 && row[x] != kRasterBlack) << x << "," << y;
        if (hit) {
          ASSERT_EQ(row[x], shown.at(Cell(face, r, c))->brush) << x << "," << y;
        }
      }
    }
    EXPECT_GT(faceletPixels, layout == kLayoutCube ? 20000 : 10000);
    EXPECT_GT(blackPixels, 1000);
  }
}

}  // namespace
