#include "xmltv/xmltv_channel_list.h"

#include <set>

#include "bytes/file_system.h"
#include "guide/guide_cache.h"
#include "net/retry_policy.h"
#include "xmltv/xmltv_document.h"
#include "xmltv/xmltv_guide.h"

namespace {

// Where a fetched document waits while its channels are read.
const char kDownloadName[] = "xmltvchl.xml";

class ChannelCollector : public XmltvHandler {
 public:
  explicit ChannelCollector(std::vector<XmltvChannel>& channels) : channels_(channels) {}

  bool onChannel(const XmltvChannel& channel) override {
    declared_ = true;
    add(channel);
    return true;
  }
  // The first programme after declared channels ends the reading.
  bool onProgramme(const XmltvProgramme& programme) override {
    if (declared_) return false;
    add(XmltvChannel{programme.channel, programme.channel});
    return true;
  }

 private:
  void add(const XmltvChannel& channel) {
    if (channels_.size() >= static_cast<std::size_t>(kXmltvMaxChannels)) return;
    if (seen_.insert(channel.id).second) channels_.push_back(channel);
  }

  std::vector<XmltvChannel>& channels_;
  std::set<std::string> seen_;
  bool declared_ = false;
};

}  // namespace

int readXmltvChannels(GuideCache& cache, const std::string& source, std::vector<XmltvChannel>& channels,
                      ProgressSink& progress) {
  channels.clear();
  ChannelCollector collector(channels);
  if (!isXmltvUrl(source)) {
    return readXmltvDocument(localFileSystem(), source, source, collector, progress) < 0
               ? -1
               : static_cast<int>(channels.size());
  }
  const std::string directory = cache.cacheDirectory();
  if (directory.empty()) return cache.failForDirectory(progress);
  const std::string download = directory + kDownloadName;
  // A look at the channels: one try, no waiting between tries.
  RetryPolicy once;
  once.attempts = 1;
  XmltvFetch fetch;
  const bool read = fetchXmltvDocument(cache, source, download, once, progress, fetch) &&
                    readXmltvDocument(cache.files(), download, source, collector, progress) >= 0;
  cache.files().remove(download);
  return read ? static_cast<int>(channels.size()) : -1;
}
