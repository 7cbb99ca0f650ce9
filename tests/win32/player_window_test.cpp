// The player's window through its real controls: typed moves opened beside the main window, its buttons,
// slider, speed and text clicks moving the main window's cube, the mark on the next move's token, playing
// on the timer, its keys kept from the main window, and closing as one undo step.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frontends/win32/player_window.h"
#include "window_fixture.h"

namespace {

// Answers the "Type moves" prompt with the next line given.
struct TypingPlatform : Win32Platform {
  std::vector<std::string> lines;
  bool AskText(const char*, const char*, char* text, int capacity) override {
    if (lines.empty()) return false;
    std::snprintf(text, static_cast<size_t>(capacity), "%s", lines.front().c_str());
    lines.erase(lines.begin());
    return true;
  }
};

Cube After(Cube start, const std::string& alg) {
  std::vector<BlockMove> moves;
  char reason[200];
  EXPECT_TRUE(ParseAlg(alg.data(), alg.size(), start.size, &moves, reason, sizeof reason)) << reason;
  ApplyBlockMoves(start, moves.data(), moves.size());
  return start;
}

bool Shows(const Cube& cube) {
  return document.cube.size == cube.size && CompareCubes(cube.size, cube.live, document.cube.live) == 0;
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

class PlayerWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    StartFresh(typing_);
    // No sequence met and the player as a new process has it, whatever the tests before did.
    document.met = MetSequence();
    document.player = PlayerSession();
    Open();
  }

  void Type(const std::string& alg) {
    typing_.lines.push_back(alg);
    ASSERT_TRUE(RunMenuItem(kMenuTypeMoves));
  }

