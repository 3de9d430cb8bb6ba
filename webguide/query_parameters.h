// Query parameters of a request target ("date=2026-12-07&q=..."), read as
// HTML forms send them: "&"-separated name=value pairs, "+" for a space,
// "%XX" for any byte.
#pragma once

#include <string>

// 1 with the decoded value of the first parameter called `name`, 0 when
// there is none, -1 when the query is malformed (a bad "%" escape).
int queryParameter(const std::string& query, const std::string& name, std::string& value);
