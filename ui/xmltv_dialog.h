// The XMLTV dialog (modal, template 135): the guide's XMLTV source and,
// from the document's channels read on a worker thread, the channels the
// guide shows. "OK" writes "xmltvsource" and "[xmltvchannels]" and saves
// the settings file.
#pragma once

#include <windows.h>

struct WindowContext;

// True when the user chose OK.
bool openXmltvDialog(HWND owner, const WindowContext& context);
