// The net painted through GDI into a bitmap, pixel by pixel, against the squares worked out here.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "frontends/win32/gdi_surface.h"
#include "window_fixture.h"

namespace {

const uint32_t kBlack = 0x000000;
const uint32_t kColours[6] = {0xFFFFFF, 0xFF0000, 0xFFFF00, 0xFF9000, 0x00FF00, 0x0000FF};  // 0xRRGGBB

struct Rect {
  int left, top, right, bottom;  // right and bottom excluded
  bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Each square: a one-pixel black border round its colour, 14 wide and 15 high; nothing between.
std::vector<uint32_t> ExpectedNet(int n) {
  std::vector<uint32_t> image(kWidth * kHeight, kUntouched);
  const int blockColumn[6] = {1, 0, 1, 2, 3, 1};
  const int blockRow[6] = {0, 1, 1, 1, 1, 2};
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) {
        const int left = blockColumn[face] * (15 * n + 2) + 4 + 15 * column;
        const int top = blockRow[face] * (16 * n + 6) + 16 * row + 8;
        const uint32_t inside = kColours[document.cube.live[CellIndex(face, row, column)]];
        for (int y = top; y <= top + 14; ++y)
          for (int x = left; x <= left + 13; ++x) {
            const bool border = x == left || x == left + 13 || y == top || y == top + 14;
            image[y * kWidth + x] = border ? kBlack : inside;
          }
      }
  return image;
}

// Where the caption must sit: centred on x = 60, its top at y = 170.
Rect CaptionBox(HDC dc) {
  SIZE size;
  GetTextExtentPoint32A(dc, "? for help", 10, &size);
  const int left = 60 - size.cx / 2;
  return {left, 170, left + size.cx, 170 + size.cy};
}

int Mismatches(const Canvas& canvas, const std::vector<uint32_t>& expected, const Rect& skip) {
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (!skip.Holds(x, y) && canvas.At(x, y) != expected[y * kWidth + x]) ++wrong;
  return wrong;
}

class PaintTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_EQ(InitialiseWindow(Instance(), NULL, SW_HIDE), 1);
    ASSERT_TRUE(canvas_.ready());
  }
  void Paint() {
    GdiSurface surface(canvas_.dc());
    PaintNet(surface);
  }
  Canvas canvas_;
};

}  // namespace

TEST_F(PaintTest, SolvedCubeCoversExactlyItsSquares) {
  Paint();
  const Rect caption = CaptionBox(canvas_.dc());
  EXPECT_EQ(Mismatches(canvas_, ExpectedNet(3), caption), 0);
  // The U block, white squares in black outlines, spans x 51 to 94 and y 8 to 54.
  EXPECT_EQ(canvas_.At(51, 8), kBlack);
  EXPECT_EQ(canvas_.At(94, 54), kBlack);
  EXPECT_EQ(canvas_.At(52, 9), kColours[0]);
  EXPECT_EQ(canvas_.At(95, 30), kUntouched);
  EXPECT_EQ(canvas_.At(70, 55), kUntouched);
  EXPECT_EQ(canvas_.At(188, 108), kBlack);  // the net ends at x 188 and y 162
  EXPECT_EQ(canvas_.At(189, 108), kUntouched);
  EXPECT_EQ(canvas_.At(94, 162), kBlack);
  EXPECT_EQ(canvas_.At(94, 163), kUntouched);
}

TEST_F(PaintTest, CaptionIsCentredUnderTheNetInBlack) {
  Paint();
  int left = kWidth, right = -1, top = kHeight, blacks = 0;
  for (int y = 165; y < 220; ++y)
    for (int x = 0; x < 200; ++x)
      if (canvas_.At(x, y) != kUntouched) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        if (canvas_.At(x, y) == kBlack) ++blacks;
      }
  ASSERT_GE(right, left);
  EXPECT_EQ(top, 170);
  EXPECT_NEAR((left + right + 1) / 2.0, 60.0, 1.0);
  EXPECT_GT(blacks, 20);
  const Rect caption = CaptionBox(canvas_.dc());
  EXPECT_EQ(left, caption.left);
  EXPECT_EQ(right, caption.right - 1);
}

TEST_F(PaintTest, EverySizeFromTwoToTenPaintsItsScrambledPattern) {
  for (int16_t n = 2; n <= 10; ++n) {
    SCOPED_TRACE(n);
    document.cube.size = n;
    ResetCube();
    Scramble(document.cube, document.random, 1);
    Canvas canvas;
    GdiSurface surface(canvas.dc());
    PaintNet(surface);
    EXPECT_EQ(Mismatches(canvas, ExpectedNet(n), CaptionBox(canvas.dc())), 0);
  }
}

TEST_F(PaintTest, ContextGetsItsPenAndAlignmentBack) {
  const HGDIOBJ pen = GetStockObject(WHITE_PEN);
  SelectObject(canvas_.dc(), pen);
  SetTextAlign(canvas_.dc(), TA_RIGHT | TA_BASELINE);
  Paint();
  EXPECT_TRUE(GetCurrentObject(canvas_.dc(), OBJ_PEN) == pen);
  EXPECT_EQ(GetTextAlign(canvas_.dc()), static_cast<UINT>(TA_RIGHT | TA_BASELINE));
}
