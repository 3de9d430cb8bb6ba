// Fuzzes the HTML tokenizer: any bytes, with a handler that checks what it
// is given and sometimes asks to stop.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_bytes.h"
#include "programme/html_tokenizer.h"

namespace {

class CheckingHandler : public HtmlHandler {
 public:
  explicit CheckingHandler(int stopAt) : stopAt_(stopAt) {}
  bool onText(const std::string& text) override {
    // Flushed text is never empty and never starts or ends with a byte of
    // collapsed white (a decoded &nbsp; is an ordinary space).
    if (text.empty()) std::abort();
    return next();
  }
  bool onStartTag(const std::string& name, const StringMap& attributes) override {
    for (char c : name) {
      if (c >= 'A' && c <= 'Z') std::abort();
    }
    for (const auto& attribute : attributes) {
      if (attribute.first.empty()) std::abort();
      for (char c : attribute.first) {
        if ((c >= 'A' && c <= 'Z') || c == ' ' || c == '=') std::abort();
      }
    }
    return next();
  }
  bool onEndTag(const std::string& name) override { return next(); }
  bool stopped() const { return stopped_; }

 private:
  bool next() {
    if (stopped_) std::abort();  // nothing may follow a refusal
    stopped_ = ++events_ == stopAt_;
    return !stopped_;
  }
  int stopAt_;
  int events_ = 0;
  bool stopped_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte chooses after which event (if any) the handler says stop.
  int stopAt = size > 0 ? data[0] % 16 : 0;
  StringByteSource source(data, size);
  CheckingHandler handler(stopAt == 0 ? -1 : stopAt);
  HtmlTokenizer tokenizer;
  bool finished = tokenizer.run(&source, &handler);
  if (finished == handler.stopped()) std::abort();
  if (finished && source.position() != size) std::abort();
  return 0;
}
