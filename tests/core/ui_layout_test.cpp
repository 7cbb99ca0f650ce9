// Where the net's squares go, the exact drawing calls that paint them, and the help box.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "support/recording_platform.h"

namespace {

// Every test starts the program itself, at the size it needs.
class NetLayout : public ::testing::Test {
 protected:
  RecordingPlatform recording;
};

TEST_F(NetLayout, PlacesTheFacesAsACross) {
  StartFresh(recording);
  const int16_t columns[6] = {1, 0, 1, 2, 3, 1};
  const int16_t rows[6] = {0, 1, 1, 1, 1, 2};
  for (int face = 0; face < 6; ++face) {
    EXPECT_EQ(document.layout.netColumn[face], columns[face]) << face;
    EXPECT_EQ(document.layout.netRow[face], rows[face]) << face;
  }
}

TEST_F(NetLayout, ThreeCubePositionsMatchTheTable) {
  StartFresh(recording, 3);
  const int16_t x[6][3] = {{51, 66, 81},   {4, 19, 34},     {51, 66, 81},
                           {98, 113, 128}, {145, 160, 175}, {51, 66, 81}};
  const int16_t y[6][3] = {{0, 16, 32},  {54, 70, 86}, {54, 70, 86},
                           {54, 70, 86}, {54, 70, 86}, {108, 124, 140}};
  for (int face = 0; face < 6; ++face)
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(document.layout.columnX[face][k], x[face][k]) << "face " << face << " column " << k;
      EXPECT_EQ(document.layout.rowY[face][k], y[face][k]) << "face " << face << " row " << k;
    }
}

struct Corners {
  int16_t size;
  int16_t blockX[4];  // first column of net columns 0 to 3
  int16_t blockY[3];  // first row of net rows 0 to 2
};

void PrintTo(const Corners& corners, std::ostream* out) { *out << "size " << corners.size; }

class NetLayoutForSize : public NetLayout, public ::testing::WithParamInterface<Corners> {};

TEST_P(NetLayoutForSize, BlocksStartWhereTheyShouldAndSquaresStepByFifteenAndSixteen) {
  const Corners& c = GetParam();
  StartFresh(recording, c.size);
  for (int face = 0; face < 6; ++face)
    for (int k = 0; k < c.size; ++k) {
      EXPECT_EQ(document.layout.columnX[face][k], c.blockX[document.layout.netColumn[face]] + 15 * k)
          << "face " << face << " column " << k;
      EXPECT_EQ(document.layout.rowY[face][k], c.blockY[document.layout.netRow[face]] + 16 * k)
          << "face " << face << " row " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, NetLayoutForSize,
                         ::testing::Values(Corners{2, {4, 36, 68, 100}, {0, 38, 76}},
                                           Corners{3, {4, 51, 98, 145}, {0, 54, 108}},
                                           Corners{10, {4, 156, 308, 460}, {0, 166, 332}}));

// The calls one square makes: outline from the top-left corner round, then the inside.
std::vector<std::string> Square(int left, int top, int brush) {
  const std::string l = std::to_string(left), t = std::to_string(top);
  const std::string r = std::to_string(left + 13), b = std::to_string(top + 14);
  return {"move " + l + " " + t,
          "line " + r + " " + t,
          "line " + r + " " + b,
          "line " + l + " " + b,
          "line " + l + " " + t,
          "fill " + std::to_string(left + 1) + " " + std::to_string(top + 1) + " " + r + " " + b + " " +
              std::to_string(brush)};
}

class PaintSize : public NetLayout, public ::testing::WithParamInterface<int16_t> {};

TEST_P(PaintSize, PaintsEverySquareInOrderThenTheCaptionAndRestoresTheContext) {
  const int16_t n = GetParam();
  StartFresh(recording, n);
  RecordingSurface surface;
  surface.alignment = 24;  // whatever the context held before
  PaintNet(surface);

  std::vector<std::string> expected = {"pen", "align 6"};
  int right = 0, bottom = 0;
  for (int face = 0; face < 6; ++face)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) {
        const std::vector<std::string> square =
            Square(document.layout.columnX[face][k], document.layout.rowY[face][j] + 8, face);
        expected.insert(expected.end(), square.begin(), square.end());
        right = std::max(right, document.layout.columnX[face][k] + 13);
        bottom = std::max(bottom, document.layout.rowY[face][j] + 8 + 14);
      }
  expected.insert(expected.end(), {"text 60 170 ? for help", "align 24", "restore pen"});
  EXPECT_EQ(surface.calls, expected);
  EXPECT_EQ(surface.alignment, 24);
  EXPECT_EQ(surface.penDepth, 0);
  EXPECT_EQ(right, 60 * n + 8);
  EXPECT_EQ(bottom, 48 * n + 18);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaintSize, ::testing::Values(2, 3, 10));

