// The watch list's check in the window.
#include "ui/watch_announcer.h"

#include <cstdio>
#include <string>

#include "app/application.h"
#include "guide/guide_cache.h"
#include "recorder/recorder_reservations.h"
#include "search/watch_check.h"
#include "ui/companion_launcher.h"
#include "ui/search_view.h"

namespace {
constexpr UINT kReplyTimeoutMs = 2000;

int balloons = 0;
WatchAnnouncement lastAnnouncement;

// The matches really handed over; one the cache lost is left for later.
std::vector<ProgrammeRecord> reserve(const std::vector<ProgrammeRecord>& records) {
  // A crawl may have rewritten the day a reservation was last made on.
  forgetMatchDay();
  std::vector<ProgrammeRecord> reserved;
  for (const ProgrammeRecord& record : records) {
    std::string arguments;
    if (!matchReservationArguments(record, arguments)) continue;
    launchCompanion(arguments);
    reserved.push_back(record);
  }
  return reserved;
}
}  // namespace

bool checkWatchListNow(const std::vector<WatchChange>& changes, WatchAnnouncement& announcement) {
  Application::instance().followWatchSettings();
  SettingsStore& settings = Application::instance().settings();
  const DateTime now = currentDateTime();
  const WatchCheck check = checkWatchList(Application::instance().guide(), now);
  const std::string recorder = settings.recorder();
  RecorderReservations byRecorder;
  std::vector<ProgrammeRecord> reserved;
  if (recorder.empty()) {
    reserved = reserve(matchesToReserve(check, companionInstalled()));
  } else {
    RecorderClient client(recorder, Application::instance().guide().clock());
    byRecorder = reserveWithRecorder(client, check.toReserve);
    reserved = byRecorder.reserved;
  }
  // The recorder follows a reserved programme's move itself.
  const std::vector<ProgrammeRecord> renewed = recorder.empty() && companionInstalled()
                                                   ? reserve(movedReservations(changes, settings))
                                                   : std::vector<ProgrammeRecord>();
  const bool fresh = watchAnnouncement(check.fresh, static_cast<int>(reserved.size()), announcement);
  const bool changed = addWatchChanges(changes, static_cast<int>(renewed.size()), announcement);
  if (!addRecorderRefusals(byRecorder.refused, announcement) && !changed && !fresh) return false;
  reserved.insert(reserved.end(), renewed.begin(), renewed.end());
  // Remembered before anything else can fail, so that no programme is
  // announced or reserved twice.
  rememberAnnounced(settings, check, check.fresh, listingMinuteOf(now));
  rememberReserved(settings, check, reserved, listingMinuteOf(now));
  settings.save();
  ++balloons;
  lastAnnouncement = announcement;
  return true;
}

LRESULT describeAnnouncement(HWND mainWindow, LPARAM replyWindow) {
  HWND asker = reinterpret_cast<HWND>(replyWindow);
  if (!IsWindow(asker)) return -1;
  const std::string description = std::to_string(balloons) + " " + std::to_string(lastAnnouncement.count) + " " +
                                  std::to_string(lastAnnouncement.reserved) + " " + lastAnnouncement.title +
                                  "\n" + lastAnnouncement.text;
  COPYDATASTRUCT reply = {};
  reply.dwData = kAnnouncementTag;
  reply.cbData = static_cast<DWORD>(description.size() + 1);
  reply.lpData = const_cast<char*>(description.c_str());
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(mainWindow),
                           reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG | SMTO_BLOCK, kReplyTimeoutMs,
                           &ignored))
    return -1;
  return balloons;
}
