// The channels of an XMLTV document, for choosing which of them the guide
// shows ("xmltvchannels"). Only the head of the document is read: the
// channels are declared before the programmes.
#pragma once

#include <string>
#include <vector>

#include "xmltv/xmltv_reader.h"

class GuideCache;
class ProgressSink;

// Reads the channels of the document at `source` (a file path or an
// http:// URL, fetched once into the cache directory and deleted after),
// in document order, the first of each id, at most kXmltvMaxChannels. A
// document that declares none before its programmes gives its programmes'
// channel ids, each named by its id, as the import names them. -1 on
// failure (reported), else the number of channels.
int readXmltvChannels(GuideCache& cache, const std::string& source, std::vector<XmltvChannel>& channels,
                      ProgressSink& progress);
