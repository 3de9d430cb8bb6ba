// The English forms of the engine's job messages, for a terminal whose
// language is not Japanese; the messages themselves stay as the window
// shows them.
#pragma once

#include <string>

// `cp932` with " (English form)" after it when it holds a known message;
// otherwise `cp932` as it is.
std::string withEnglish(const std::string& cp932);
