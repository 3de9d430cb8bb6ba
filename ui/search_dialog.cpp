// The search dialog's procedure.
#include "ui/search_dialog.h"

#include <string>
#include <vector>

#include "ui/model/resource_ids.h"
#include "ui/model/search_form.h"

namespace {

struct SearchDialog {
  std::vector<std::string> channels;
  ProgrammeQuery query;
};

void fillCombo(HWND dialog, int id, const std::vector<std::string>& choices) {
  for (const std::string& choice : choices)
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, 0, 0);
}

INT_PTR initDialog(HWND dialog, LPARAM param) {
  SetWindowLongPtrA(dialog, DWLP_USER, param);
  const auto& record = *reinterpret_cast<SearchDialog*>(param);
  fillCombo(dialog, IDC_SEARCH_CHANNEL, record.channels);
  fillCombo(dialog, IDC_SEARCH_GENRE, searchGenreChoices());
  SendDlgItemMessageA(dialog, IDC_SEARCH_WORDS, EM_LIMITTEXT, 1000, 0);
  return TRUE;
}

int comboChoice(HWND dialog, int id) {
  const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? 0 : static_cast<int>(index);
}

void confirm(HWND dialog, SearchDialog& record) {
  char words[1024] = {};
  GetDlgItemTextA(dialog, IDC_SEARCH_WORDS, words, sizeof words);
  std::string problem;
  if (searchFormQuery(words, record.channels, comboChoice(dialog, IDC_SEARCH_CHANNEL),
                      comboChoice(dialog, IDC_SEARCH_GENRE), record.query, problem)) {
    EndDialog(dialog, IDOK);
    return;
  }
  SetDlgItemTextA(dialog, IDC_SEARCH_PROBLEM, problem.c_str());
  SetFocus(GetDlgItem(dialog, IDC_SEARCH_WORDS));
}

INT_PTR CALLBACK searchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return initDialog(dialog, lParam);
  auto* record = reinterpret_cast<SearchDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (record == nullptr || message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK: confirm(dialog, *record); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
  }
  return TRUE;
}

}  // namespace

bool openSearchDialog(HWND owner, HINSTANCE module, const ProgrammeTable& day, ProgrammeQuery& query) {
  SearchDialog record;
  record.channels = searchChannelChoices(day);
  const INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SEARCH),
                                         owner, searchDialogProc, reinterpret_cast<LPARAM>(&record));
  if (result != IDOK) return false;
  query = record.query;
  return true;
}
