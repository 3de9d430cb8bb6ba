// The guide page writer lives in the core now (the XMLTV import writes its
// pages); this header keeps the tools' and tests' includes working.
#pragma once

#include "programme/guide_page.h"
