// Sign-in helpers: the sign-in path with its query values made safe.
#pragma once

#include <string>

// Percent-escapes the bytes that cannot stand in a query value (control
// bytes, space, "&", "#", "%", "+" and bytes from 0x80 up); letters, digits
// and other harmless bytes pass unchanged.
std::string escapeQueryValue(const std::string& value);
// "/cgi-bin/signin.cgi?id1=..&id2=..&passwd=..", every value escaped.
std::string signInPath(const std::string& id1, const std::string& id2,
                       const std::string& password);
