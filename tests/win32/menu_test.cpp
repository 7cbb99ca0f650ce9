// The right button's menu on Windows: built from the core's table, the solver's items, and the view.
#include <string>
#include <utility>
#include <vector>

#include "frontends/win32/window_view.h"
#include "window_fixture.h"

namespace {

std::string Text(HMENU menu, UINT position) {
  wchar_t wide[128] = {};
  GetMenuStringW(menu, position, wide, 128, MF_BYPOSITION);
  char text[256] = {};
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, NULL, NULL);
  return text;
}

// The item of the table's id: its state, wherever it sits.
UINT State(HMENU menu, MenuItemId id) { return GetMenuState(menu, static_cast<UINT>(id) + 1, MF_BYCOMMAND); }

struct BoxKeeper : Win32Platform {
  std::string title, text;
  void ShowMessage(const char* shown, const char* caption) override { text = shown, title = caption; }
};

}  // namespace

TEST_F(WindowTest, MenuHoldsTheTableInItsOrderWithItsStates) {
  Open();
  HMENU menu = BuildContextMenu();
  ASSERT_TRUE(menu != NULL);
  // Every item by its text, top level or in a submenu titled as the table says, in the table's order.
  std::vector<std::string> texts, submenus;
  for (int k = 0; k < GetMenuItemCount(menu); ++k) {
    // A submenu's state holds its item count in the high byte, which can look like MF_SEPARATOR.
    if (HMENU sub = GetSubMenu(menu, k)) {
      submenus.push_back(Text(menu, k));
      for (int j = 0; j < GetMenuItemCount(sub); ++j) {
        if (GetMenuState(sub, j, MF_BYPOSITION) & MF_SEPARATOR) continue;
        texts.push_back(Text(sub, j));
        const char* title = kMenuItems[texts.size() - 1].submenu;
        EXPECT_EQ(title != nullptr ? title : "", submenus.back());
      }
    } else if (!(GetMenuState(menu, k, MF_BYPOSITION) & MF_SEPARATOR)) {
      texts.push_back(Text(menu, k));
    }
  }
  ASSERT_EQ(texts.size(), static_cast<size_t>(kMenuItemCount));
  for (int k = 0; k < kMenuItemCount; ++k) EXPECT_EQ(texts[k], kMenuItems[k].text);
  EXPECT_EQ(submenus, (std::vector<std::string>{"Letters on the squares", "View", "New cube"}));
  EXPECT_TRUE(State(menu, kMenuUndo) & MF_GRAYED);
  EXPECT_TRUE(State(menu, kMenuSaveSolution) & MF_GRAYED);
  EXPECT_FALSE(State(menu, kMenuSolvePattern) & MF_GRAYED);
  EXPECT_TRUE(State(menu, kMenuLettersNone) & MF_CHECKED);
  EXPECT_FALSE(State(menu, kMenuFitToWindow) & MF_CHECKED);
  DestroyMenu(menu);
}

TEST_F(WindowTest, SolverBoxThenItsMovesCanBeSaved) {
  Open();
  BoxKeeper boxes;
  platform = &boxes;
  HandleCharacter('r');
  HandleKeyDown(kKeyLeft);
  EXPECT_TRUE(RunMenuItem(kMenuSolvePattern));
  EXPECT_EQ(boxes.title, "Moves that make this pattern");
  EXPECT_EQ(boxes.text.rfind("From the solved cube: R\nThen turn the whole cube: <Left>\n", 0), 0u)
      << boxes.text;
  HMENU menu = BuildContextMenu();
  EXPECT_FALSE(State(menu, kMenuSaveSolution) & MF_GRAYED);
  DestroyMenu(menu);
  platform = &win32_;
}

TEST_F(WindowTest, LettersAndTheFittedNetChangeThePaintingOnlyWhileOn) {
  Open();
  const auto paint = [] {
    // The window's own client area, read back after a paint through the view.
    InvalidateRect(mainWindow, NULL, TRUE);
    UpdateWindow(mainWindow);
    HDC dc = GetDC(mainWindow);
    PaintView(mainWindow, dc);
    // Inside U's middle square, clear of its outline, and far right of the net.
    const int left = document.layout.columnX[U][1], top = document.layout.rowY[U][1] + 8;
    int dark = 0;
    for (int y = top + 2; y < top + document.layout.cellHeight - 3; ++y)
      for (int x = left + 2; x < left + document.layout.cellWidth - 3; ++x)
        dark += GetPixel(dc, x, y) == RGB(0, 0, 0);
    const COLORREF beyond = GetPixel(dc, 300, 200);
    ReleaseDC(mainWindow, dc);
    return std::make_pair(dark, beyond);
  };
  EXPECT_EQ(paint().first, 0);
  document.view.letters = kLettersFaces;
  EXPECT_GT(paint().first, 3);
  document.view.letters = kLettersNone;
  EXPECT_EQ(paint().first, 0);
  // Fitted, the net fills the window: F's middle square, at (90, 85) as drawn, lies far to the right.
  EXPECT_EQ(paint().second, RGB(255, 255, 255));
  document.view.fitToWindow = true;
  EXPECT_NE(paint().second, RGB(255, 255, 255));
  document.view.fitToWindow = false;
}
