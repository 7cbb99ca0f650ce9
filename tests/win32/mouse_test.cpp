// The Windows window's mouse and files: clicks through the core's hit test, undo, a click while a box is
// up, and a dropped file opened once the message loop runs.
#include <cstdio>
#include <cstring>
#include <string>

#include "frontends/win32/window_view.h"
#include "window_fixture.h"
// The drop's record, after windows.h.
#include <shlobj.h>

namespace {

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

// The middle of a square, in the client area of the unfitted window.
LPARAM Middle(Face face, int row, int column) {
  int left, top, right, bottom;
  SquareBox(document.layout, face, row, column, &left, &top, &right, &bottom);
  return Point((left + right) / 2, (top + bottom) / 2);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// A drop as the shell hands it over: the header, then the names, each ending in a zero, then one more.
HDROP MakeDrop(const std::string& path) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + path.size() + 2);
  DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size());
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

struct ClickingInsideBox : Win32Platform {
  int boxes = 0;
  void ShowMessage(const char*, const char*) override {
    ++boxes;
    SendMessageA(mainWindow, WM_LBUTTONDOWN, 0, Middle(U, 0, 0));
  }
};

}  // namespace

TEST_F(WindowTest, LeftClickCyclesTheSquareAndShiftGoesBackOneUndoStepEach) {
  Open();
  SendMessageA(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, Middle(F, 1, 2));
  EXPECT_EQ(document.cube.live[CellIndex(F, 1, 2)], 3);
  EXPECT_TRUE(RepaintPending());
  // A quick second click comes as a double click, and counts as a click.
  SendMessageA(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, Middle(R, 0, 0));
  SendMessageA(mainWindow, WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, Middle(R, 0, 0));
  EXPECT_EQ(document.cube.live[CellIndex(R, 0, 0)], 1);
  // The square's last pixel counts; the gap after it does not.
  int left, top, right, bottom;
  SquareBox(document.layout, D, 2, 2, &left, &top, &right, &bottom);
  SendMessageA(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, Point(right, bottom));
  EXPECT_EQ(document.cube.live[CellIndex(D, 2, 2)], 0);
  SendMessageA(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, Point(right + 1, bottom));
  EXPECT_EQ(document.cube.live[CellIndex(D, 2, 2)], 0);
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_EQ(document.cube.live[CellIndex(D, 2, 2)], 5);
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_EQ(document.cube.live[CellIndex(R, 0, 0)], 2);
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_EQ(static_cast<int>(CheckSolved(document.cube.size, document.cube.live)), 0);
}

TEST_F(WindowTest, NoClickRunsWhileABoxIsUp) {
  Open();
  ClickingInsideBox boxes;
  platform = &boxes;
  HandleCharacter('?');
  EXPECT_EQ(boxes.boxes, 1);
  EXPECT_EQ(document.cube.live[CellIndex(U, 0, 0)], 0);
  platform = &win32_;
}

TEST_F(WindowTest, ADroppedFileOpensOnceTheLoopRuns) {
  Open();
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "plexaro_dropped.q";
  std::string bytes(1 + 6 * 4, '\x02');
  bytes[0] = 2;
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(file != nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  SendMessageA(mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(path)), 0);
  EXPECT_EQ(document.cube.size, 3) << "opened only once the drop is over";
  Pump();
  EXPECT_EQ(document.cube.size, 2);
  EXPECT_EQ(document.cube.live[CellIndex(B, 1, 1)], 2);
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_EQ(document.cube.size, 3);
  std::remove(path.c_str());
}
