// The watch explanation dialog's procedure.
#include "ui/watch_explain_dialog.h"

#include <string>

#include "guide/guide_cache.h"
#include "search/query_problem.h"
#include "ui/model/resource_ids.h"
#include "ui/model/watch_explanation_text.h"
#include "ui/window_context.h"
#include "watch/watch_explain.h"
#include "watch/watch_list.h"

namespace {

// More than the command line's 20: the box scrolls.
constexpr std::size_t kListedNearMisses = 100;

struct WatchExplainDialog {
  explicit WatchExplainDialog(const SettingsStore& settings) : settings(settings) {}
  const SettingsStore& settings;
  WatchList list;
  Listing listing;
  GuideMinute now = 0;
};

std::string explanationOf(const WatchExplainDialog& record, std::size_t index) {
  if (index >= record.list.entries.size()) return kNoWatchEntries;
  const ProgrammeQuery& query = record.list.entries[index].query;
  WatchExplanation explanation;
  QueryProblem problem;
  if (!explainQuery(record.listing, query, record.now, kListedNearMisses, explanation, problem, &record.settings))
    return japaneseText(problem);
  return watchExplanationText(query, explanation);
}

void showExplanation(HWND dialog, const WatchExplainDialog& record) {
  const LRESULT index = SendDlgItemMessageA(dialog, IDC_EXPLAIN_ENTRY, CB_GETCURSEL, 0, 0);
  const std::string text = explanationOf(record, index == CB_ERR ? record.list.entries.size() : index);
  SetDlgItemTextA(dialog, IDC_EXPLAIN_TEXT, text.c_str());
}

INT_PTR initDialog(HWND dialog, LPARAM param) {
  SetWindowLongPtrA(dialog, DWLP_USER, param);
  auto& record = *reinterpret_cast<WatchExplainDialog*>(param);
  for (const std::string& choice : watchEntryChoices(record.list))
    SendDlgItemMessageA(dialog, IDC_EXPLAIN_ENTRY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
  SendDlgItemMessageA(dialog, IDC_EXPLAIN_ENTRY, CB_SETCURSEL, 0, 0);
  showExplanation(dialog, record);
  return TRUE;
}

INT_PTR CALLBACK watchExplainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return initDialog(dialog, lParam);
  auto* record = reinterpret_cast<WatchExplainDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (record == nullptr || message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDC_EXPLAIN_ENTRY && HIWORD(wParam) == CBN_SELCHANGE) showExplanation(dialog, *record);
  if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) EndDialog(dialog, IDCANCEL);
  return TRUE;
}

}  // namespace

void openWatchExplainDialog(HWND owner, const WindowContext& context) {
  context.followWatchSettings();
  WatchExplainDialog record(context.settings);
  record.list = loadWatchList(context.settings);
  const DateTime now = context.guide.now();
  record.now = guideMinuteOf(now);
  if (!record.list.entries.empty()) record.listing = collectListing(context.guide, defaultListingRange(now));
  DialogBoxParamA(context.module, MAKEINTRESOURCEA(IDD_WATCH_EXPLAIN), owner,
                  watchExplainDialogProc, reinterpret_cast<LPARAM>(&record));
}
