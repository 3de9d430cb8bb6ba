// Basic credentials for the "proxy-authorization" header.
#pragma once

#include <string>

// Base64 with the standard alphabet and "=" padding, no line breaks.
std::string base64Encode(const std::string& bytes);
// "" when user and password are both empty, otherwise "Basic " and the
// encoding of user ":" password.
std::string basicCredentials(const std::string& user, const std::string& password);
