// The solid cube through the Windows window: painted by GDI as the core's frame says, dragged, clicked
// and undone through the window's own messages, a turn played on the window's timer, a new cube.
#include "frontends/win32/window_view.h"
#include "window_fixture.h"

namespace {

const uint32_t kColours[6] = {0xFFFFFF, 0xFF0000, 0xFFFF00, 0xFF9000, 0x00FF00, 0x0000FF};  // 0xRRGGBB

SIZE Client() {
  RECT client;
  GetClientRect(mainWindow, &client);
  return {client.right - client.left, client.bottom - client.top};
}

void Centre(const CubePolygon& p, int* x, int* y) {
  float sx = 0, sy = 0;
  for (int c = 0; c < kCubePolygonCorners; ++c) sx += p.x[c], sy += p.y[c];
  *x = static_cast<int>(sx / kCubePolygonCorners), *y = static_cast<int>(sy / kCubePolygonCorners);
}

// Paints the window's view into a canvas; the facelets whose centre shows another colour than their own.
int Mismatches() {
  Canvas canvas;
  if (!canvas.ready()) return -1;
  PaintView(mainWindow, canvas.dc());
  const SIZE client = Client();
  BuildWindowFrame(&document.windowFrame, client.cx, client.cy);
  int wrong = 0;
  for (int k = 0; k < document.windowFrame.count; ++k) {
    const CubePolygon& p = document.windowFrame.polygons[k];
    if (p.face == kBodyFace) continue;
    int x, y;
    Centre(p, &x, &y);
    wrong += x < 0 || y < 0 || x >= kWidth || y >= kHeight || canvas.At(x, y) != kColours[p.brush];
  }
  return wrong;
}

LPARAM CentreOf(Face face, int row, int column) {
  const SIZE client = Client();
  BuildWindowFrame(&document.windowFrame, client.cx, client.cy);
  for (int k = 0; k < document.windowFrame.count; ++k) {
    const CubePolygon& p = document.windowFrame.polygons[k];
    if (p.face != face || p.row != row || p.column != column) continue;
    int x, y;
    Centre(p, &x, &y);
    return MAKELPARAM(x, y);
  }
  return MAKELPARAM(0, 0);
}

}  // namespace

TEST_F(WindowTest, SolidViewPaintsDragsClicksPlaysAndGivesANewCube) {
  Open();
  SendMessageA(mainWindow, WM_CHAR, 'r', 0);
  ASSERT_TRUE(RunMenuItem(kMenuViewCube));
  EXPECT_FALSE(MenuItemEnabled(kMenuFitToWindow));
  EXPECT_EQ(Mismatches(), 0);

  // A drag: press, moves past the threshold, release; the camera turns and nothing else changes.
  const CubeCamera before = document.view.camera;
  SendMessageA(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
  SendMessageA(mainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(302, 201));
  EXPECT_EQ(document.view.camera.turn, before.turn);
  SendMessageA(mainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(350, 230));
  SendMessageA(mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(350, 230));
  EXPECT_NE(document.view.camera.turn, before.turn);
  EXPECT_NE(document.view.camera.tilt, before.tilt);
  EXPECT_EQ(Mismatches(), 0);

  // A click on a facelet: the next colour, undone by the menu's Undo.
  const LPARAM at = CentreOf(U, 0, 2);
  const int colour = document.cube.live[CellIndex(U, 0, 2)];
  SendMessageA(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(mainWindow, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(document.cube.live[CellIndex(U, 0, 2)], (colour + 1) % 6);
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_EQ(document.cube.live[CellIndex(U, 0, 2)], colour);

  // A key turn plays on the window's timer until it ends where the cube stands.
  SendMessageA(mainWindow, WM_CHAR, 'f', 0);
  const Cube* from;
  BlockMove move;
  double fraction;
  ASSERT_TRUE(AnimationFrame(&from, &move, &fraction));
  for (int k = 0; k < 10000 && AnimationFrame(&from, &move, &fraction); ++k) {
    MSG message;
    if (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
  }
  EXPECT_FALSE(AnimationFrame(&from, &move, &fraction));
  EXPECT_EQ(Mismatches(), 0);

  // New cube 5x5x5: solved, one undo step, the view kept.
  ASSERT_TRUE(RunMenuItem(static_cast<MenuItemId>(kMenuNewCube2 + 3)));
  EXPECT_EQ(document.cube.size, 5);
  EXPECT_EQ(CheckSolved(5, document.cube.live), 0);
  EXPECT_EQ(Mismatches(), 0);
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_EQ(document.cube.size, 3);
  ASSERT_TRUE(RunMenuItem(kMenuViewNet));
  EXPECT_TRUE(MenuItemEnabled(kMenuFitToWindow));
}
