// The connection settings dialog's values and box-text rules.
#include "ui/model/connection_fields.h"

#include "bytes/string_map.h"
#include "config/settings_store.h"

ConnectionFields connectionFieldsOf(const SettingsStore& settings) {
  ConnectionFields fields;
  fields.tvGuideUser = settings.tvGuideUser();
  fields.tvGuidePass = settings.tvGuidePass();
  fields.proxyServer = settings.proxyServer();
  fields.proxyPort = settings.proxyPort();
  fields.proxyUser = settings.proxyUser();
  fields.proxyPass = settings.proxyPass();
  fields.syncServer = settings.syncServer();
  fields.syncPort = settings.syncPort();
  return fields;
}

void storeConnectionFields(const ConnectionFields& fields, SettingsStore& settings) {
  settings.setTvGuideUser(fields.tvGuideUser);
  settings.setTvGuidePass(fields.tvGuidePass);
  settings.setProxyServer(fields.proxyServer);
  settings.setProxyPort(fields.proxyPort);
  settings.setProxyUser(fields.proxyUser);
  settings.setProxyPass(fields.proxyPass);
  settings.setSyncServer(fields.syncServer);
  settings.setSyncPort(fields.syncPort);
}

std::string textFieldValue(const std::string& boxText) {
  return boxText.substr(0, kTextFieldBuffer - 1);
}

int numberFieldValue(const std::string& boxText) {
  // The atoi rule, clamped so that a long run of digits cannot overflow.
  return parseLeadingInt(boxText.substr(0, kNumberFieldBuffer - 1));
}

std::string numberFieldText(int value) { return std::to_string(value); }
