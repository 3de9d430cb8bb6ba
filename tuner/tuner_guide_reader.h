// TunerGuideReader: a tuner server's JSON API (GET /api/services, GET
// /api/programs) handed to an XmltvHandler as the XMLTV reader hands over a
// document, so that the import's guide, its rules and its slot writing
// serve both. Each programme keeps what the JSON adds (ids, genre classes,
// the extended texts, the series' numbers); texts become Shift-JIS with the
// enclosed marks as bracket marks, as in the XMLTV import.
//
// Calling protocol: readServices, then readProgrammes, each over the
// answer's bytes; on failure error() says why (Shift-JIS).
#pragma once

#include <string>

#include "json/json_reader.h"
#include "xmltv/xmltv_reader.h"

class ByteSource;
class ProgressSink;

// What the answers may cost: a household's week is 30-50 MB.
constexpr std::size_t kTunerMaxAnswerBytes = 192u * 1024 * 1024;
// The extended texts of one programme kept, in Shift-JIS bytes.
constexpr std::size_t kTunerMaxExtendedBytes = 2000;

// A service of /api/services as a channel: its id as the tuner server's
// XMLTV writes it (network id × 10^5 + service id). False for a service that
// is no channel of a guide (a data or one-seg service) or lacks its ids.
bool tunerChannelOf(const JsonValue& service, XmltvChannel& channel);
// A programme of /api/programs; false when it lacks its ids, start or name.
bool tunerProgrammeOf(const JsonValue& programme, XmltvProgramme& out);

class TunerGuideReader {
 public:
  TunerGuideReader(XmltvHandler& handler, ProgressSink& progress) : handler_(handler), progress_(progress) {}

  // 1 when read whole, 0 when stopped (a cancel), -1 on failure.
  int readServices(ByteSource& source);
  int readProgrammes(ByteSource& source);
  const std::string& error() const { return error_; }

 private:
  template <typename Element>
  int readArray(ByteSource& source, Element element);

  XmltvHandler& handler_;
  ProgressSink& progress_;
  std::string error_;
};
