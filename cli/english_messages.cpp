#include "cli/english_messages.h"

#include "job/job_messages.h"

namespace {

struct EnglishForm {
  const char* japanese;  // found anywhere in the message, up to its first number
  const char* english;
};

// Longer texts before the shorter ones they hold.
const EnglishForm kForms[] = {
    {job::kNoCacheFolder, "the cache folder is missing"},
    {job::kServerConnecting, "connecting to the server"},
    {job::kSearching, "searching"},
    {job::kDeleting, "deleting"},
    {job::kChecking, "checking the cache"},
    {job::kAllPresent, "every slot is present"},
    {job::kSigningIn, "signing in"},
    {job::kSaveFailed, "could not save"},
    {job::kConnectFailed, "connection failed"},
    {job::kSendFailed, "sending failed"},
    {job::kReceiveFailed, "receiving failed"},
    {job::kReceiving, "receiving"},
    {job::kResume, "resuming"},
    {job::kConnecting, "connecting"},
    {job::kRetryIn, "waiting to retry"},
    {job::kInterrupted, "interrupted"},
    {job::kListing, "fetching the list"},
    {job::kFetching, "fetching files"},
    {job::kSendError, "sending error"},
    {job::kReceiveError, "receiving error"},
    {job::kCommunicationError, "communication error"},
    {job::kTablesKept, "these slots keep their tables: the new ones lack channels or programmes"},
    {job::kXmltvUnchanged, "the XMLTV document has not changed"},
    {job::kXmltvUnreadableForm, "the XMLTV document must be a file or an http:// URL"},
    {job::kXmltvCannotOpen, "cannot open the XMLTV document"},
    {job::kChunkedAnswer, "the answer came in chunks (Transfer-Encoding: chunked), which is not read"},
    {job::kCompressedAnswer, "the answer came compressed (Content-Encoding), which is not read"},
    {job::kXmltvTooLarge, "the XMLTV document is over 256 MB"},
    {job::kTunerReading, "reading the tuner server's guide..."},
    {job::kTunerCannotOpen, "cannot open the tuner server's answer"},
};

// The part of a message that stays the same: a message with a number
// ("%d") is known by its text before it.
std::string fixedPart(const char* message) {
  const std::string text = message;
  return text.substr(0, text.find('%'));
}

}  // namespace

std::string withEnglish(const std::string& cp932) {
  for (const EnglishForm& form : kForms) {
    if (cp932.find(fixedPart(form.japanese)) != std::string::npos) return cp932 + " (" + form.english + ")";
  }
  return cp932;
}
