// The move player's own window beside the main one on Windows: the sequence's text with the next move
// marked, the field for another, the buttons, the slider, the speed and the counts, each wired to the core.
#pragma once

#include <windows.h>

#include <string>

#include "frontends/win32/player_text.h"

// The controls' ids, for GetDlgItem; clear of IDOK and IDCANCEL, which the dialog keys send.
enum PlayerControlId {
  kPlayerTextId = 100,
  kPlayerSliderId,
  kPlayerStartId,
  kPlayerBackId,
  kPlayerPlayId,
  kPlayerForwardId,
  kPlayerEndId,
  kPlayerSpeedLabelId,
  kPlayerSpeedId,
  kPlayerSaveGifId,
  kPlayerCountsId,
  kPlayerPromptId,
  kPlayerFieldId,
  kPlayerProblemId,
};

extern const wchar_t kPlayerWindowClass[];

// Owned by the platform; the core opens and closes it and says when what it shows has changed.
class PlayerWindow {
 public:
  PlayerWindow() = default;
  PlayerWindow(const PlayerWindow&) = delete;
  PlayerWindow& operator=(const PlayerWindow&) = delete;
  ~PlayerWindow();

  // Made beside `owner` the first time, where it was left after that; shown and brought to the front.
  void Show(HWND owner);
  void Close();
  // Reads back from the core what the PlayerChange flags say has changed.
  void Refresh(int what);
  // Tab, Enter and Escape for this window and its controls; true when the message was taken.
  bool TakeDialogMessage(MSG* message);

  HWND handle() const { return window_; }
  const PlayerTextMap& text() const { return map_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The text view's own procedure in front of the edit control's.
  static LRESULT CALLBACK TextProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void MakeControls();
  HWND Control(const wchar_t* kind, const std::wstring& text, DWORD style, int id);
  void LayOut();
  void Command(int id, int code);
  void EnterField();
  void ClickText(int x, int y);

  // player_view.cpp: what the core says the window shows.
  void LoadText();
  void ShowPosition();
  void ShowState();

  HWND window_ = NULL;
  HWND text_ = NULL, slider_ = NULL, speed_ = NULL, speedLabel_ = NULL, counts_ = NULL, prompt_ = NULL;
  HWND field_ = NULL, problem_ = NULL;
  HWND buttons_[6] = {};        // start, back, play, forward, end, save
  WNDPROC textProc_ = nullptr;  // the edit control's
  HWND focus_ = NULL;           // the control that had the keyboard when the window last lost it
  int lineHeight_ = 16;
  bool placed_ = false;  // once closed, it opens again where it was left
  RECT place_ = {};
  bool showsSequence_ = false;  // the text view holds the sequence, not the words for none
  int shownPlaying_ = -1;
  PlayerTextMap map_;
};
