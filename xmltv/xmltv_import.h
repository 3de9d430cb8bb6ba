// The XMLTV import: a document, from a file or over HTTP, turned into the
// table files of its slots through the guide page reader. A slot's table
// gives way only to one at least as complete, as in the refresh.
#pragma once

#include <string>
#include <vector>

class GuideCache;
class ProgressSink;
class XmltvGuide;

struct XmltvImportOptions {
  // Every slot of the document takes the place of the stored one, however
  // much less it holds (import-xmltv --replace).
  bool replace = false;
  // A URL already imported over the same days is asked with the validators
  // of that fetch ("xmltvsrc.tag" in the cache directory); a 304 answer
  // leaves every table as it is.
  bool conditional = false;
};

// Reads the document at `source` (a file path or an http:// URL) and writes
// the table files of every slot of the broadcast days firstDay .. lastDay
// (day numbers) that it holds. -1 on failure (nothing written, the message
// reported), else the slots that now hold the document's programmes; 0 too
// when the document had not changed.
int importXmltv(GuideCache& cache, const std::string& source, int firstDay, int lastDay,
                ProgressSink& progress, const XmltvImportOptions& options = {});

// The import's writing of the slots of `days` from a gathered guide, for
// the other sources that gather one: each table gives way only to one at
// least as complete (unless `replace`), the extras written beside it. -1
// when a table could not be written, else the slots taken.
int writeGuideSlots(GuideCache& cache, XmltvGuide& guide, const std::vector<int>& days, bool replace,
                    ProgressSink& progress);
