// The player's window on Windows: made beside the main window, its controls laid out, and every control
// and key of it handed to the core's player.
#include "frontends/win32/player_window.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "ui/ui.h"

const wchar_t kPlayerWindowClass[] = L"PlexaroMoves";

namespace {

const int kMargin = 8;
const int kGap = 6;
const int kClientWidth = 348;  // beside a 600-pixel main window on a 1024-pixel screen
const int kClientHeight = 430;
const int kMinClientWidth = 300;
const DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;

// The buttons in their places in buttons_, what each says and what it does.
const PlayerButton kButtonTexts[6] = {kPlayerStartButton,   kPlayerBackButton, kPlayerPlayButton,
                                      kPlayerForwardButton, kPlayerEndButton,  kPlayerSaveGifButton};
void (*const kActions[6])() = {PlayerGoToStart,   PlayerStepBack, PlayerTogglePlay,
                               PlayerStepForward, PlayerGoToEnd,  PlayerSaveGif};

HINSTANCE Instance() { return GetModuleHandleW(NULL); }

bool RegisterOnce(WNDPROC procedure) {
  WNDCLASSW existing;
  if (GetClassInfoW(Instance(), kPlayerWindowClass, &existing)) return true;
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = Instance();
  windowClass.hIcon = LoadIconW(NULL, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  windowClass.hCursor = LoadCursorW(NULL, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kPlayerWindowClass;
  return RegisterClassW(&windowClass) != 0;
}

// The frame around a client area of this size.
SIZE FrameSize(int width, int height) {
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// On the main window's right where the screen has room, else on its left, else under it, else as far
// right as the screen goes; never past the screen's bottom.
RECT BesideOwner(HWND owner, SIZE size) {
  RECT main = {0, 0, 0, 0};
  GetWindowRect(owner, &main);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  RECT room = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) room = monitor.rcWork;
  const int gap = 4;
  int x = main.right + gap, y = main.top;
  if (x + size.cx > room.right) {
    if (main.left - gap - size.cx >= room.left) {
      x = main.left - gap - size.cx;
    } else if (main.bottom + gap + size.cy <= room.bottom) {
      x = main.left, y = main.bottom + gap;
    } else {
      x = room.right - size.cx;
    }
  }
  y = std::max(static_cast<int>(room.top), std::min(y, static_cast<int>(room.bottom - size.cy)));
  x = std::max(static_cast<int>(room.left), x);
  return {x, y, x + size.cx, y + size.cy};
}

std::string NarrowToUtf8(const std::wstring& wide) {
  const int length = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, NULL, 0, NULL, NULL);
  std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
  if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, &text[0], size, NULL, NULL);
  return text;
}

}  // namespace

PlayerWindow::~PlayerWindow() {
  if (window_ != NULL && IsWindow(window_)) DestroyWindow(window_);
}

void PlayerWindow::Show(HWND owner) {
  if (window_ == NULL) {
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterOnce(Proc)) return;
    const RECT at = placed_ ? place_ : BesideOwner(owner, FrameSize(kClientWidth, kClientHeight));
    CreateWindowExW(0, kPlayerWindowClass, WidenUtf8(kPlayerTitle).c_str(), kStyle, at.left, at.top,
                    at.right - at.left, at.bottom - at.top, owner, NULL, Instance(), this);
    if (window_ == NULL) return;
  }
  if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void PlayerWindow::Close() {
  if (window_ != NULL) DestroyWindow(window_);
}

bool PlayerWindow::TakeDialogMessage(MSG* message) {
  return window_ != NULL && (message->hwnd == window_ || IsChild(window_, message->hwnd)) &&
         IsDialogMessageA(window_, message);
}

HWND PlayerWindow::Control(const wchar_t* kind, const std::wstring& text, DWORD style, int id) {
  const DWORD edge = kind == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0;
  HWND control = CreateWindowExW(edge, kind, text.c_str(), style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), NULL);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

