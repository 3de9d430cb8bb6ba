// Row arithmetic of the owner-drawn lists.
#include "ui/model/list_rows.h"

int pageRows(int height, int rowHeight) {
  if (rowHeight < 1) return 1;
  int page = height / rowHeight;
  return page < 1 ? 1 : page;
}

bool isRowVisible(const ListRows& rows, int index) {
  return index >= rows.top && index <= rows.last;
}

int scrollTarget(const ListRows& rows, int newTop) {
  if (rows.page >= rows.count) return rows.top;
  if (newTop < 0) newTop = 0;
  if (newTop > rows.count - rows.page) newTop = rows.count - rows.page;
  return newTop;
}

void moveTop(ListRows& rows, int newTop) {
  rows.top = newTop;
  rows.last = newTop + rows.page;
  if (rows.last >= rows.count) rows.last = rows.count - 1;
}

int topShowing(const ListRows& rows, int index) {
  if (index >= rows.last) return index - rows.page + 1;
  if (index < rows.top) return index;
  return -1;
}

void relayoutRows(ListRows& rows, int page) {
  rows.page = page < 1 ? 1 : page;
  if (rows.count > rows.page) {
    rows.last = rows.top + rows.page;
    if (rows.last >= rows.count) {
      rows.last = rows.count;
      rows.top = rows.count - rows.page;
    }
  } else {
    rows.top = 0;
    rows.last = rows.count;
  }
}

bool settleScrollBar(ListRows& rows) {
  if (rows.count <= rows.page) {
    rows.top = 0;
    rows.last = rows.count;
    return false;
  }
  rows.last = rows.top + rows.page;
  return true;
}
