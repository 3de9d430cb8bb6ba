// The watch list's check in the window.
#include "ui/watch_announcer.h"

#include <memory>
#include <thread>

#include "guide/guide_cache.h"
#include "net/clock.h"
#include "ui/companion_launcher.h"
#include "ui/search_view.h"
#include "ui/window_context.h"

namespace {
constexpr UINT kReplyTimeoutMs = 2000;
}  // namespace

// A check whose matches are with the recorder; its answers come back as
// kRecorderAnswered.
struct WatchAnnouncer::RecorderCheck {
  std::vector<WatchChange> changes;
  WatchCheck check;
  DateTime now;
  RecorderReservations byRecorder;
};

// The matches really handed over; one the cache lost is left for later.
std::vector<ProgrammeRecord> WatchAnnouncer::reserve(const std::vector<ProgrammeRecord>& records) {
  // A crawl may have rewritten the day a reservation was last made on.
  search_.forgetMatchDay();
  std::vector<ProgrammeRecord> reserved;
  for (const ProgrammeRecord& record : records) {
    std::string arguments;
    if (!search_.matchReservationArguments(record, arguments)) continue;
    companion_.launch(arguments);
    reserved.push_back(record);
  }
  return reserved;
}

bool WatchAnnouncer::announceCheck(const std::vector<WatchChange>& changes, const WatchCheck& check,
                                   const DateTime& now, bool recorderSet, const RecorderReservations& byRecorder,
                                   WatchAnnouncement& announcement) {
  SettingsStore& settings = context_.settings;
  const bool companionInstalled = companion_.installed();
  std::vector<ProgrammeRecord> reserved =
      recorderSet ? byRecorder.reserved : reserve(matchesToReserve(check, companionInstalled));
  // The recorder follows a reserved programme's move itself.
  const std::vector<ProgrammeRecord> renewed = !recorderSet && companionInstalled
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
  ++balloons_;
  lastAnnouncement_ = announcement;
  return true;
}

// A recorder that does not answer may take the client's whole time limit
// for each match: the window goes on meanwhile.
void WatchAnnouncer::askRecorder(HWND owner, const std::string& recorder, RecorderCheck* pending) {
  recorderAsked_ = true;
  std::thread([owner, recorder, pending] {
    RecorderClient client(recorder, systemClock());
    pending->byRecorder = reserveWithRecorder(client, pending->check.toReserve);
    if (!PostMessageA(owner, kRecorderAnswered, 0, reinterpret_cast<LPARAM>(pending))) delete pending;
  }).detach();
}

bool WatchAnnouncer::checkNow(HWND owner, const std::vector<WatchChange>& changes, WatchAnnouncement& announcement) {
  if (recorderAsked_) {
    checkHeld_ = true;
    heldChanges_.insert(heldChanges_.end(), changes.begin(), changes.end());
    return false;
  }
  context_.followWatchSettings();
  const DateTime now = context_.guide.now();
  WatchCheck check = checkWatchList(context_.guide, now);
  const std::string recorder = context_.settings.recorder();
  if (recorder.empty() || check.toReserve.empty())
    return announceCheck(changes, check, now, !recorder.empty(), RecorderReservations(), announcement);
  askRecorder(owner, recorder, new RecorderCheck{changes, std::move(check), now, RecorderReservations()});
  return false;
}

bool WatchAnnouncer::takeRecorderAnswer(LPARAM answered, WatchAnnouncement& announcement) {
  std::unique_ptr<RecorderCheck> pending(reinterpret_cast<RecorderCheck*>(answered));
  recorderAsked_ = false;
  return announceCheck(pending->changes, pending->check, pending->now, true, pending->byRecorder, announcement);
}

bool WatchAnnouncer::takeHeldCheck(std::vector<WatchChange>& changes) {
  if (!checkHeld_) return false;
  checkHeld_ = false;
  changes.swap(heldChanges_);
  heldChanges_.clear();
  return true;
}

LRESULT WatchAnnouncer::describe(HWND mainWindow, LPARAM replyWindow) const {
  HWND asker = reinterpret_cast<HWND>(replyWindow);
  if (!IsWindow(asker)) return -1;
  const std::string description = std::to_string(balloons_) + " " + std::to_string(lastAnnouncement_.count) + " " +
                                  std::to_string(lastAnnouncement_.reserved) + " " + lastAnnouncement_.title +
                                  "\n" + lastAnnouncement_.text;
  COPYDATASTRUCT reply = {};
  reply.dwData = kAnnouncementTag;
  reply.cbData = static_cast<DWORD>(description.size() + 1);
  reply.lpData = const_cast<char*>(description.c_str());
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(mainWindow),
                           reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG | SMTO_BLOCK, kReplyTimeoutMs,
                           &ignored))
    return -1;
  return balloons_;
}
