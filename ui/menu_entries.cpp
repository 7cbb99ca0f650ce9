// The one rule that turns the menu table into the menu a front end shows.
#include "ui/menu_entries.h"

#include <cstring>

namespace {

bool Add(MenuEntry* entries, int capacity, int* count, const MenuEntry& entry) {
  if (*count >= capacity) return false;
  entries[(*count)++] = entry;
  return true;
}

}  // namespace

int ListMenuEntries(MenuEntry* entries, int capacity) {
  int count = 0;
  const char* open = nullptr;  // the title of the submenu being filled
  for (const MenuItem& item : kMenuItems) {
    const bool sameSubmenu =
        open != nullptr && item.submenu != nullptr && std::strcmp(open, item.submenu) == 0;
    if (open != nullptr && !sameSubmenu) {
      if (!Add(entries, capacity, &count, {kMenuEntrySubmenuEnd, item.id, open, true, false, false, 0}))
        break;
      open = nullptr;
    }
    if (item.separatorBefore && !sameSubmenu &&
        !Add(entries, capacity, &count, {kMenuEntrySeparator, item.id, "", true, false, false, 0}))
      break;
    if (item.submenu != nullptr && !sameSubmenu) {
      if (!Add(entries, capacity, &count, {kMenuEntrySubmenu, item.id, item.submenu, true, false, false, 0}))
        break;
      open = item.submenu;
    }
    if (!Add(entries, capacity, &count,
             {kMenuEntryItem, item.id, item.text, MenuItemEnabled(item.id), item.checkable,
              MenuItemChecked(item.id), item.group}))
      break;
  }
  if (open != nullptr)
    Add(entries, capacity, &count, {kMenuEntrySubmenuEnd, kMenuItemCount, open, true, false, false, 0});
  return count;
}
