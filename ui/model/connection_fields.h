// ConnectionFields: the eight values of the connection settings dialog, in
// the order of its edit boxes, and the rules that turn box texts into them.
#pragma once

#include <string>

class SettingsStore;

struct ConnectionFields {
  std::string tvGuideUser;  // 1013
  std::string tvGuidePass;  // 1014
  std::string proxyServer;  // 1015
  int proxyPort = 0;        // 1016
  std::string proxyUser;    // 1017
  std::string proxyPass;    // 1018
  std::string syncServer;   // 1019
  int syncPort = 0;         // 1020
};

ConnectionFields connectionFieldsOf(const SettingsStore& settings);
// Memory only: the file changes at the next save.
void storeConnectionFields(const ConnectionFields& fields, SettingsStore& settings);

// A text box is read through a 1024-byte buffer, a number box through a
// 32-byte one; the number is the atoi value of what was read.
constexpr int kTextFieldBuffer = 1024;
constexpr int kNumberFieldBuffer = 32;
std::string textFieldValue(const std::string& boxText);
int numberFieldValue(const std::string& boxText);
std::string numberFieldText(int value);
