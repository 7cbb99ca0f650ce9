// The mouse menu as every front end builds it: the table's items in order, with separators and submenus.
#pragma once

#include "ui/menu.h"

enum MenuEntryKind {
  kMenuEntryItem,
  kMenuEntrySeparator,
  kMenuEntrySubmenu,     // opens a submenu titled `text`; the entries up to its end go into it
  kMenuEntrySubmenuEnd,  // back to the menu the submenu sits in
};

struct MenuEntry {
  MenuEntryKind kind;
  MenuItemId id;  // for items
  const char* text;
  bool enabled;
  bool checkable;
  bool checked;
  int group;  // checkable items of one group other than 0 exclude each other
};

// Room for every item with a separator before it and every submenu's two ends.
const int kMenuEntryCapacity = 4 * kMenuItemCount;

// The menu as it opens now, top to bottom: items of one submenu title that follow each other sit in
// one submenu, and an item's separator goes before the submenu it opens. Returns how many entries.
int ListMenuEntries(MenuEntry* entries, int capacity);
