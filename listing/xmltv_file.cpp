// Atomic writes and the kept XMLTV file.
#include "listing/xmltv_file.h"

#include "bytes/local_file.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/listing.h"
#include "listing/xmltv_writer.h"
#include "os/os.h"

const char kXmltvFileNotWritten[] =
    "XMLTV\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8f\x91\x82\xaf\x82\xdc\x82\xb9\x82\xf1";

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".new";
  bool complete;
  {
    LocalFile file;
    if (!file.createForWrite(temporary)) return false;
    complete = true;
    for (std::size_t done = 0; complete && done < bytes.size();) {
      const int written = file.write(bytes.data() + done, static_cast<int>(bytes.size() - done));
      complete = written > 0;
      if (complete) done += static_cast<std::size_t>(written);
    }
    complete = file.close() && complete;
  }
  if (!complete || !os::replaceFile(temporary, path)) {
    os::removeFile(temporary);
    return false;
  }
  return true;
}

bool refreshXmltvFile(GuideCache& cache, const DateTime& now) {
  const std::string path = cache.settings().xmltvFile();
  if (path.empty()) return true;
  Listing listing = collectListing(cache, defaultListingRange(now));
  return writeFileAtomically(path, xmltvDocument(listing));
}

bool refreshXmltvFile(SettingsStore& settings, const DateTime& now) {
  GuideCache cache(settings);
  return refreshXmltvFile(cache, now);
}
