#include "tools/demo_guide/demo_pages.h"

#include "calendar/calendar.h"
#include "os/text.h"
#include "tools/guide_pages/sample_schedule.h"

namespace {

const int kAreaChannels = 12;
const int kPersonalChannelsPerPage = 4;
const int kPersonalPages = 9;

// Each date and table gets its own day of television, the same every time.
unsigned seedOf(const DemoSlot& slot) {
  unsigned seed = static_cast<unsigned>(dayNumber(slot.year, slot.month, slot.day));
  for (unsigned char c : slot.table) seed = seed * 131 + c;
  return seed;
}

// The first programme of the first channel that starts at 20:00 or later.
void giveMarkupTitle(SampleSchedule& schedule) {
  for (ScheduledProgramme& programme : schedule.programmes) {
    if (programme.channel == 0 && programme.start >= 15 * 60) {
      programme.title = os::utf8ToCp932(kMarkupTitle);
      return;
    }
  }
}

}  // namespace

const char kMarkupTitle[] =
    "<script>window.rokubanInjected=1</script>\"'><img src=x onerror=\"window.rokubanInjected=2\">夜の特集";

std::string demoPage(const DemoSlot& slot, bool markupTitle) {
  const bool personal = !slot.table.empty() && slot.table[0] == '_';
  const int channels = personal ? kPersonalChannelsPerPage * kPersonalPages : kAreaChannels;
  SampleSchedule schedule = sampleSchedule(channels, seedOf(slot));
  if (markupTitle) giveMarkupTitle(schedule);
  GuidePage page = personal ? slotPage(schedule, slot.hour, 60,
                                       (slot.page - 1) * kPersonalChannelsPerPage,
                                       kPersonalChannelsPerPage)
                            : slotPage(schedule, slot.hour);
  return page.eucJp();
}
