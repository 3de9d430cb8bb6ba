// The connect dialog ("接続", template 132): what and when to download, and
// where every job runs. Modal over its owner; returns 1 when it ended
// through "OK" (pressed by the user or by itself), 2 through "キャンセル".
// autoStartId 1001 or 3 presses that job button as soon as the dialog runs.
#pragma once

#include <windows.h>

class SettingsStore;

int openConnectDialog(HWND owner, SettingsStore& settings, int autoStartId);

// The controls a running job keeps disabled ("キャンセル" is not one of them).
void enableJobControls(HWND dialog, bool on);
// Item data of the chosen day-list item, -1 when none is chosen.
int selectedDays(HWND dialog);
