// The Content-Security-Policy source that lets one inline style sheet or
// script run and nothing else inline: "'sha256-" + the Base64 of the
// SHA-256 of its exact text + "'".
#pragma once

#include <string>

// "'sha256-...'" of `text`.
std::string inlineSourceHash(const std::string& text);

// The 32 bytes of the SHA-256 digest of `bytes`.
std::string sha256(const std::string& bytes);
