// The right button's menu on Windows, built from the core's table each time it opens.
#include <cstring>

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
  const char* submenuTitle = nullptr;
  HMENU submenu = NULL;
  for (const MenuItem& item : kMenuItems) {
    HMENU into = menu;
    if (item.submenu != nullptr) {
      if (submenuTitle == nullptr || std::strcmp(submenuTitle, item.submenu) != 0) {
        if (item.separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
        submenu = CreatePopupMenu();
        submenuTitle = item.submenu;
        Append(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), item.submenu);
      }
      into = submenu;
    } else if (item.separatorBefore) {
      AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    }
    UINT flags = MF_STRING;
    if (!MenuItemEnabled(item.id)) flags |= MF_GRAYED;
    if (MenuItemChecked(item.id)) flags |= MF_CHECKED;
    Append(into, flags, static_cast<UINT_PTR>(item.id) + 1, item.text);
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
