// The watch explanation dialog (modal, template 136): the watch list's
// entries in a list, and for the one chosen its matches over the cached
// week and its near misses with the reason each was left out. It changes
// nothing.
#pragma once

#include <windows.h>

struct WindowContext;

void openWatchExplainDialog(HWND owner, const WindowContext& context);
