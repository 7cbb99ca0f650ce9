// Dialogs built in memory on Windows: the one-line text prompt, and the box that waits on work with Cancel.
#include <cstring>

#include "frontends/win32/win32_platform.h"
#include "frontends/win32/window.h"

namespace {

const WORD kEditId = 100;
const WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

// The template is a run of WORDs; items start on DWORD boundaries.
struct TemplateWriter {
  WORD* words;
  size_t used;
  size_t capacity;
  void Word(WORD value) {
    if (used < capacity) words[used] = value;
    ++used;
  }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void AlignDword() {
    if (used % 2 != 0) Word(0);
  }
  // A UTF-8 text as the zero-terminated UTF-16 the template holds.
  void Text(const char* utf8) {
    const int room = static_cast<int>(capacity > used ? capacity - used : 0);
    const int written =
        room > 0 ? MultiByteToWideChar(CP_UTF8, 0, utf8, -1, reinterpret_cast<wchar_t*>(words + used), room)
                 : 0;
    if (written > 0)
      used += static_cast<size_t>(written);
    else
      Word(0);
  }
  // The dialog's own header: its style, how many items follow, its size in dialog units and its title,
  // in the standard dialog class with no menu, in 8-point MS Shell Dlg.
  void Header(DWORD style, WORD items, short cx, short cy, const char* title) {
    Dword(style);
    Dword(0);
    Word(items);
    Word(0);
    Word(0);
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(title);
    Word(8);
    Text("MS Shell Dlg");
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD itemClass, const char* text) {
    AlignDword();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(id);
    Word(0xFFFF);
    Word(itemClass);
    Text(text);
    Word(0);  // no creation data
  }
};

struct Answer {
  char* text;
  int capacity;
};

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SendDlgItemMessageA(dialog, kEditId, EM_LIMITTEXT,
                          static_cast<WPARAM>(reinterpret_cast<Answer*>(lParam)->capacity - 1), 0);
      SetFocus(GetDlgItem(dialog, kEditId));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Answer* answer = reinterpret_cast<Answer*>(GetWindowLongPtrA(dialog, DWLP_USER));
        GetDlgItemTextA(dialog, kEditId, answer->text, answer->capacity);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

const WORD kWordsId = 101;
const UINT_PTR kPollTimer = 1;

INT_PTR CALLBACK WaitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  BackgroundTask* task = reinterpret_cast<BackgroundTask*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetTimer(dialog, kPollTimer, 50, NULL);
      return TRUE;
    case WM_TIMER:
      if (task->Done()) {
        KillTimer(dialog, kPollTimer);
        EndDialog(dialog, IDOK);
      } else if (IsWindowEnabled(GetDlgItem(dialog, IDCANCEL))) {
        char text[200];
        task->Describe(text, sizeof text);
        SetDlgItemTextA(dialog, kWordsId, text);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        // The box stays until the work has stopped.
        task->Cancel();
        SetDlgItemTextA(dialog, kWordsId, "Stopping.");
        EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

void Win32Platform::WaitForTask(const char* title, BackgroundTask& task) {
  if (task.Done()) return;
  const size_t kStorageWords = 1024;
  DWORD storage[kStorageWords / 2] = {};
  TemplateWriter writer = {reinterpret_cast<WORD*>(storage), 0, kStorageWords};
  writer.Header(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION, 2, 260, 60, title);
  writer.Item(SS_LEFT, 7, 7, 246, 24, kWordsId, kStaticClass, "");
  writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 203, 38, 50, 14, IDCANCEL, kButtonClass, "Cancel");
  if (writer.used > writer.capacity) return Platform::WaitForTask(title, task);
  DialogBoxIndirectParamA(GetModuleHandleA(NULL), reinterpret_cast<LPCDLGTEMPLATEA>(storage), mainWindow,
                          WaitProc, reinterpret_cast<LPARAM>(&task));
  // Should the dialog fail to come up, the work is still waited for.
  Platform::WaitForTask(title, task);
}

bool Win32Platform::AskText(const char* title, const char* prompt, char* text, int capacity) {
  if (capacity < 1) return false;
  // DWORD-aligned storage for the template: the header, four items and their texts.
  const size_t kStorageWords = 2048;
  static DWORD storage[kStorageWords / 2];
  std::memset(storage, 0, sizeof storage);
  TemplateWriter writer = {reinterpret_cast<WORD*>(storage), 0, kStorageWords};
  writer.Header(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 4, 260, 66,
                title);
  writer.Item(SS_LEFT, 7, 7, 246, 10, 0xFFFF, kStaticClass, prompt);
  writer.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 21, 246, 14, kEditId, kEditClass, "");
  writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 149, 43, 50, 14, IDOK, kButtonClass, "OK");
  writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 203, 43, 50, 14, IDCANCEL, kButtonClass, "Cancel");
  if (writer.used > writer.capacity) return false;
  Answer answer = {text, capacity};
  text[0] = '\0';
  const INT_PTR result =
      DialogBoxIndirectParamA(GetModuleHandleA(NULL), reinterpret_cast<LPCDLGTEMPLATEA>(storage), mainWindow,
                              PromptProc, reinterpret_cast<LPARAM>(&answer));
  return result == IDOK;
}
