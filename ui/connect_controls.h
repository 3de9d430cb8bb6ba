// The connect dialog's controls that its worker reads and sets while a job
// runs.
#pragma once

#include <windows.h>

// The controls a running job keeps disabled ("キャンセル" is not one of them).
void enableJobControls(HWND dialog, bool on);
// Item data of the chosen day-list item, -1 when none is chosen.
int selectedDays(HWND dialog);
