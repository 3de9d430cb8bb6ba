// The connect dialog ("接続", template 132): what and when to download, and
// where every job runs. Modal over its owner; returns 1 when it ended
// through "OK" (pressed by the user or by itself), 2 through "キャンセル".
// autoStartId 1001 or 3 presses that job button as soon as the dialog runs.
// `module` holds the dialog's template.
#pragma once

#include <windows.h>

class SettingsStore;

int openConnectDialog(HWND owner, HINSTANCE module, SettingsStore& settings, int autoStartId);
