// GuideCache::replaceTableFile: a slot's table file replaced in one move,
// as the refresh and the XMLTV import replace the tables they renew.
#include <string>

#include "bytes/local_file.h"
#include "guide/guide_cache.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/failure_text.h"
#include "os/os.h"
#include "programme/page_files.h"

namespace {

bool sameFileBytes(const std::string& a, const std::string& b) {
  LocalFile first, second;
  if (!first.openForRead(a) || !second.openForRead(b)) return false;
  char x[4096], y[4096];
  for (;;) {
    int n = first.read(x, sizeof x);
    int m = second.read(y, sizeof y);
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
  if (!writeTableFileInPlace(next, table)) {
    progress.describeFailure(fileFailureText("cannot write", next));
    progress.reportError(job::kSaveFailed);
    return Replacement::Failed;
  }
  if (sameFileBytes(next, path)) {
    os::removeFile(next);
    return Replacement::Unchanged;
  }
  if (!os::replaceFile(next, path)) {
    progress.describeFailure(fileFailureText("cannot replace", path));
    os::removeFile(next);
    progress.reportError(job::kSaveFailed);
    return Replacement::Failed;
  }
  return Replacement::Replaced;
}
