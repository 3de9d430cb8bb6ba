// The XMLTV dialog's reading thread.
#include "ui/xmltv_channel_reading.h"

#include "xmltv/xmltv_channel_list.h"

int XmltvChannelReading::run() {
  result = readXmltvChannels(cache_, source_, channels, *this);
  PostMessageA(dialog_, kXmltvReadingDone, 0, 0);
  return result;
}

bool XmltvChannelReading::reportError(const JobMessage& message) {
  if (error.empty()) error = message.text;
  return false;
}
