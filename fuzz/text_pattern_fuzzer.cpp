// Fuzzes the regular expressions of searches: a pattern and a text from one
// input (split at the first NUL byte). A pattern compiles or is refused; a
// compiled one searches its text in one pass, the text repeated to the
// largest a programme can bring, within libFuzzer's -timeout.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "search/programme_matcher.h"
#include "search/search_text.h"
#include "search/text_pattern.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const std::string pattern = searchFormOfPattern(input.substr(0, split));
  std::string text = split == std::string::npos ? std::string() : input.substr(split + 1);
  TextPattern compiled;
  if (compiled.compile(pattern) != PatternVerdict::kCompiled) return 0;
  if (compiled.size() > static_cast<std::size_t>(kMaxPatternInstructions)) std::abort();
  const bool foundInText = compiled.foundIn(text);
  if (text.empty()) return 0;
  while (text.size() < kMaxSearchedText) text += text;
  // A match in the text is a match in a longer text that begins with it.
  if (foundInText && !compiled.foundIn(text) && pattern.find('$') == std::string::npos &&
      pattern.find("\\B") == std::string::npos && pattern.find("\\b") == std::string::npos)
    std::abort();
  return 0;
}
