// The watch list's check in the window.
#include "ui/watch_announcer.h"

#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "app/application.h"
#include "guide/guide_cache.h"
#include "net/clock.h"
#include "recorder/recorder_reservations.h"
#include "ui/companion_launcher.h"
#include "ui/search_view.h"
#include "watch/watch_check.h"

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

// A check whose matches are with the recorder; its answers come back as
// kRecorderAnswered.
struct RecorderCheck {
  std::vector<WatchChange> changes;
  WatchCheck check;
  DateTime now;
  RecorderReservations byRecorder;
};

bool recorderAsked = false;
// Changes of checks asked for while the recorder answers: one check after it.
bool checkHeld = false;
std::vector<WatchChange> heldChanges;

bool announceCheck(const std::vector<WatchChange>& changes, const WatchCheck& check, const DateTime& now,
                   bool recorderSet, const RecorderReservations& byRecorder, WatchAnnouncement& announcement) {
  SettingsStore& settings = Application::instance().settings();
  std::vector<ProgrammeRecord> reserved =
      recorderSet ? byRecorder.reserved : reserve(matchesToReserve(check, companionInstalled()));
  // The recorder follows a reserved programme's move itself.
  const std::vector<ProgrammeRecord> renewed = !recorderSet && companionInstalled()
                                                   ? reserve(movedReservations(changes, settings))
                                                   : std::vector<ProgrammeRecord>();
  const bool fresh = watchAnnouncement(check.fresh, static_cast<int>(reserved.size()), announcement);
  const bool changed = addWatchChanges(changes, static_cast<int>(renewed.size()), announcement);
  if (!addRecorderRefusals(byRecorder.refused, announcement) && !changed && !fresh) return false;
  reserved.insert(reserved.end(), renewed.begin(), renewed.end());
  // Remembered before anything else can fail, so that no programme is
  // announced or reserved twice.
  rememberAnnounced(settings, check, check.fresh, guideMinuteOf(now));
  rememberReserved(settings, check, reserved, guideMinuteOf(now));
  settings.save();
  ++balloons;
  lastAnnouncement = announcement;
  return true;
}

// A recorder that does not answer may take the client's whole time limit
// for each match: the window goes on meanwhile.
void askRecorder(HWND owner, const std::string& recorder, RecorderCheck* pending) {
  recorderAsked = true;
  std::thread([owner, recorder, pending] {
    RecorderClient client(recorder, systemClock());
    pending->byRecorder = reserveWithRecorder(client, pending->check.toReserve);
    if (!PostMessageA(owner, kRecorderAnswered, 0, reinterpret_cast<LPARAM>(pending))) delete pending;
  }).detach();
}
}  // namespace

bool checkWatchListNow(HWND owner, const std::vector<WatchChange>& changes, WatchAnnouncement& announcement) {
  if (recorderAsked) {
    checkHeld = true;
    heldChanges.insert(heldChanges.end(), changes.begin(), changes.end());
    return false;
  }
  Application::instance().followWatchSettings();
  const DateTime now = currentDateTime();
  WatchCheck check = checkWatchList(Application::instance().guide(), now);
  const std::string recorder = Application::instance().settings().recorder();
  if (recorder.empty() || check.toReserve.empty())
    return announceCheck(changes, check, now, !recorder.empty(), RecorderReservations(), announcement);
  askRecorder(owner, recorder, new RecorderCheck{changes, std::move(check), now, RecorderReservations()});
  return false;
}

bool takeRecorderAnswer(LPARAM answered, WatchAnnouncement& announcement) {
  std::unique_ptr<RecorderCheck> pending(reinterpret_cast<RecorderCheck*>(answered));
  recorderAsked = false;
  return announceCheck(pending->changes, pending->check, pending->now, true, pending->byRecorder, announcement);
}

bool takeHeldCheck(std::vector<WatchChange>& changes) {
  if (!checkHeld) return false;
  checkHeld = false;
  changes.swap(heldChanges);
  heldChanges.clear();
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
