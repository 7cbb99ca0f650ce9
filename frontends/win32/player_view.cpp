// What the player's window shows, read back from the core: the text and its marked move, the slider, the
// counts and the controls' states; and a click in the text as the byte it fell on.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <climits>
#include <cmath>

#include "frontends/win32/player_window.h"
#include "ui/ui.h"

namespace {

int SliderValue(int64_t position) { return static_cast<int>(position < INT_MAX ? position : INT_MAX); }

// Where the edit control draws a character's top left corner; false for none drawn.
bool CornerOf(HWND edit, size_t position, POINT* corner) {
  const LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(position), 0);
  if (at == -1) return false;
  *corner = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  return true;
}

}  // namespace

void PlayerWindow::Refresh(int what) {
  if (window_ == NULL) return;
  if (what & kPlayerTextChanged) LoadText();
  if (what & (kPlayerTextChanged | kPlayerPositionChanged)) ShowPosition();
  if (what & (kPlayerTextChanged | kPlayerStateChanged)) ShowState();
}

void PlayerWindow::LoadText() {
  const std::string& text = PlayerText();
  showsSequence_ = !text.empty();
  if (showsSequence_)
    map_.Load(text);
  else
    map_.Clear();
  SetWindowTextW(text_, showsSequence_ ? map_.Wide().c_str() : WidenUtf8(kPlayerEmpty).c_str());
  SetWindowTextW(problem_, WidenUtf8(PlayerProblem()).c_str());
  const int64_t length = PlayerLength();
  SendMessageW(slider_, TBM_SETRANGEMIN, FALSE, 0);
  SendMessageW(slider_, TBM_SETRANGEMAX, TRUE, SliderValue(length));
  SendMessageW(slider_, TBM_SETPAGESIZE, 0, SliderValue(length / 10 > 1 ? length / 10 : 1));
  EnableWindow(slider_, length > 0);
  for (int k = 0; k < 5; ++k) EnableWindow(buttons_[k], length > 0);
  if (length == 0) SetFocus(field_);
}

void PlayerWindow::ShowPosition() {
  SendMessageW(slider_, TBM_SETPOS, TRUE, SliderValue(PlayerPosition()));
  char counts[200];
  FormatPlayerCounts(counts, sizeof counts);
  SetWindowTextW(counts_, WidenUtf8(counts).c_str());
  if (!showsSequence_) return;
  // The next move's token selected and in view; at the end, the caret after the last.
  TextPlace place;
  size_t from = map_.Wide().size(), to = from;
  if (PlayerNextPlace(&place)) {
    from = map_.PositionOfByte(place.offset);
    to = map_.PositionOfByte(static_cast<uint64_t>(place.offset) + place.length);
  }
  SendMessageW(text_, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
  SendMessageW(text_, EM_SCROLLCARET, 0, 0);
}

void PlayerWindow::ShowState() {
  const int playing = PlayerPlaying() ? 1 : 0;
  if (playing != shownPlaying_) {
    SetWindowTextW(buttons_[2],
                   WidenUtf8(kPlayerButtons[playing ? kPlayerPauseButton : kPlayerPlayButton]).c_str());
    shownPlaying_ = playing;
  }
  int nearest = 0;
  for (int k = 1; k < kPlaySpeedCount; ++k)
    if (std::fabs(kPlaySpeeds[k] - PlayerSpeed()) < std::fabs(kPlaySpeeds[nearest] - PlayerSpeed()))
      nearest = k;
  if (SendMessageW(speed_, CB_GETCURSEL, 0, 0) != nearest) SendMessageW(speed_, CB_SETCURSEL, nearest, 0);
  EnableWindow(buttons_[5], PlayerCanSaveGif());
}

// The control puts the caret on the boundary nearest the click: the character under the click is the one
// before it when the click fell on that character's right half.
void PlayerWindow::ClickText(int x, int y) {
  if (!showsSequence_) return;
  DWORD start = 0, end = 0;
  SendMessageW(text_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start != end) return;  // a selection the reader made, not a click
  size_t position = start;
  POINT before, after;
  if (position > 0 && CornerOf(text_, position - 1, &before) && y >= before.y && y < before.y + lineHeight_ &&
      x >= before.x) {
    const bool sameLine = CornerOf(text_, position, &after) && after.y == before.y;
    if (!sameLine || x < after.x) --position;
  }
  PlayerClickText(map_.ByteOfPosition(position));
  // A click off every token moves nothing: the mark comes back all the same.
  if (window_ != NULL) ShowPosition();
}
