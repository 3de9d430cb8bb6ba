// PopupMenu: the main window's popup menu as data: its items top to
// bottom, with ids, texts (Shift-JIS), check marks and submenus, and what a
// genre item's id stands for. The window code turns it into a menu.
#pragma once

#include <string>
#include <vector>

#include "ui/model/resource_ids.h"
#include "ui/model/view_state.h"

struct MenuEntry {
  enum Kind { kItem, kSeparator, kSubmenu };
  Kind kind = kItem;
  int id = 0;  // items only
  std::string text;
  bool checked = false;
  std::vector<MenuEntry> children;  // submenus only
};

// The whole menu for the current view; the "Denpoz" submenu and its
// separator only when the companion tool is installed; the recorder's
// reserves, last, only when a recorder is set.
std::vector<MenuEntry> mainPopupMenu(const ViewState& view, bool companionInstalled, bool recorderSet = false);

// The genre colour a genre item's id stands for. False for ids outside
// the genre items, and for ids in their range past the genre table.
bool genreCommandColour(int id, int& colour);
