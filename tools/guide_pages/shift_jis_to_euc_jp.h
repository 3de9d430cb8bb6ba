// Moved to the core with the guide page writer; kept for existing includes.
#pragma once

#include "programme/shift_jis_to_euc_jp.h"
