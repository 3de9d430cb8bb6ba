// The XMLTV dialog's procedure: the source box, the reading and the
// check-box list; the rows and what OK writes come from ui/model.
#include "ui/xmltv_dialog.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/listing.h"
#include "ui/model/resource_ids.h"
#include "ui/model/xmltv_form.h"
#include "ui/window_context.h"
#include "ui/xmltv_channel_reading.h"

namespace {

const char kNameColumn[] = "\x96\xbc\x91\x4f";  // "名前"
const int kSourceLimit = 1000;

struct XmltvDialog {
  SettingsStore* settings;
  GuideCache* guide;
  std::vector<std::string> chosen;  // [xmltvchannels] when the dialog opened
  std::vector<XmltvChannelRow> rows;
  std::unique_ptr<XmltvChannelReading> reading;
};

HWND channelList(HWND dialog) { return GetDlgItem(dialog, IDC_XMLTV_CHANNELS); }

void addColumn(HWND list, int index, const char* title, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>(title);
  column.cx = width;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void showRows(HWND dialog, const std::vector<XmltvChannelRow>& rows) {
  HWND list = channelList(dialog);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(rows[i].name.c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(rows[i].id.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    ListView_SetCheckState(list, static_cast<int>(i), rows[i].checked ? TRUE : FALSE);
  }
}

// The ticks as the user left them.
void readChecks(HWND dialog, std::vector<XmltvChannelRow>& rows) {
  HWND list = channelList(dialog);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].checked = ListView_GetCheckState(list, static_cast<int>(i)) != 0;
}

std::string sourceText(HWND dialog) {
  char text[kSourceLimit + 24] = {};
  GetDlgItemTextA(dialog, IDC_XMLTV_SOURCE, text, sizeof text);
  return text;
}

void enableControls(HWND dialog, bool on) {
  for (int id : {IDOK, IDC_XMLTV_READ, IDC_XMLTV_SOURCE}) EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

INT_PTR initDialog(HWND dialog, LPARAM param) {
  SetWindowLongPtrA(dialog, DWLP_USER, param);
  auto& record = *reinterpret_cast<XmltvDialog*>(param);
  SendDlgItemMessageA(dialog, IDC_XMLTV_SOURCE, EM_LIMITTEXT, kSourceLimit, 0);
  SetDlgItemTextA(dialog, IDC_XMLTV_SOURCE, record.settings->xmltvSource().c_str());
  HWND list = channelList(dialog);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  // Both fit beside a vertical scroll bar: no horizontal one.
  addColumn(list, 0, kNameColumn, 160);
  addColumn(list, 1, "ID", 125);
  // Named as the cached guide has them until the document is read again.
  record.rows = xmltvChannelRows(record.chosen, nullptr,
                                 importedChannelNames(*record.guide, defaultListingRange(record.guide->now())));
  showRows(dialog, record.rows);
  return TRUE;
}

void startReading(HWND dialog, XmltvDialog& record) {
  if (record.reading) return;
  readChecks(dialog, record.rows);
  record.reading.reset(new XmltvChannelReading(dialog, *record.guide, sourceText(dialog)));
  SetDlgItemTextA(dialog, IDC_XMLTV_STATUS, "");
  enableControls(dialog, false);
  if (!record.reading->start()) {
    record.reading.reset();
    enableControls(dialog, true);
  }
}

// The reading's last act: join it, then show what it found. The ticks
// made so far stand for the choice of the rows of the new document.
void finishReading(HWND dialog, XmltvDialog& record) {
  if (!record.reading || !record.reading->wait()) return;
  const XmltvChannelReading& reading = *record.reading;
  SetDlgItemTextA(dialog, IDC_XMLTV_STATUS, xmltvReadingStatus(reading.result, reading.error).c_str());
  if (reading.result >= 0) {
    std::vector<std::string> ticked = record.rows.empty() ? record.chosen : checkedXmltvChannels(record.rows);
    record.rows = xmltvChannelRows(ticked, &reading.channels);
    showRows(dialog, record.rows);
  }
  record.reading.reset();
  enableControls(dialog, true);
}

void confirm(HWND dialog, XmltvDialog& record) {
  readChecks(dialog, record.rows);
  XmltvChoice choice;
  std::string problem;
  if (!xmltvFormChoice(sourceText(dialog), record.chosen, record.rows, choice, problem)) {
    SetDlgItemTextA(dialog, IDC_XMLTV_STATUS, problem.c_str());
    return;
  }
  storeXmltvChoice(choice, *record.settings);
  record.settings->save();
  EndDialog(dialog, IDOK);
}

void cancel(HWND dialog, XmltvDialog& record) {
  if (record.reading) {
    record.reading->cancel();
    record.reading->wait();
    record.reading.reset();
  }
  EndDialog(dialog, IDCANCEL);
}

INT_PTR CALLBACK xmltvDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return initDialog(dialog, lParam);
  auto* record = reinterpret_cast<XmltvDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (record == nullptr) return FALSE;
  if (message == kXmltvReadingDone) {
    finishReading(dialog, *record);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK: if (!record->reading) confirm(dialog, *record); break;
    case IDC_XMLTV_READ: startReading(dialog, *record); break;
    case IDCANCEL: cancel(dialog, *record); break;
  }
  return TRUE;
}

}  // namespace

bool openXmltvDialog(HWND owner, const WindowContext& context) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  XmltvDialog record;
  record.settings = &context.settings;
  record.guide = &context.guide;
  record.chosen = context.settings.xmltvChannels();
  const INT_PTR result = DialogBoxParamA(context.module, MAKEINTRESOURCEA(IDD_XMLTV),
                                         owner, xmltvDialogProc, reinterpret_cast<LPARAM>(&record));
  return result == IDOK;
}
