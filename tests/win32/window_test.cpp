// Start-up of the drawing objects, class and window, the window procedure and clean-up, on real USER32.
#include <cstring>

#include "window_fixture.h"

namespace {

bool HandleIsLive(HGDIOBJ handle) { return GetObjectType(handle) != 0; }

// The cube that `turn` makes of the current one; the current one stays as it is.
void Predict(void (*turn)(Cube&), CubeState result) {
  Cube copy = document.cube;
  turn(copy);
  CopyCube(copy.size, copy.live, result);
}

}  // namespace

TEST_F(WindowTest, RefusedDrawingObjectStopsStartUpThereAndKeepsWhatWasMade) {
  // 1 is the pen, 2 to 7 the brushes in colour order.
  for (int refused = 1; refused <= 7; ++refused) {
    SCOPED_TRACE(refused);
    failingDrawingObject = refused;
    EXPECT_EQ(InitialiseWindow(Instance(), NULL, SW_SHOWNOACTIVATE), 0);
    EXPECT_EQ(outlinePen != NULL, refused > 1);
    for (int colour = 0; colour < 6; ++colour) EXPECT_EQ(colourBrushes[colour] != NULL, colour + 2 < refused);
    EXPECT_TRUE(mainWindow == NULL);
    WNDCLASSA windowClass;
    EXPECT_FALSE(GetClassInfoA(Instance(), "Plexaro", &windowClass));
    DeleteDrawingObjects();
  }
}

TEST_F(WindowTest, ThirdBrushRefusedLeavesThePenAndTwoBrushesForTheCleanUp) {
  failingDrawingObject = 4;
  ASSERT_EQ(InitialiseWindow(Instance(), NULL, SW_SHOWNOACTIVATE), 0);
  const HGDIOBJ made[3] = {outlinePen, colourBrushes[0], colourBrushes[1]};
  for (HGDIOBJ handle : made) EXPECT_TRUE(HandleIsLive(handle));
  DeleteDrawingObjects();
  for (HGDIOBJ handle : made) EXPECT_FALSE(HandleIsLive(handle));
  EXPECT_TRUE(outlinePen == NULL);
  for (HBRUSH brush : colourBrushes) EXPECT_TRUE(brush == NULL);
  DeleteDrawingObjects();  // a second time finds only null handles
}

TEST_F(WindowTest, PenAndBrushesHaveTheTableColours) {
  Open();
  LOGPEN pen;
  ASSERT_EQ(GetObjectA(outlinePen, sizeof pen, &pen), static_cast<int>(sizeof pen));
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(pen.lopnWidth.x, 1);
  EXPECT_EQ(pen.lopnColor, 0x00000000u);
  const COLORREF expected[6] = {0x00FFFFFF, 0x000000FF, 0x0000FFFF, 0x000090FF, 0x0000FF00, 0x00FF0000};
  for (int colour = 0; colour < 6; ++colour) {
    LOGBRUSH brush;
    ASSERT_EQ(GetObjectA(colourBrushes[colour], sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID)) << colour;
    EXPECT_EQ(brush.lbColor, expected[colour]) << colour;
  }
}

