// What holds while a box is up: the window takes no command but still paints; afterwards all is back.
#include "window_fixture.h"

namespace {

struct BoxVisit {
  int ticks = 0;
  HWND box = NULL;
  bool boxHasOwner = true;
  bool windowEnabled = true;
  bool commandRan = false;
  bool paintedMeanwhile = false;
};

BoxVisit visit;
CubeState beforeBox;

// Runs from the box's own message loop, as every message does while the box is up.
void CALLBACK VisitBox(HWND, UINT, UINT_PTR timer, DWORD) {
  ++visit.ticks;
  if (visit.box == NULL) {
    visit.box = FindWindowA(NULL, "Help");
    if (visit.box == NULL && visit.ticks < 200) return;
    visit.boxHasOwner = GetWindow(visit.box, GW_OWNER) != NULL;
    visit.windowEnabled = IsWindowEnabled(mainWindow) != FALSE;
    SendMessageA(mainWindow, WM_CHAR, 'u', 0);
    visit.commandRan = CompareCubes(document.cube.size, document.cube.live, beforeBox) != 0;
    InvalidateRect(mainWindow, NULL, FALSE);
    return;
  }
  visit.paintedMeanwhile = GetUpdateRect(mainWindow, NULL, FALSE) == 0;
  KillTimer(NULL, timer);
  PostMessageA(visit.box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST_F(WindowTest, WhileABoxIsUpTheWindowPaintsButRunsNoCommand) {
  Open();
  CopyCube(document.cube.size, document.cube.live, beforeBox);
  visit = BoxVisit();
  SetTimer(NULL, 0, 40, VisitBox);
  ValidateRect(mainWindow, NULL);
  SendMessageA(mainWindow, WM_CHAR, '?', 0);

  ASSERT_TRUE(visit.box != NULL);
  EXPECT_FALSE(visit.boxHasOwner);
  EXPECT_FALSE(visit.windowEnabled);
  EXPECT_FALSE(visit.commandRan);
  EXPECT_TRUE(visit.paintedMeanwhile);
  EXPECT_FALSE(IsWindow(visit.box));
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
  EXPECT_TRUE(RepaintPending());
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, beforeBox), 0);

  // Commands run again once the box is gone.
  SendMessageA(mainWindow, WM_CHAR, 'u', 0);
  EXPECT_NE(CompareCubes(document.cube.size, document.cube.live, beforeBox), 0);
}
