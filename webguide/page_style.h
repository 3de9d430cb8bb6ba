// The style sheet and the script every HTML page holds inline, and the
// security policy that lets exactly those two run (by their hashes) and
// refuses everything else inline and everything from elsewhere.
#pragma once

#include <string>

// The style sheet; the genre colours come from the genre table.
std::string pageStyleSheet();
// The script: scrolls today's page to the hour running now and opens a
// programme named by the address's fragment. The pages work without it.
const char* pageScript();
// The Content-Security-Policy of the pages.
const std::string& pagePolicy();
