// Row painting for the hour list and the programme list.
#include "ui/list_row_painter.h"

void paintListRow(HDC dc, const RECT& rect, const RowLook& look, bool focused) {
  const UINT length = static_cast<UINT>(look.text.size());
  SetTextColor(dc, look.textColour);
  SetBkColor(dc, look.background);
  ExtTextOutA(dc, rect.left + 2, rect.top, ETO_OPAQUE, &rect, look.text.data(), length, nullptr);
  if (look.bold) {
    SetBkMode(dc, TRANSPARENT);
    ExtTextOutA(dc, rect.left + 3, rect.top, 0, nullptr, look.text.data(), length, nullptr);
    SetBkMode(dc, OPAQUE);
  }
  if (focused) DrawFocusRect(dc, &rect);
}

SystemColours systemColours() {
  return SystemColours{GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
}
