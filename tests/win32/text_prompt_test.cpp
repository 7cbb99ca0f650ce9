// The one-line prompt behind "Type moves": the dialog built in memory shows the prompt, hands back
// what was typed (cut to the buffer) on OK, nothing on Cancel, and typed moves reach the cube.
#include <string>

#include "window_fixture.h"

namespace {

struct PromptVisit {
  int ticks = 0;
  std::string title;
  std::string label;
  const char* typed = "";
  int button = IDOK;
};

PromptVisit visit;

// Finds the prompt among the thread's dialogs, fills its edit field and presses a button.
void CALLBACK AnswerPrompt(HWND, UINT, UINT_PTR timer, DWORD) {
  ++visit.ticks;
  HWND dialog = FindWindowA("#32770", NULL);
  if (dialog == NULL && visit.ticks < 200) return;
  KillTimer(NULL, timer);
  if (dialog == NULL) return;
  char text[256];
  GetWindowTextA(dialog, text, sizeof text);
  visit.title = text;
  GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
  visit.label = text;
  SetDlgItemTextA(dialog, 100, visit.typed);
  PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(visit.button), 0);
}

bool Ask(const char* typed, int button, char* answer, int capacity) {
  visit = PromptVisit();
  visit.typed = typed;
  visit.button = button;
  SetTimer(NULL, 0, 20, AnswerPrompt);
  return platform->AskText("Type moves", "Moves:", answer, capacity);
}

}  // namespace

TEST_F(WindowTest, ThePromptHandsBackTheTypedLineOnOkAndNothingOnCancel) {
  Open();
  char answer[8] = "unset";
  EXPECT_TRUE(Ask("R U R'", IDOK, answer, sizeof answer));
  EXPECT_EQ(visit.title, "Type moves");
  EXPECT_EQ(visit.label, "Moves:");
  EXPECT_STREQ(answer, "R U R'");
  EXPECT_TRUE(Ask("(R U R' U')6", IDOK, answer, sizeof answer));
  EXPECT_STREQ(answer, "(R U R'");  // cut to the buffer
  EXPECT_FALSE(Ask("R", IDCANCEL, answer, sizeof answer));
}

TEST_F(WindowTest, TypedMovesTurnTheCubeThroughTheMenu) {
  Open();
  visit = PromptVisit();
  visit.typed = "R U R' U'";
  SetTimer(NULL, 0, 20, AnswerPrompt);
  ASSERT_TRUE(RunMenuItem(kMenuTypeMoves));
  CubeState turned;
  CopyCube(document.cube.size, document.cube.live, turned);
  StartFresh(win32_);
  QuarterTurnR(document.cube);
  QuarterTurnU(document.cube);
  for (int k = 0; k < 3; ++k) QuarterTurnR(document.cube);
  for (int k = 0; k < 3; ++k) QuarterTurnU(document.cube);
  EXPECT_EQ(CompareCubes(document.cube.size, document.cube.live, turned), 0);
  EXPECT_NE(static_cast<int>(CheckSolved(document.cube.size, turned)), 0);
}
