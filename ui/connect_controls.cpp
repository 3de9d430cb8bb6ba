#include "ui/connect_controls.h"

#include "ui/model/resource_ids.h"

namespace {

const int kJobControls[] = {IDOK,           IDC_CRAWL,     IDC_SYNC,        IDC_DELETE_ALL,
                            IDC_DAYS,       IDC_AREA,      IDC_CONNECTION_SETTINGS,
                            IDC_AUTO_DELETE, IDC_AUTO_CLOSE, IDC_DELETE_HTML, IDC_DAILY,
                            IDC_DAILY_TIME, IDC_BOOT_DOWNLOAD};

}  // namespace

void enableJobControls(HWND dialog, bool on) {
  for (int id : kJobControls) EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

int selectedDays(HWND dialog) {
  LRESULT item = SendDlgItemMessageA(dialog, IDC_DAYS, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return -1;
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_DAYS, CB_GETITEMDATA, item, 0));
}
