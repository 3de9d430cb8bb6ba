// Choosing a channel by what the user typed, one rule for every verb.
#pragma once

#include <string>
#include <vector>

// The index in `names` of the channel `name` names: exactly, else as the
// one channel it begins, else as the one channel holding it; -1, saying why
// on stderr and listing the channels, when none or several match.
int chooseChannelName(const std::vector<std::string>& names, const std::string& name);
