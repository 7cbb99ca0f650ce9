// The right button's menu on Windows, built from the core's entries each time it opens.
#include "frontends/win32/window_view.h"
#include "ui/ui.h"

namespace {

// The table's texts are UTF-8; the menu takes them as UTF-16 so that "…" survives any code page.
void Append(HMENU menu, UINT flags, UINT_PTR command, const char* text) {
  wchar_t wide[128];
  if (MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 128) == 0) wide[0] = L'\0';
  AppendMenuW(menu, flags, command, wide);
}

}  // namespace

HMENU BuildContextMenu() {
  HMENU menu = CreatePopupMenu();
  if (menu == NULL) return NULL;
  HMENU into = menu;
  MenuEntry entries[kMenuEntryCapacity];
  const int count = ListMenuEntries(entries, kMenuEntryCapacity);
  for (int k = 0; k < count; ++k) {
    const MenuEntry& entry = entries[k];
    switch (entry.kind) {
      case kMenuEntrySeparator: AppendMenuW(into, MF_SEPARATOR, 0, NULL); break;
      case kMenuEntrySubmenu: {
        HMENU submenu = CreatePopupMenu();
        Append(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), entry.text);
        into = submenu;
        break;
      }
      case kMenuEntrySubmenuEnd: into = menu; break;
      case kMenuEntryItem:
        Append(into, MF_STRING | (entry.enabled ? 0 : MF_GRAYED) | (entry.checked ? MF_CHECKED : 0),
               static_cast<UINT_PTR>(entry.id) + 1, entry.text);
        break;
    }
  }
  return menu;
}

void ShowContextMenu(HWND window, int x, int y) {
  HMENU menu = BuildContextMenu();
  if (menu == NULL) return;
  POINT point = {x, y};
  ClientToScreen(window, &point);
  // The command comes back instead of as a message, so the item runs once the menu is gone.
  const int command = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                      point.x, point.y, 0, window, NULL));
  DestroyMenu(menu);
  if (command > 0) RunMenuItem(static_cast<MenuItemId>(command - 1));
}
