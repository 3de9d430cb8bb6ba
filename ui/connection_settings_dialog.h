// ConnectionSettingsDialog ("接続の設定", template 133): edits the guide
// sign-in, the proxy and the sync server. "OK" copies the eight values into
// the settings in memory; the file is written by the next save.
#pragma once

#include <windows.h>

#include "ui/field_binding.h"
#include "ui/model/resource_ids.h"

class SettingsStore;

class ConnectionSettingsDialog {
 public:
  // Directions of `exchange`.
  enum { kSettingsToControls = 0, kControlsToBindings = 1, kBindingsToSettings = 2 };

  explicit ConnectionSettingsDialog(SettingsStore& settings) : settings(settings) {}
  ConnectionSettingsDialog(const ConnectionSettingsDialog&) = delete;
  ConnectionSettingsDialog& operator=(const ConnectionSettingsDialog&) = delete;
  // Runs the dialog modally over `owner`: 1 for OK, 2 for Cancel.
  // `module` holds its template.
  static int show(HWND owner, HINSTANCE module, SettingsStore& settings);
  void exchange(int direction);

  HWND dialog = nullptr;
  SettingsStore& settings;
  TextFieldBinding tvGuideUser{IDC_TVGUIDE_USER};
  TextFieldBinding tvGuidePass{IDC_TVGUIDE_PASS};
  TextFieldBinding proxyServer{IDC_PROXY_SERVER};
  NumberFieldBinding proxyPort{IDC_PROXY_PORT};
  TextFieldBinding proxyUser{IDC_PROXY_USER};
  TextFieldBinding proxyPass{IDC_PROXY_PASS};
  TextFieldBinding syncServer{IDC_SYNC_SERVER};
  NumberFieldBinding syncPort{IDC_SYNC_PORT};

 private:
  // The eight bindings in the order of the boxes.
  FieldBinding* const bindings_[8] = {&tvGuideUser, &tvGuidePass, &proxyServer, &proxyPort,
                                      &proxyUser,   &proxyPass,   &syncServer,  &syncPort};

  void settingsToControls();
  void controlsToBindings();
  void bindingsToSettings();
};
