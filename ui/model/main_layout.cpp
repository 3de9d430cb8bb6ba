// The band cuts of the main window's client area.
#include "ui/model/main_layout.h"

namespace {
// A rectangle by its edges, cut into bands.
struct Band {
  int left, top, right, bottom;

  LayoutRect rect() const { return LayoutRect{left, top, right - left, bottom - top}; }
  LayoutRect cutLeft(int width) {
    LayoutRect cut{left, top, width, bottom - top};
    left += width - 1;
    return cut;
  }
  LayoutRect cutRight(int width) {
    LayoutRect cut{right - width, top, width, bottom - top};
    right = right - width + 1;
    return cut;
  }
  LayoutRect cutTop(int height) {
    LayoutRect cut{left, top, right - left, height};
    top += height - 1;
    return cut;
  }
};
}  // namespace

MainLayout mainLayout(int clientWidth, int clientHeight) {
  MainLayout layout;
  Band rest{0, 0, clientWidth, clientHeight};
  // "05:00" (30-36 px in the program's font, as Windows' and wine's
  // metrics give it) beside a scroll bar (17) and the borders (2).
  layout.hourList = rest.cutLeft(56);
  LayoutRect rowRect = rest.cutTop(24);
  Band row{rowRect.x, rowRect.y, rowRect.x + rowRect.width, rowRect.y + rowRect.height};
  layout.okButton = row.cutRight(37);
  layout.previousButton = row.cutLeft(18);
  layout.dateButton = row.cutLeft(68);
  layout.nextButton = row.cutLeft(18);
  int quarter = (row.right - row.left) / 4;
  layout.crawlButton = row.cutLeft(quarter);
  layout.syncButton = row.cutLeft(quarter);
  layout.settingsButton = row.rect();
  layout.detailPane = rest.cutRight((rest.right - rest.left) / 3);
  layout.programmeList = rest.rect();
  return layout;
}
