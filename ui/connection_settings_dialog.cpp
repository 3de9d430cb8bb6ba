// The connection settings dialog's procedure and its three exchanges.
#include "ui/connection_settings_dialog.h"

#include "ui/model/connection_fields.h"

namespace {

INT_PTR initDialog(HWND dialog, LPARAM param) {
  auto* record = reinterpret_cast<ConnectionSettingsDialog*>(param);
  SetWindowLongPtrA(dialog, DWLP_USER, param);
  record->dialog = dialog;
  record->exchange(ConnectionSettingsDialog::kSettingsToControls);
  return TRUE;  // the system sets the default focus
}

void confirm(ConnectionSettingsDialog& record) {
  record.exchange(ConnectionSettingsDialog::kControlsToBindings);
  record.exchange(ConnectionSettingsDialog::kBindingsToSettings);
  EndDialog(record.dialog, IDOK);
}

INT_PTR command(ConnectionSettingsDialog& record, int id) {
  switch (id) {
    case IDOK: confirm(record); break;
    case IDCANCEL: EndDialog(record.dialog, IDCANCEL); break;
  }
  return TRUE;
}

INT_PTR CALLBACK connectionSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return initDialog(dialog, lParam);
  auto* record = reinterpret_cast<ConnectionSettingsDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (record == nullptr || message != WM_COMMAND) return FALSE;
  return command(*record, LOWORD(wParam));
}

}  // namespace

int ConnectionSettingsDialog::show(HWND owner, HINSTANCE module, SettingsStore& settings) {
  ConnectionSettingsDialog record(settings);
  return static_cast<int>(DialogBoxParamA(module,
                                          MAKEINTRESOURCEA(IDD_CONNECTION_SETTINGS), owner,
                                          connectionSettingsProc,
                                          reinterpret_cast<LPARAM>(&record)));
}

void ConnectionSettingsDialog::exchange(int direction) {
  switch (direction) {
    case kSettingsToControls: settingsToControls(); break;
    case kControlsToBindings: controlsToBindings(); break;
    case kBindingsToSettings: bindingsToSettings(); break;
  }
}

void ConnectionSettingsDialog::settingsToControls() {
  ConnectionFields fields = connectionFieldsOf(settings);
  tvGuideUser.value = fields.tvGuideUser;
  tvGuidePass.value = fields.tvGuidePass;
  proxyServer.value = fields.proxyServer;
  proxyPort.value = fields.proxyPort;
  proxyUser.value = fields.proxyUser;
  proxyPass.value = fields.proxyPass;
  syncServer.value = fields.syncServer;
  syncPort.value = fields.syncPort;
  for (FieldBinding* binding : bindings_) {
    binding->attach(dialog);
    binding->writeBox();
  }
}

void ConnectionSettingsDialog::controlsToBindings() {
  for (FieldBinding* binding : bindings_) binding->readBox();
}

void ConnectionSettingsDialog::bindingsToSettings() {
  ConnectionFields fields;
  fields.tvGuideUser = tvGuideUser.value;
  fields.tvGuidePass = tvGuidePass.value;
  fields.proxyServer = proxyServer.value;
  fields.proxyPort = proxyPort.value;
  fields.proxyUser = proxyUser.value;
  fields.proxyPass = proxyPass.value;
  fields.syncServer = syncServer.value;
  fields.syncPort = syncPort.value;
  storeConnectionFields(fields, settings);
}