void PlayerWindow::MakeControls() {
  text_ = Control(L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_NOHIDESEL | WS_VSCROLL | WS_TABSTOP,
                  kPlayerTextId);
  // As long as the text, whatever its length: no limit of the control's own.
  SendMessageW(text_, EM_SETLIMITTEXT, 0, 0);
  textProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(text_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlayerWindow::TextProc)));
  slider_ = Control(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, kPlayerSliderId);
  for (int k = 0; k < 6; ++k)
    buttons_[k] = Control(L"BUTTON", WidenUtf8(kPlayerButtons[kButtonTexts[k]]), BS_PUSHBUTTON | WS_TABSTOP,
                          k < 5 ? kPlayerStartId + k : kPlayerSaveGifId);
  speedLabel_ = Control(L"STATIC", WidenUtf8(kPlayerSpeedLabel), SS_LEFT | SS_NOPREFIX, kPlayerSpeedLabelId);
  speed_ = Control(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kPlayerSpeedId);
  for (double speed : kPlaySpeeds) {
    char number[16];
    snprintf(number, sizeof number, "%g", speed);
    SendMessageW(speed_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidenUtf8(number).c_str()));
  }
  counts_ = Control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kPlayerCountsId);
  prompt_ = Control(L"STATIC", WidenUtf8(kPlayerPrompt), SS_LEFT | SS_NOPREFIX, kPlayerPromptId);
  field_ = Control(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kPlayerFieldId);
  SendMessageW(field_, EM_SETLIMITTEXT, 0, 0);
  problem_ = Control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kPlayerProblemId);
  focus_ = buttons_[2];

  HDC dc = GetDC(window_);
  const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics;
  if (GetTextMetricsW(dc, &metrics)) lineHeight_ = metrics.tmHeight;
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);
}

// From the bottom up: the problem, the field and its prompt, the counts, the speed and saving, the buttons
// and the slider; the text takes what is left.
void PlayerWindow::LayOut() {
  if (text_ == NULL) return;
  RECT client;
  GetClientRect(window_, &client);
  const int width = client.right - kMargin * 2, row = lineHeight_ + 10;
  int y = client.bottom - kMargin;
  const auto place = [&](HWND control, int x, int w, int h) { MoveWindow(control, x, y, w, h, TRUE); };
  y -= lineHeight_ * 3;
  place(problem_, kMargin, width, lineHeight_ * 3);
  y -= row + 2;
  place(field_, kMargin, width, row);
  y -= lineHeight_ * 2 + 2;
  place(prompt_, kMargin, width, lineHeight_ * 2);
  y -= lineHeight_ * 2 + kGap;
  place(counts_, kMargin, width, lineHeight_ * 2);
  y -= row + kGap;
  const int saveWidth = 96, labelWidth = 96, speedWidth = 56;
  place(buttons_[5], client.right - kMargin - saveWidth, saveWidth, row);
  y += 4;
  place(speedLabel_, kMargin, labelWidth, row - 4);
  y -= 4;
  place(speed_, kMargin + labelWidth, speedWidth, row + lineHeight_ * 12);
  y -= row + kGap;
  const int buttonWidth = (width - kGap * 4) / 5;
  for (int k = 0; k < 5; ++k) place(buttons_[k], kMargin + k * (buttonWidth + kGap), buttonWidth, row);
  y -= row + 4;
  place(slider_, kMargin - 4, width + 8, row + 4);
  const int textBottom = y - kGap;
  y = kMargin;
  place(text_, kMargin, width, std::max(textBottom - kMargin, lineHeight_ * 2));
}

