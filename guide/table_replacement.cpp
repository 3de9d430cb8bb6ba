// GuideCache::replaceTableFile: a slot's table file replaced in one move,
// as the refresh and the XMLTV import replace the tables they renew.
#include <memory>
#include <string>

#include "bytes/file_system.h"
#include "guide/guide_cache.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/failure_text.h"
#include "programme/page_files.h"

namespace {

bool sameFileBytes(FileSystem& files, const std::string& a, const std::string& b) {
  std::unique_ptr<Stream> first = files.openForRead(a);
  std::unique_ptr<Stream> second = first ? files.openForRead(b) : nullptr;
  if (!second) return false;
  char x[4096], y[4096];
  for (;;) {
    int n = first->read(x, sizeof x);
    int m = second->read(y, sizeof y);
    if (n != m || n < 0) return false;
    if (n == 0) return true;
    if (std::string(x, n) != std::string(y, m)) return false;
  }
}

}  // namespace

GuideCache::Replacement GuideCache::replaceTableFile(int slotKey, const ProgrammeTable& table,
                                                     ProgressSink& progress) {
  const std::string path = tableFileName(slotKey);
  const std::string next = slotFileName(slotKey, "tnw");
  if (!writeTableFileInPlace(files(), next, table)) {
    progress.describeFailure(fileFailureText("cannot write", next));
    progress.reportError(job::kSaveFailed);
    return Replacement::Failed;
  }
  if (sameFileBytes(files(), next, path)) {
    files().remove(next);
    return Replacement::Unchanged;
  }
  if (!files().replace(next, path)) {
    progress.describeFailure(fileFailureText("cannot replace", path));
    files().remove(next);
    progress.reportError(job::kSaveFailed);
    return Replacement::Failed;
  }
  return Replacement::Replaced;
}
