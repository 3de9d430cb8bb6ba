#include "cli/channel_choice.h"

#include "cli/cli.h"
#include "search/search_text.h"

int chooseChannelName(const std::vector<std::string>& names, const std::string& name) {
  // Compared as the search compares: code page 932 writes 髙 and 﨑 two
  // ways (the guide keeps the form its pages carry, a typed name the
  // other), and "tokyo mx" is how ＴＯＫＹＯ　ＭＸ is typed.
  const std::string typed = searchFormOfCp932(name);
  std::vector<std::string> characters;
  for (const std::string& channel : names) characters.push_back(searchFormOfCp932(channel));
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (characters[i] == typed) return static_cast<int>(i);
  }
  for (bool prefixOnly : {true, false}) {
    std::vector<std::size_t> matches;
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::size_t at = characters[i].find(typed);
      if (at == 0 || (!prefixOnly && at != std::string::npos)) matches.push_back(i);
    }
    if (matches.size() == 1) return static_cast<int>(matches[0]);
    if (matches.size() > 1) {
      std::string list;
      for (std::size_t match : matches) list += "  " + names[match] + "\n";
      printError("rokuban-cli: '" + name + "' matches several channels:\n" + list);
      return -1;
    }
  }
  std::string list;
  for (const std::string& channel : names) list += "  " + channel + "\n";
  printError("rokuban-cli: no channel " + name + "; the channels are:\n" + list);
  return -1;
}
