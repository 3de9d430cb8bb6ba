// Search text: the form in which a query word and a programme's text are
// compared. Matching works on UTF-8 (converted from the records' Shift-JIS)
// in which full-width Latin letters, digits and signs are their ASCII
// selves, Latin letters are lower case, the ideographic space is a space
// and half-width katakana (with their sound marks) are full-width. The
// records' own text is never changed: callers normalise a copy.
#pragma once

#include <string>
#include <vector>

// `utf8` in search form.
std::string searchForm(const std::string& utf8);
// A regular expression in search form: the same folding, except that the
// character after a backslash stays as written (so \S, \D, \W keep their
// meaning).
std::string searchFormOfPattern(const std::string& utf8);
// Shift-JIS text in search form (UTF-8).
std::string searchFormOfCp932(const std::string& cp932);
// The same, appended to `out`.
void appendSearchFormOfCp932(std::string& out, const std::string& cp932);
// The Shift-JIS characters of two bytes whose search form is `folded`, one
// character in search form, in `pairs`; false when some other text folds to
// it too (an ASCII byte, a half-width katakana alone or with its sound
// mark, a byte that is no character), so that its pairs cannot tell whether
// a text's search form holds it.
bool cp932PairsFoldingTo(const std::string& folded, std::vector<std::string>& pairs);
