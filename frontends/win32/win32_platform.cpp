// Message boxes, the open and save dialogs, repaints and the player's window for the core, over USER32 and
// comdlg32.
#include "frontends/win32/win32_platform.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "frontends/win32/window.h"
#include "frontends/win32/window_view.h"

// The record without its later extension fields, as the 32-bit dialog has always taken it.
const DWORD kRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || kRecordSize == 76, "the 32-bit record");
static_assert((OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT) == 0x00080802, "dialog flags");

namespace {

// Appends one (description, pattern) pair, each zero-terminated; false when the pair and the closing
// zero would not fit.
bool AppendFilterPair(char* filterText, size_t* used, const char* description, const char* pattern) {
  const size_t descriptionSize = std::strlen(description) + 1;
  const size_t patternSize = std::strlen(pattern) + 1;
  if (*used + descriptionSize + patternSize >= static_cast<size_t>(kFilterTextSize)) return false;
  std::memcpy(filterText + *used, description, descriptionSize);
  std::memcpy(filterText + *used + descriptionSize, pattern, patternSize);
  // The core separates a filter's patterns with spaces; the dialog takes semicolons.
  for (char* at = filterText + *used + descriptionSize; *at != '\0'; ++at)
    if (*at == ' ') *at = ';';
  *used += descriptionSize + patternSize;
  return true;
}

}  // namespace

void FillOpenFileRecord(OPENFILENAMEA* record, HWND owner, const FileFilter& filter, char* filterText,
                        char* name) {
  std::memset(filterText, 0, kFilterTextSize);
  size_t used = 0;
  for (int pair = 0; pair < 2; ++pair)
    if (!AppendFilterPair(filterText, &used, filter.description[pair], filter.pattern[pair])) break;
  std::memset(name, 0, kDialogNameSize);
  std::memset(record, 0, sizeof *record);
  record->lStructSize = kRecordSize;
  record->hwndOwner = owner;
  record->lpstrFilter = filterText;
  record->lpstrFile = name;
  record->nMaxFile = kDialogNameSize;
  record->Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
  record->lpstrDefExt = filter.defaultExtension;
}

// Task-modal: the window cannot take a key while a box is up, yet it still paints.
void Win32Platform::ShowMessage(const char* text, const char* title) {
  MessageBoxA(NULL, text, title, MB_OK | MB_TASKMODAL);
}

const char* Win32Platform::ChooseOpenFile(FileKind, const FileFilter& filter) {
  OPENFILENAMEA record;
  FillOpenFileRecord(&record, mainWindow, filter, filterText_, name_);
  if (!GetOpenFileNameA(&record)) return nullptr;
  return name_;
}

const char* Win32Platform::ChooseSaveFile(FileKind, const FileFilter& filter) {
  OPENFILENAMEA record;
  FillOpenFileRecord(&record, mainWindow, filter, filterText_, name_);
  if (!GetSaveFileNameA(&record)) return nullptr;
  return name_;
}

// A windowed program's standard output goes nowhere unless someone redirects it.
void Win32Platform::WriteDiagnostic(const char* text) { std::fputs(text, stdout); }

void Win32Platform::RequestRepaint(bool erase) { InvalidateRect(mainWindow, NULL, erase ? TRUE : FALSE); }

void Win32Platform::PaintNow() { PaintWindow(mainWindow); }

bool Win32Platform::SetTimer(int milliseconds) {
  if (mainWindow == NULL) return false;
  if (milliseconds > 0) return ::SetTimer(mainWindow, kCoreTimer, static_cast<UINT>(milliseconds), NULL) != 0;
  KillTimer(mainWindow, kCoreTimer);
  return true;
}

void Win32Platform::ShowPlayerWindow(bool shown) {
  if (shown)
    player_.Show(mainWindow);
  else
    player_.Close();
}

void Win32Platform::PlayerChanged(int what) { player_.Refresh(what); }
