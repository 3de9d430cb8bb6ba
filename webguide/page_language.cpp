// Choosing a page's language.
#include "webguide/page_language.h"

#include "os/ascii.h"

namespace {

// A qvalue as HTTP writes it: 0, 1, 0.xxx or 1.000 (up to three decimals),
// in thousandths; -1 when malformed.
int thousandths(const std::string& text) {
  if (text.empty() || (text[0] != '0' && text[0] != '1') || text.size() > 5) return -1;
  if (text.size() > 1 && (text[1] != '.' || text.size() == 2)) return -1;
  int value = (text[0] - '0') * 1000;
  int scale = 100;
  for (std::size_t i = 2; i < text.size(); ++i, scale /= 10) {
    if (text[i] < '0' || text[i] > '9' || (text[0] == '1' && text[i] != '0')) return -1;
    value += (text[i] - '0') * scale;
  }
  return value;
}

// One range of the header: its tag (lower case) and q; false when malformed.
bool readRange(const std::string& part, std::string& tag, int& q) {
  const std::size_t semicolon = part.find(';');
  tag = ascii::lowered(ascii::trimmed(part.substr(0, semicolon)));
  q = 1000;
  if (tag.empty()) return false;
  for (char c : tag)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '*')) return false;
  if (semicolon == std::string::npos) return true;
  const std::string parameter = ascii::lowered(ascii::trimmed(part.substr(semicolon + 1)));
  if (parameter.compare(0, 2, "q=") != 0) return false;
  q = thousandths(ascii::trimmed(parameter.substr(2)));
  return q >= 0;
}

// Whether `tag` names `language` ("ja" for "ja" and "ja-JP").
bool names(const std::string& tag, const std::string& language) {
  return tag.compare(0, language.size(), language) == 0 &&
         (tag.size() == language.size() || tag[language.size()] == '-');
}

// The best q of the ranges that name a language, or of "*" when none does.
struct Preference {
  int named = -1;
  int any = -1;
  int q() const { return named >= 0 ? named : any >= 0 ? any : 0; }
};

void consider(Preference& preference, const std::string& tag, int q, const std::string& language) {
  if (tag == "*" && q > preference.any) preference.any = q;
  if (names(tag, language) && q > preference.named) preference.named = q;
}

}  // namespace

PageLanguage preferredLanguage(const std::string& acceptLanguage) {
  Preference japanese, english;
  for (std::size_t at = 0; at <= acceptLanguage.size();) {
    std::size_t end = acceptLanguage.find(',', at);
    if (end == std::string::npos) end = acceptLanguage.size();
    std::string tag;
    int q = 0;
    if (readRange(acceptLanguage.substr(at, end - at), tag, q)) {
      consider(japanese, tag, q, "ja");
      consider(english, tag, q, "en");
    }
    at = end + 1;
  }
  return english.q() > japanese.q() ? PageLanguage::kEnglish : PageLanguage::kJapanese;
}
