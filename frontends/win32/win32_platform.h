// The core's seam on Windows: message boxes, the open and save dialogs, repaint requests and the player's
// window.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include "frontends/win32/player_window.h"
#include "seam/platform.h"

// The dialog's name buffer: the classic path limit.
const int kDialogNameSize = 260;
// Room for both filter pairs in the dialog's form: each string zero-terminated, one more zero after.
const int kFilterTextSize = 256;

// Fills `record` for the dialog that picks a file of one kind. `filterText` (kFilterTextSize bytes)
// receives the filter, and `name` (kDialogNameSize bytes) is cleared to be the empty name field.
void FillOpenFileRecord(OPENFILENAMEA* record, HWND owner, const FileFilter& filter, char* filterText,
                        char* name);

class Win32Platform : public Platform {
 public:
  void ShowMessage(const char* text, const char* title) override;
  const char* ChooseOpenFile(FileKind kind, const FileFilter& filter) override;
  // The same record; the dialog asks before it replaces a file and adds the default extension.
  const char* ChooseSaveFile(FileKind kind, const FileFilter& filter) override;
  // A dialog built in memory: the prompt, an edit field, OK and Cancel.
  bool AskText(const char* title, const char* prompt, char* text, int capacity) override;
  void WriteDiagnostic(const char* text) override;
  void RequestRepaint(bool erase) override;
  void PaintNow() override;
  bool SetTimer(int milliseconds) override;
  // A dialog built in memory: the task's words and Cancel, polled on a timer until the task is done.
  void WaitForTask(const char* title, BackgroundTask& task) override;
  // The player's window, owned by the main window.
  void ShowPlayerWindow(bool shown) override;
  void PlayerChanged(int what) override;
  PlayerWindow& player() { return player_; }
  const PlayerWindow& player() const { return player_; }

 private:
  PlayerWindow player_;
  char name_[kDialogNameSize];
  char filterText_[kFilterTextSize];
};