TEST_F(WindowTest, ClassAndWindowAreMadeAsTheProgramShowsThem) {
  Open();
  WNDCLASSA windowClass;
  ASSERT_TRUE(GetClassInfoA(Instance(), "Plexaro", &windowClass));
  EXPECT_EQ(windowClass.style, 0x100Bu);
  EXPECT_EQ(windowClass.cbClsExtra, 0);
  EXPECT_EQ(windowClass.cbWndExtra, 0);
  EXPECT_TRUE(windowClass.hbrBackground == colourBrushes[0]);
  EXPECT_TRUE(windowClass.hCursor == LoadCursorA(NULL, IDC_ARROW));
  EXPECT_TRUE(windowClass.hIcon == LoadIconA(NULL, IDI_APPLICATION));
  EXPECT_TRUE(windowClass.lpszMenuName == NULL);

  RECT outer;
  ASSERT_TRUE(GetWindowRect(mainWindow, &outer));
  EXPECT_EQ(outer.left, 50);
  EXPECT_EQ(outer.top, 50);
  EXPECT_EQ(outer.right - outer.left, 600);
  EXPECT_EQ(outer.bottom - outer.top, 400);
  char title[32];
  GetWindowTextA(mainWindow, title, sizeof title);
  EXPECT_STREQ(title, "Plexaro");
  const LONG style = GetWindowLongA(mainWindow, GWL_STYLE);
  EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
  EXPECT_EQ(style & (WS_CHILD | WS_POPUP), 0);
  EXPECT_EQ(GetWindowLongA(mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(IsWindowVisible(mainWindow));
  EXPECT_TRUE(GetParent(mainWindow) == NULL);
  EXPECT_TRUE(GetMenu(mainWindow) == NULL);
}

TEST_F(WindowTest, ShowCommandDecidesWhetherTheWindowShows) {
  ASSERT_EQ(InitialiseWindow(Instance(), NULL, SW_HIDE), 1);
  EXPECT_FALSE(IsWindowVisible(mainWindow));
}

TEST_F(WindowTest, KeysRunTheirCommandAndMarkTheWindowWithoutErasing) {
  Open();
  CubeState expected;

  ValidateRect(mainWindow, NULL);
  Predict(QuarterTurnU, expected);
  EXPECT_EQ(SendMessageA(mainWindow, WM_CHAR, 'u', 0), 0);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, expected), 0);
  EXPECT_TRUE(RepaintPending());

  ValidateRect(mainWindow, NULL);
  Predict(RotateLeft, expected);
  EXPECT_EQ(SendMessageA(mainWindow, WM_KEYDOWN, VK_LEFT, 0), 0);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, expected), 0);
  EXPECT_TRUE(RepaintPending());

  // '(' is not a character command, so it reaches the key-down table as the down arrow.
  ValidateRect(mainWindow, NULL);
  Predict(RotateDown, expected);
  SendMessageA(mainWindow, WM_CHAR, '(', 0);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, expected), 0);
  EXPECT_TRUE(RepaintPending());
}

TEST_F(WindowTest, UnboundKeysPaintAtOnceAndLeaveNoRepaintBehind) {
  Open();
  SendMessageA(mainWindow, WM_CHAR, 'u', 0);
  ASSERT_TRUE(RepaintPending());
  CubeState before;
  CopyCube(document.cube.size, document.cube.live, before);
  EXPECT_EQ(SendMessageA(mainWindow, WM_CHAR, 'U', 0), 0);
  EXPECT_FALSE(RepaintPending());
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, before), 0);

  InvalidateRect(mainWindow, NULL, FALSE);
  EXPECT_EQ(SendMessageA(mainWindow, WM_KEYDOWN, VK_SHIFT, 0), 0);
  EXPECT_FALSE(RepaintPending());
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, before), 0);
}

namespace {

int erasures = 0;

LRESULT CALLBACK CountErasures(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) ++erasures;
  return CallWindowProcA(MainWindowProc, window, message, wParam, lParam);
}

}  // namespace

TEST_F(WindowTest, RepaintRequestErasesOnlyWhenAsked) {
  Open();
  SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountErasures));
  erasures = 0;
  platform->RequestRepaint(false);
  ASSERT_TRUE(RepaintPending());
  UpdateWindow(mainWindow);
  EXPECT_FALSE(RepaintPending());
  EXPECT_EQ(erasures, 0);

  platform->RequestRepaint(true);
  UpdateWindow(mainWindow);
  EXPECT_EQ(erasures, 1);

  // A key command on a cube that keeps its size does not erase either.
  SendMessageA(mainWindow, WM_CHAR, 'r', 0);
  UpdateWindow(mainWindow);
  EXPECT_EQ(erasures, 1);
}

TEST_F(WindowTest, DestroyedWindowEndsTheLoopWithCodeZero) {
  Open();
  DestroyWindow(mainWindow);
  mainWindow = NULL;
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}
