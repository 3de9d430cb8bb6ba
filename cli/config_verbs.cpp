// Verbs "config" and "areas": the settings as the program sees them.
#include <cstdio>

#include "cli/cli.h"
#include "cli/verb_options.h"
#include "config/setting_table.h"
#include "xmltv/xmltv_document.h"
#include "net/http_url.h"

namespace {

bool digitsOnly(const std::string& text) {
  return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

// The area keys of the settings file, read into a store of their own so
// that filling in the built-in table never reaches the file.
bool isKnownArea(const std::string& path, const std::string& key) {
  SettingsStore probe;
  probe.load(path);
  return probe.areaTable().count(key) != 0;
}

// A daily download time as typed, "HHMM", "HH:MM", "off" or "-1", in the
// form the file keeps (hour * 100 + minute, or -1); empty when it is none.
std::string clockTimeValue(const std::string& value) {
  if (value == "off" || value == "-1") return "-1";
  const std::size_t colon = value.find(':');
  std::string hours = value, minutes;
  if (colon != std::string::npos) {
    hours = value.substr(0, colon);
    minutes = value.substr(colon + 1);
    if (hours.size() > 2 || minutes.size() != 2 || !digitsOnly(minutes)) return "";
  } else if (value.size() < 3 || value.size() > 4) {
    return "";
  } else {
    minutes = value.substr(value.size() - 2);
    hours = value.substr(0, value.size() - 2);
  }
  if (!digitsOnly(hours) || !digitsOnly(minutes)) return "";
  const int hhmm = std::stoi(hours) * 100 + std::stoi(minutes);
  return isValidDownloadTime(hhmm) ? std::to_string(hhmm) : "";
}

// Empty when `value` suits the setting; else the form it accepts.
std::string refusal(const Setting& row, const std::string& value, const std::string& settingsPath) {
  int port = 0;
  switch (row.kind) {
    case SettingKind::Number:
      return digitsOnly(value) ? "" : "a whole number";
    case SettingKind::Switch:
      return value == "0" || value == "1" ? "" : "0 or 1";
    case SettingKind::Days:
      return value.size() == 1 && value[0] >= '0' && value[0] <= '6' ? "" : "days ahead, 0-6";
    case SettingKind::Port:
      return parsePort(value, port) && port > 0 ? "" : "a port number 1-65535";
    case SettingKind::Area:
      return isKnownArea(settingsPath, value) ? "" : "an area key of the area table (see 'rokuban-cli areas')";
    case SettingKind::ClockTime:
      return clockTimeValue(value).empty() ? "a time of day, HHMM or HH:MM, or off" : "";
    case SettingKind::XmltvSource:
      return isReadableXmltvSource(value) ? ""
                                          : "a file path or an http:// URL (https://, ftp:// and other schemes "
                                            "are not read), or nothing for the guide service";
    case SettingKind::Url: {
      HttpUrl url;
      return value.empty() || parseHttpUrl(value, url) ? "" : "an http://[user:password@]host[:port][/path] URL, or empty";
    }
    default:
      return "";
  }
}

// A key the table does not know is a mistyped command line: wrong usage.
int unknownSetting(const std::string& key) {
  std::fprintf(stderr, "rokuban-cli: unknown setting '%s'; 'rokuban-cli config' lists the keys\n", key.c_str());
  return 2;
}

const CliOption kShowSecrets{"--show-secrets", OptionKind::Flag, "print passwords and the cookie as they are"};

int runConfig(CliContext& context) {
  std::vector<std::string>& args = context.args;
  const bool showSecrets = VerbOptions(context).flag(kShowSecrets);
  if (args.empty()) {
    for (int i = 0; i < settingCount(); ++i) {
      const Setting& row = settingRows()[i];
      std::string value = context.settings.effectiveValue(row);
      if (row.secret && !showSecrets && !value.empty()) value = "********";
      if (row.kind == SettingKind::Url && !showSecrets) value = HttpUrl::hidingPassword(value);
      printOut(std::string(row.key) + "=" + value + "\n");
    }
    return 0;
  }
  if (args[0] == "get" && args.size() == 2) {
    const Setting* row = findSetting(args[1]);
    if (!row) {
      return unknownSetting(args[1]);
    }
    printOut(context.settings.effectiveValue(*row) + "\n");
    return 0;
  }
  if (args[0] == "set" && args.size() == 3) {
    const Setting* row = findSetting(args[1]);
    if (!row) {
      return unknownSetting(args[1]);
    }
    const std::string accepted = refusal(*row, args[2], context.settingsPath);
    if (!accepted.empty()) {
      printError("rokuban-cli: '" + args[2] + "' is no value for " + args[1] + ": it takes " + accepted + "\n");
      return 2;
    }
    // Stored as typed, byte for byte; the accessors read it back as they
    // would. A time alone is stored in the one form the program reads.
    const std::string stored = row->kind == SettingKind::ClockTime ? clockTimeValue(args[2]) : args[2];
    if (!context.settings.setString("_config", args[1], stored)) {
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
                                   {kShowSecrets}, "config set directory /srv/tv/cache",
                                   kReadsOnly | kDashWords | kLocksSettings});
const CliVerbRegistration kAreas({"areas", "areas", runAreas, "list the area table, the current choice marked", {},
                                  "areas", kReadsOnly});

}  // namespace
