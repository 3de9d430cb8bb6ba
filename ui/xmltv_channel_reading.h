// XmltvChannelReading: reads the channels of an XMLTV document on its own
// thread for the XMLTV dialog, and posts kXmltvReadingDone to the dialog
// as its last act. The dialog starts it once, waits for it (join) when
// that message comes or before it closes, and only then reads the result.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "job/progress_sink.h"
#include "ui/thread_task.h"
#include "xmltv/xmltv_reader.h"

class GuideCache;

constexpr UINT kXmltvReadingDone = WM_APP + 20;

class XmltvChannelReading : public ProgressSink, public ThreadTask {
 public:
  XmltvChannelReading(HWND dialog, GuideCache& cache, std::string source)
      : dialog_(dialog), cache_(cache), source_(std::move(source)) {}

  int run() override;
  // From the dialog's thread: the reading stops at its next report.
  void cancel() { cancelled_.store(true, std::memory_order_relaxed); }

  bool setFileTotal(int) override { return going(); }
  bool beginFile(const std::string&) override { return going(); }
  bool setByteTotal(int) override { return going(); }
  bool addBytes(int) override { return going(); }
  int addByteRun(int n) override { return going() ? n : 0; }
  bool reportError(const JobMessage& message) override;
  bool flushBytes() override { return true; }
  bool showStatus(const JobMessage&) override { return going(); }

  // After the join: run's result, the channels and the failure's message.
  int result = -1;
  std::vector<XmltvChannel> channels;
  std::string error;

 private:
  bool going() const { return !cancelled_.load(std::memory_order_relaxed); }

  HWND dialog_;
  GuideCache& cache_;
  std::string source_;
  std::atomic<bool> cancelled_{false};
};
