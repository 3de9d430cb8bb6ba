// Paints one row of an owner-drawn list as the lists' row decisions
// describe it: the text two pixels in on an opaque background, a second
// pass one pixel further right for bold rows, and the focus rectangle.
#pragma once

#include <windows.h>

#include "ui/model/row_look.h"

// `dc` with the list's font selected; `focused`: the row is the selected
// one and the list has the focus.
void paintListRow(HDC dc, const RECT& rect, const RowLook& look, bool focused);
// The system's highlight colours now.
SystemColours systemColours();
