// PageLanguage: the language a page is written in, chosen from the
// browser's Accept-Language. The guide is Japanese, so Japanese is the
// default; English only when the browser prefers it to Japanese.
#pragma once

#include <string>

enum class PageLanguage { kJapanese, kEnglish };

// `acceptLanguage` is the header's value ("" when absent): ranges with
// optional q-values ("en-US,en;q=0.9,ja;q=0.8"). A language gets the best
// q of the ranges that name it ("ja", "ja-JP"), or that of "*" when none
// does, or 0. English when its q is above Japanese's; Japanese otherwise.
// Malformed ranges are ignored.
PageLanguage preferredLanguage(const std::string& acceptLanguage);
