// The style sheet and the script of the HTML pages, served from the guide
// service itself (/page.css, /page.js) so that the pages' security policy
// can refuse everything inline and everything from elsewhere.
#pragma once

#include <string>

// The style sheet; the genre colours come from the genre table.
std::string pageStyleSheet();
// The script: scrolls today's page to the hour running now and opens a
// programme named by the address's fragment. The pages work without it.
const char* pageScript();
