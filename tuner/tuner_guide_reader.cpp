// TunerGuideReader: services and programmes from JSON to the import's guide.
#include "tuner/tuner_guide_reader.h"

#include <cstdint>

#include "calendar/calendar.h"
#include "job/progress_sink.h"
#include "listing/programme_extras.h"
#include "tuner/content_genres.h"
#include "xmltv/xmltv_text.h"

namespace {

// Service types a guide shows: digital television and radio, and their
// temporary, promotional and ultra-high-definition kinds (not data or one-seg).
bool isGuideService(long long type) {
  for (long long shown : {0x01, 0x02, 0xA1, 0xA2, 0xA5, 0xA6, 0xAD}) {
    if (type == shown) return true;
  }
  return false;
}

// Elements between two looks at the cancel.
constexpr int kCancelCheckEvery = 256;

std::string channelIdOf(long long networkId, long long serviceId) {
  return std::to_string(networkId * 100000 + serviceId);
}

GuideMinute minuteOfMilliseconds(long long milliseconds) {
  return guideMinuteOf(japanDateTimeOf(milliseconds / 1000));
}

// "heading\ntext\nheading\ntext", in the order the server gave.
std::string extendedText(const JsonValue* extended) {
  std::string out;
  if (!extended || extended->type != JsonType::Object) return out;
  for (std::size_t i = 0; i < extended->keys.size(); ++i) {
    if (extended->items[i].type != JsonType::String) continue;
    const std::string item = guideTextOfUtf8(extended->keys[i]) + "\n" + guideTextOfUtf8(extended->items[i].text);
    if (out.size() + item.size() + 1 > kTunerMaxExtendedBytes) break;
    out += (out.empty() ? "" : "\n") + item;
  }
  return out;
}

void readGenres(const JsonValue* genres, XmltvProgramme& out) {
  if (!genres || genres->type != JsonType::Array) return;
  for (const JsonValue& genre : genres->items) {
    const long long lv1 = genre.integerAt("lv1", -1), lv2 = genre.integerAt("lv2", -1);
    if (lv1 < 0 || lv1 > 15 || lv2 < 0 || lv2 > 15) continue;
    if (out.broadcast.genres.size() >= kMaxGenreClasses) break;
    out.broadcast.genres.emplace_back(static_cast<int>(lv1), static_cast<int>(lv2));
    const std::string text = contentGenreText(static_cast<int>(lv1), static_cast<int>(lv2));
    if (!text.empty() && out.categories.size() < kXmltvMaxCategories) out.categories.push_back(text);
  }
}

void readSeries(const JsonValue* series, BroadcastDetails& details) {
  if (!series || series->type != JsonType::Object) return;
  const long long id = series->integerAt("id"), episode = series->integerAt("episode"),
                  last = series->integerAt("lastEpisode");
  // A series id is 16 bits, an episode number 12.
  if (id <= 0 || id > 0xFFFF) return;
  details.seriesId = static_cast<int>(id);
  details.episode = episode > 0 && episode < 0x1000 ? static_cast<int>(episode) : 0;
  details.lastEpisode = last > 0 && last < 0x1000 ? static_cast<int>(last) : 0;
}

}  // namespace

bool tunerChannelOf(const JsonValue& service, XmltvChannel& channel) {
  const long long networkId = service.integerAt("networkId", -1), serviceId = service.integerAt("serviceId", -1);
  if (networkId < 0 || networkId > 0xFFFF || serviceId < 0 || serviceId > 0xFFFF) return false;
  if (!isGuideService(service.integerAt("type", 1))) return false;
  channel.id = channelIdOf(networkId, serviceId);
  channel.name = guideTextOfUtf8(service.stringAt("name"));
  channel.type.clear();
  if (const JsonValue* tuning = service.find("channel")) {
    const std::string type = tuning->stringAt("type");
    if (type == "GR" || type == "BS" || type == "CS" || type == "SKY") channel.type = type;
  }
  return true;
}

bool tunerProgrammeOf(const JsonValue& programme, XmltvProgramme& out) {
  out = XmltvProgramme();
  const long long networkId = programme.integerAt("networkId", -1), serviceId = programme.integerAt("serviceId", -1),
                  eventId = programme.integerAt("eventId", -1), startAt = programme.integerAt("startAt", -1),
                  duration = programme.integerAt("duration", -1);
  if (networkId < 0 || networkId > 0xFFFF || serviceId < 0 || serviceId > 0xFFFF || eventId < 0 ||
      eventId > 0xFFFF || startAt < 0 || startAt > (1LL << 50) || duration < 0 || duration > (1LL << 40)) {
    return false;
  }
  out.title = guideTextOfUtf8(programme.stringAt("name"));
  if (out.title.empty()) return false;
  out.channel = channelIdOf(networkId, serviceId);
  out.start = minuteOfMilliseconds(startAt);
  // A length under a minute is one the server does not know yet.
  out.hasStop = duration >= 60000;
  out.stop = minuteOfMilliseconds(startAt + duration);
  out.desc = guideTextOfUtf8(programme.stringAt("description"));
  BroadcastDetails& details = out.broadcast;
  details.networkId = static_cast<int>(networkId);
  details.serviceId = static_cast<int>(serviceId);
  details.eventId = static_cast<int>(eventId);
  details.programmeId = programme.integerAt("id", networkId * 10000000000LL + serviceId * 100000 + eventId);
  details.extended = extendedText(programme.find("extended"));
  readGenres(programme.find("genres"), out);
  readSeries(programme.find("series"), details);
  return true;
}

template <typename Element>
int TunerGuideReader::readArray(ByteSource& source, Element element) {
  struct Handler : JsonElementHandler {
    Element& element;
    ProgressSink& progress;
    int count = 0;
    bool cancelled = false;
    Handler(Element& e, ProgressSink& p) : element(e), progress(p) {}
    bool onElement(JsonValue& value) override {
      if (++count % kCancelCheckEvery == 0 && !progress.addBytes(0)) return !(cancelled = true);
      return element(value) || !(cancelled = true);
    }
  } handler(element, progress_);
  JsonLimits limits;
  limits.maxBytes = kTunerMaxAnswerBytes;
  limits.maxValues = 20000;
  JsonReader reader(source, limits);
  if (reader.readArray(handler)) return 1;
  if (handler.cancelled) return 0;
  error_ = reader.error();
  return -1;
}

int TunerGuideReader::readServices(ByteSource& source) {
  return readArray(source, [this](const JsonValue& service) {
    XmltvChannel channel;
    return !tunerChannelOf(service, channel) || handler_.onChannel(channel);
  });
}

int TunerGuideReader::readProgrammes(ByteSource& source) {
  return readArray(source, [this](const JsonValue& value) {
    XmltvProgramme programme;
    return !tunerProgrammeOf(value, programme) || handler_.onProgramme(programme);
  });
}