TEST_F(NetLayout, SolvedThreeCubeFirstSquaresAndExtent) {
  StartFresh(recording, 3);
  RecordingSurface surface;
  PaintNet(surface);
  ASSERT_EQ(surface.calls.size(), 2u + 54 * 6 + 3);
  const std::vector<std::string> first(surface.calls.begin() + 2, surface.calls.begin() + 8);
  EXPECT_EQ(first, Square(51, 8, 0));
  // The last square is D's bottom-right corner, blue, ending at (94, 162).
  const std::vector<std::string> last(surface.calls.end() - 9, surface.calls.end() - 3);
  EXPECT_EQ(last, Square(81, 148, 5));
}

TEST_F(NetLayout, NothingIsLaidOutOrDrawnBelowSizeOne) {
  StartFresh(recording, 3);
  int16_t x[6][kMaxSize], y[6][kMaxSize];
  std::copy(&document.layout.columnX[0][0], &document.layout.columnX[0][0] + 6 * kMaxSize, &x[0][0]);
  std::copy(&document.layout.rowY[0][0], &document.layout.rowY[0][0] + 6 * kMaxSize, &y[0][0]);
  document.cube.size = 0;
  ComputeNetLayout();
  EXPECT_TRUE(std::equal(&x[0][0], &x[0][0] + 6 * kMaxSize, &document.layout.columnX[0][0]));
  EXPECT_TRUE(std::equal(&y[0][0], &y[0][0] + 6 * kMaxSize, &document.layout.rowY[0][0]));
  RecordingSurface surface;
  PaintNet(surface);
  EXPECT_EQ(surface.calls,
            (std::vector<std::string>{"pen", "align 6", "text 60 170 ? for help", "align 0", "restore pen"}));
  document.cube.size = 3;
}

TEST_F(NetLayout, ACellThatIsNoColourNeverReachesABrushPastTheSix) {
  StartFresh(recording, 3);
  const int32_t odd[] = {6, 7, -1, 255, 1000000, INT_MIN, INT_MAX};
  for (size_t k = 0; k < sizeof odd / sizeof odd[0]; ++k)
    document.cube.live[CellIndex(F, k / 3, k % 3)] = odd[k];
  RecordingSurface surface;
  PaintNet(surface);
  int fills = 0;
  for (const std::string& call : surface.calls) {
    if (call.compare(0, 5, "fill ") != 0) continue;
    ++fills;
    const int brush = std::stoi(call.substr(call.rfind(' ') + 1));
    EXPECT_GE(brush, 0) << call;
    EXPECT_LE(brush, 5) << call;
  }
  EXPECT_EQ(fills, 54);
}

TEST_F(NetLayout, HelpBoxHasSixLinesAndOnePercentSign) {
  StartFresh(recording);
  ShowHelp();
  ASSERT_EQ(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].title, "Help");
  const std::string& text = recording.boxes[0].text;
  EXPECT_EQ(text,
            "u d f b l r\nArrow keys rotate in space\n% = Show Symmetry\n\\ = Central Reflect\n"
            "| = RL Reflect\n* = Reset");
  EXPECT_EQ(text.size(), 101u);
}

}  // namespace
