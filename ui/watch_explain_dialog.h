// The watch explanation dialog (modal, template 136): the watch list's
// entries in a list, and for the one chosen its matches over the cached
// week and its near misses with the reason each was left out. It changes
// nothing.
#pragma once

#include <windows.h>

class SettingsStore;

void openWatchExplainDialog(HWND owner, SettingsStore& settings);
