// Test hook: a list row as it is drawn, copied to a reader outside.
#include "ui/list_row_query.h"

#include <algorithm>
#include <cstdio>

#include "ui/hour_list.h"
#include "ui/list_row_painter.h"
#include "ui/model/hour_list_rows.h"
#include "ui/model/programme_view.h"
#include "ui/programme_list.h"

namespace {

constexpr UINT kReplyTimeoutMs = 2000;

bool lookOf(int list, int row, RowLook& look) {
  ListWindow& window = list == 0 ? hourList() : programmeList();
  if (row < 0 || row >= window.count()) return false;
  const LPARAM item = window.itemAt(row);
  const bool selected = row == window.selected();
  if (list == 0) {
    look = hourRowLook(static_cast<int>(item), selected, systemColours());
    return true;
  }
  return programmeListRowLook(item, selected, look);
}

}  // namespace

LRESULT describeListRow(HWND mainWindow, WPARAM rowAndList, LPARAM replyWindow) {
  // A window handle, not an address: the reply is copied by the system.
  HWND asker = reinterpret_cast<HWND>(replyWindow);
  RowLook look;
  if (!IsWindow(asker) || !lookOf(HIWORD(rowAndList), LOWORD(rowAndList), look)) return -1;
  char description[kRowDescriptionSize];
  const int length = std::snprintf(description, sizeof description, "%06X %06X %s",
                                   static_cast<unsigned>(look.background),
                                   static_cast<unsigned>(look.textColour), look.text.c_str());
  COPYDATASTRUCT reply = {};
  reply.dwData = kRowDescriptionTag;
  reply.cbData = static_cast<DWORD>(std::min<int>(length, sizeof description - 1) + 1);
  reply.lpData = description;
  // A hung asker must not hang the program.
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(mainWindow),
                           reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                           kReplyTimeoutMs, &ignored))
    return -1;
  return static_cast<LRESULT>(look.text.size());
}
