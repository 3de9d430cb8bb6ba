// Verbs "config" and "areas": the settings as the program sees them.
#include <cstdio>

#include "cli/cli.h"

namespace {

struct SettingRow {
  const char* key;
  std::string (*read)(const SettingsStore&);
};

std::string number(int value) { return std::to_string(value); }

// Every setting with its effective value, in the order of the settings table.
const SettingRow kSettings[] = {
    {"bootdownload", [](const SettingsStore& s) { return number(s.bootDownload()); }},
    {"downloadtime", [](const SettingsStore& s) { return number(s.downloadTime()); }},
    {"autodelete", [](const SettingsStore& s) { return number(s.autoDelete()); }},
    {"autoclose", [](const SettingsStore& s) { return number(s.autoClose()); }},
    {"deletehtml", [](const SettingsStore& s) { return number(s.deleteHtml()); }},
    {"date", [](const SettingsStore& s) { return number(s.days()); }},
    {"area", [](const SettingsStore& s) { return s.area(); }},
    {"tvguideuser", [](const SettingsStore& s) { return s.tvGuideUser(); }},
    {"tvguidepass", [](const SettingsStore& s) { return s.tvGuidePass(); }},
    {"cookie", [](const SettingsStore& s) { return s.cookie(); }},
    {"server", [](const SettingsStore& s) { return s.server(); }},
    {"port", [](const SettingsStore& s) { return number(s.port()); }},
    {"proxyserver", [](const SettingsStore& s) { return s.proxyServer(); }},
    {"proxyport", [](const SettingsStore& s) { return number(s.proxyPort()); }},
    {"proxyuser", [](const SettingsStore& s) { return s.proxyUser(); }},
    {"proxypass", [](const SettingsStore& s) { return s.proxyPass(); }},
    {"dokibanserver", [](const SettingsStore& s) { return s.syncServer(); }},
    {"dokibanport", [](const SettingsStore& s) { return number(s.syncPort()); }},
    {"directory", [](const SettingsStore& s) { return s.directory(); }},
    {"executed", [](const SettingsStore& s) { return number(s.executed()); }},
    {"xmltvfile", [](const SettingsStore& s) { return s.xmltvFile(); }},
    {"xmltvsource", [](const SettingsStore& s) { return s.xmltvSource(); }},
    {"refreshhours", [](const SettingsStore& s) { return number(s.refreshHours()); }},
};

const SettingRow* findSetting(const std::string& key) {
  for (const SettingRow& row : kSettings) {
    if (key == row.key) return &row;
  }
  return nullptr;
}

int runConfig(CliContext& context) {
  std::vector<std::string>& args = context.args;
  if (args.empty()) {
    for (const SettingRow& row : kSettings) printOut(std::string(row.key) + "=" + row.read(context.settings) + "\n");
    return 0;
  }
  if (args[0] == "get" && args.size() == 2) {
    const SettingRow* row = findSetting(args[1]);
    if (!row) {
      std::fprintf(stderr, "rokuban-cli: unknown setting '%s'\n", args[1].c_str());
      return 1;
    }
    printOut(row->read(context.settings) + "\n");
    return 0;
  }
  if (args[0] == "set" && args.size() == 3) {
    if (!findSetting(args[1])) {
      std::fprintf(stderr, "rokuban-cli: unknown setting '%s'\n", args[1].c_str());
      return 1;
    }
    // Stored as typed, byte for byte; the accessors read it back as they would.
    if (!context.settings.setString("_config", args[1], args[2])) {
      std::fprintf(stderr,
                   "rokuban-cli: the value for '%s' holds a line break or NUL, which the "
                   "settings file cannot keep\n",
                   args[1].c_str());
      return 2;
    }
    return saveSettings(context) ? 0 : 1;
  }
  return usageError(context, "config");
}

int runAreas(CliContext& context) {
  if (!context.args.empty()) return usageError(context, "areas");
  const std::string chosen = context.settings.area();
  for (const auto& row : context.settings.areaTable()) {
    printOut((row.first == chosen ? "* " : "  ") + row.first + "\t" + row.second + "\n");
  }
  return 0;
}

const CliVerbRegistration kConfig({"config", "config [--show-secrets] [get KEY | set KEY VALUE]", runConfig,
                                   "print every setting, or get or set one",
                                   {{"--show-secrets", OptionKind::Flag, "print passwords and the cookie as they are"}},
                                   "config set directory /srv/tv/cache"});
const CliVerbRegistration kAreas({"areas", "areas", runAreas, "list the area table, the current choice marked", {},
                                  "areas"});

}  // namespace