  HWND Player() const { return typing_.player().handle(); }
  HWND Item(int id) const { return GetDlgItem(Player(), id); }
  void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }

  // What the text view has selected.
  std::wstring Marked() const {
    DWORD from = 0, to = 0;
    SendMessageW(Item(kPlayerTextId), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    return TextOf(Item(kPlayerTextId)).substr(from, to - from);
  }

  // The messages waiting, as the program's loop takes them.
  void Pump() {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
      if (typing_.player().TakeDialogMessage(&message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  // A key pressed in a control of the player's window, through the program's loop.
  void Press(int id, WPARAM key) {
    PostMessageA(Item(id), WM_KEYDOWN, key, 1);
    PostMessageA(Item(id), WM_KEYUP, key, 0xC0000001);
    Pump();
  }

  // A click of the left button at a point of the text view.
  void ClickText(POINT at) {
    SendMessageW(Item(kPlayerTextId), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(Item(kPlayerTextId), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  POINT CornerOf(size_t position) {
    const LRESULT at = SendMessageW(Item(kPlayerTextId), EM_POSFROMCHAR, position, 0);
    return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  }

  TypingPlatform typing_;
};

}  // namespace

TEST_F(PlayerWindowTest, OpensBesideTheMainWindowOnTheTypedMovesAndItsControlsStepThem) {
  RECT mainBefore;
  GetWindowRect(mainWindow, &mainBefore);
  const Cube start = document.cube;
  Type("R U (R' U')2");
  const Cube end = document.cube;
  ASSERT_TRUE(RunMenuItem(kMenuPlayMoves));

  // Its own top-level window, owned by the main one and clear of it, which keeps its size and title.
  ASSERT_TRUE(Player() != NULL);
  EXPECT_EQ(FindWindowW(kPlayerWindowClass, L"Plexaro moves"), Player());
  EXPECT_EQ(GetWindow(Player(), GW_OWNER), mainWindow);
  EXPECT_TRUE(IsWindowVisible(Player()));
  RECT mainAfter, player, overlap;
  GetWindowRect(mainWindow, &mainAfter);
  GetWindowRect(Player(), &player);
  EXPECT_TRUE(EqualRect(&mainBefore, &mainAfter));
  EXPECT_FALSE(IntersectRect(&overlap, &mainAfter, &player));
  char title[32];
  GetWindowTextA(mainWindow, title, sizeof title);
  EXPECT_STREQ(title, "Plexaro");

  // At the end, as the main window shows: nothing marked, the caret after the last move.
  EXPECT_EQ(TextOf(Item(kPlayerTextId)), L"R U (R' U')2");
  EXPECT_EQ(Marked(), L"");
  EXPECT_EQ(SendMessageW(Item(kPlayerSliderId), TBM_GETRANGEMAX, 0, 0), 6);
  EXPECT_EQ(SendMessageW(Item(kPlayerSliderId), TBM_GETPOS, 0, 0), 6);
  EXPECT_EQ(TextOf(Item(kPlayerCountsId)), L"Move 6 of 6 \u00B7 block turns 6 of 6 \u00B7 OBTM 6 of 6");
  EXPECT_EQ(TextOf(Item(kPlayerPlayId)), L"Play");
  EXPECT_EQ(TextOf(Item(kPlayerProblemId)), L"");
  EXPECT_EQ(IsWindowEnabled(Item(kPlayerSaveGifId)) != 0, PlayerCanSaveGif());
  EXPECT_EQ(TextOf(Item(kPlayerSpeedId)), L"2");

  const char* prefixes[] = {"", "R", "R U", "R U R'", "R U R' U'", "R U R' U' R'", "R U R' U' R' U'"};
  Click(kPlayerStartId);
  EXPECT_EQ(PlayerPosition(), 0);
  EXPECT_TRUE(Shows(start));
  EXPECT_EQ(Marked(), L"R");
  EXPECT_EQ(SendMessageW(Item(kPlayerSliderId), TBM_GETPOS, 0, 0), 0);
  for (int k = 1; k <= 3; ++k) Click(kPlayerForwardId);
  EXPECT_EQ(PlayerPosition(), 3);
  EXPECT_TRUE(Shows(After(start, prefixes[3])));
  EXPECT_EQ(Marked(), L"U'");
  EXPECT_EQ(TextOf(Item(kPlayerCountsId)), L"Move 3 of 6 \u00B7 block turns 3 of 6 \u00B7 OBTM 3 of 6");
  Click(kPlayerBackId);
  EXPECT_TRUE(Shows(After(start, prefixes[2])));
  EXPECT_EQ(Marked(), L"R'");
  EXPECT_EQ(SendMessageW(Item(kPlayerSliderId), TBM_GETPOS, 0, 0), 2);
  Click(kPlayerEndId);
  EXPECT_TRUE(Shows(end));

  // The slider moved by hand, as its own messages say.
  SendMessageW(Item(kPlayerSliderId), TBM_SETPOS, TRUE, 5);
  SendMessageW(Player(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 5),
               reinterpret_cast<LPARAM>(Item(kPlayerSliderId)));
  EXPECT_EQ(PlayerPosition(), 5);
  EXPECT_TRUE(Shows(After(start, prefixes[5])));
  EXPECT_EQ(Marked(), L"U'");

  // A click on U's left half, on its right half, and between two tokens, which moves nothing.
  const POINT u = CornerOf(2), afterU = CornerOf(3);
  ClickText({u.x + 1, u.y + 2});
  EXPECT_EQ(PlayerPosition(), 1);
  EXPECT_EQ(Marked(), L"U");
  Click(kPlayerEndId);
  ClickText({afterU.x - 1, afterU.y + 2});
  EXPECT_EQ(PlayerPosition(), 1);
  Click(kPlayerStartId);
  ClickText({afterU.x + 1, afterU.y + 2});
  EXPECT_EQ(PlayerPosition(), 0);
  EXPECT_EQ(Marked(), L"R");

  // Played to the end on the timer at the speed chosen.
  SendMessageW(Item(kPlayerSpeedId), CB_SETCURSEL, kPlaySpeedCount - 1, 0);
  SendMessageW(Player(), WM_COMMAND, MAKEWPARAM(kPlayerSpeedId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Item(kPlayerSpeedId)));
  EXPECT_EQ(PlayerSpeed(), kPlaySpeeds[kPlaySpeedCount - 1]);
  Click(kPlayerPlayId);
  EXPECT_TRUE(PlayerPlaying());
  EXPECT_EQ(TextOf(Item(kPlayerPlayId)), L"Pause");
  MSG message;
  for (int k = 0; k < 100000 && PlayerPlaying() && GetMessageA(&message, NULL, 0, 0) > 0; ++k)
    DispatchMessageA(&message);
  EXPECT_FALSE(PlayerPlaying());
  EXPECT_EQ(PlayerPosition(), 6);
  EXPECT_TRUE(Shows(end));
  EXPECT_EQ(TextOf(Item(kPlayerPlayId)), L"Play");
  EXPECT_EQ(SendMessageW(Item(kPlayerSliderId), TBM_GETPOS, 0, 0), 6);

  // The close box: the window goes, the main window keeps the player's position as one undo step.
  Click(kPlayerBackId);
  Click(kPlayerBackId);
  SendMessageW(Player(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(PlayerIsOpen());
  EXPECT_TRUE(Player() == NULL);
  EXPECT_TRUE(FindWindowW(kPlayerWindowClass, NULL) == NULL);
  EXPECT_TRUE(Shows(After(start, prefixes[4])));
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_TRUE(Shows(end));
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_TRUE(Shows(start));
}

TEST_F(PlayerWindowTest, ItsKeysWorkItsOwnControlsAndAKeyInTheMainWindowClosesIt) {
  RunMenuItem(kMenuPlayMoves);
  ASSERT_TRUE(Player() != NULL);
  EXPECT_EQ(TextOf(Item(kPlayerTextId)), WidenUtf8(kPlayerEmpty));
  EXPECT_EQ(GetFocus(), Item(kPlayerFieldId));
  EXPECT_FALSE(IsWindowEnabled(Item(kPlayerPlayId)));

  // Characters go into the field, never to the main window's keys; Enter plays them from the cube shown.
  const Cube start = document.cube;
  for (char c : std::string("R U F")) PostMessageA(Item(kPlayerFieldId), WM_CHAR, static_cast<WPARAM>(c), 1);
  Pump();
  EXPECT_TRUE(PlayerIsOpen());
  EXPECT_TRUE(Shows(start));
  EXPECT_EQ(TextOf(Item(kPlayerFieldId)), L"R U F");
  Press(kPlayerFieldId, VK_RETURN);
  EXPECT_EQ(TextOf(Item(kPlayerTextId)), L"R U F");
  EXPECT_EQ(TextOf(Item(kPlayerFieldId)), L"");
  EXPECT_EQ(PlayerLength(), 3);
  EXPECT_EQ(Marked(), L"R");
  EXPECT_TRUE(IsWindowEnabled(Item(kPlayerPlayId)));

  // A refusal keeps the line and says why under it; the sequence stays.
  SetWindowTextW(Item(kPlayerFieldId), L"R Q2");
  Press(kPlayerFieldId, VK_RETURN);
  EXPECT_EQ(TextOf(Item(kPlayerFieldId)), L"R Q2");
  EXPECT_NE(TextOf(Item(kPlayerProblemId)).find(L"Q2"), std::wstring::npos);
  EXPECT_EQ(TextOf(Item(kPlayerTextId)), L"R U F");

  // Tab from the field into the text keeps the mark; Enter on a button presses it.
  SetFocus(Item(kPlayerFieldId));
  Press(kPlayerFieldId, VK_TAB);
  EXPECT_EQ(GetFocus(), Item(kPlayerTextId));
  EXPECT_EQ(Marked(), L"R");
  SetFocus(Item(kPlayerForwardId));
  Press(kPlayerForwardId, VK_RETURN);
  EXPECT_EQ(PlayerPosition(), 1);
  EXPECT_TRUE(Shows(After(start, "R")));

  // Escape in the text closes the window and keeps its position.
  Press(kPlayerTextId, VK_ESCAPE);
  EXPECT_FALSE(PlayerIsOpen());
  EXPECT_TRUE(Player() == NULL);
  EXPECT_TRUE(Shows(After(start, "R")));

  // Typed moves opened at their start, then a key in the main window: closed first, then the key's turn.
  const Cube afterR = document.cube;
  Type("U F");
  RunMenuItem(kMenuPlayMoves);
  ASSERT_TRUE(Player() != NULL);
  EXPECT_EQ(TextOf(Item(kPlayerTextId)), L"U F");
  Click(kPlayerStartId);
  SendMessageA(mainWindow, WM_CHAR, 'f', 0);
  EXPECT_FALSE(PlayerIsOpen());
  EXPECT_TRUE(Player() == NULL);
  EXPECT_TRUE(Shows(After(afterR, "F")));
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_TRUE(Shows(afterR));
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_TRUE(Shows(After(afterR, "U F")));
  ASSERT_TRUE(RunMenuItem(kMenuUndo));
  EXPECT_TRUE(Shows(afterR));
}