LRESULT CALLBACK PlayerWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PlayerWindow* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<PlayerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return self != nullptr && window == self->window_ ? self->Handle(window, message, wParam, lParam)
                                                    : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlayerWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: MakeControls(); return 0;
    case WM_SIZE: LayOut(); return 0;
    case WM_GETMINMAXINFO: {
      const SIZE least = FrameSize(kMinClientWidth, kClientHeight - 120);
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
      return 0;
    }
    case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == slider_) {
        const LRESULT position = SendMessageW(slider_, TBM_GETPOS, 0, 0);
        if (position != PlayerPosition()) PlayerJumpTo(position);
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      // The text reads on the window's ground, not the greyed one of a read-only field.
      if (reinterpret_cast<HWND>(lParam) == text_) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    // A window that is no dialog keeps its own control with the keyboard.
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != NULL && IsChild(window, focus)) focus_ = focus;
      } else if (focus_ != NULL && IsWindowEnabled(focus_)) {
        SetFocus(focus_);
      } else {
        SetFocus(field_);
      }
      return 0;
    case WM_SETFOCUS: SetFocus(focus_ != NULL && IsWindowEnabled(focus_) ? focus_ : field_); return 0;
    case WM_CLOSE:
      // The core keeps what the main window shows, then asks for this window to go.
      if (PlayerIsOpen()) ClosePlayer();
      if (window_ == window) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      placed_ = GetWindowRect(window, &place_) != 0;
      window_ = text_ = slider_ = speed_ = speedLabel_ = counts_ = prompt_ = field_ = problem_ = focus_ =
          NULL;
      for (HWND& button : buttons_) button = NULL;
      shownPlaying_ = -1;
      map_.Clear();
      return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PlayerWindow::Command(int id, int code) {
  if (id >= kPlayerStartId && id <= kPlayerEndId && code == BN_CLICKED)
    return kActions[id - kPlayerStartId]();
  if (id == kPlayerSaveGifId && code == BN_CLICKED) return PlayerSaveGif();
  if (id == kPlayerSpeedId && code == CBN_SELCHANGE) {
    const LRESULT chosen = SendMessageW(speed_, CB_GETCURSEL, 0, 0);
    if (chosen >= 0 && chosen < kPlaySpeedCount) PlayerSetSpeed(kPlaySpeeds[chosen]);
    return;
  }
  // Enter from the dialog keys: the field's moves, or the button that has the keyboard.
  if (id == IDOK) {
    HWND focus = GetFocus();
    if (focus == field_) return EnterField();
    for (HWND button : buttons_)
      if (focus == button) SendMessageW(button, BM_CLICK, 0, 0);
    return;
  }
  if (id == IDCANCEL) PostMessageW(window_, WM_CLOSE, 0, 0);  // after the key's own handling is over
}

void PlayerWindow::EnterField() {
  std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(field_)) + 1, L'\0');
  typed.resize(static_cast<size_t>(GetWindowTextW(field_, &typed[0], static_cast<int>(typed.size()))));
  const std::string text = NarrowToUtf8(typed);
  // A refusal keeps the line to mend; the reason shows under it.
  if (EnterPlayerMoves(text.data(), text.size()) && field_ != NULL) SetWindowTextW(field_, L"");
}

LRESULT CALLBACK PlayerWindow::TextProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  // The edit control lives inside the window, so the window's object outlives it.
  PlayerWindow* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(GetParent(edit), GWLP_USERDATA));
  const WNDPROC control = self->textProc_;
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = CallWindowProcW(control, edit, message, wParam, lParam);
      // Tab leaves the text and Escape closes the window, as in any other control; coming in by Tab
      // keeps the mark instead of selecting everything.
      const MSG* key = reinterpret_cast<const MSG*>(lParam);
      if (key != nullptr && key->message == WM_KEYDOWN && (key->wParam == VK_TAB || key->wParam == VK_ESCAPE))
        code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
      return code & ~DLGC_HASSETSEL;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = CallWindowProcW(control, edit, message, wParam, lParam);
      self->ClickText(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return result;
    }
    default: return CallWindowProcW(control, edit, message, wParam, lParam);
  }
}
