// Paints one row of an owner-drawn list as the lists' row decisions
// describe it: the text two pixels in on an opaque background, a second
// pass one pixel further right for bold rows, and the focus rectangle.
#pragma once

#include "ui/list_window.h"
#include "ui/model/row_look.h"

void paintListRow(const ListDrawItem& item, const RowLook& look);
// The system's highlight colours now.
SystemColours systemColours();
