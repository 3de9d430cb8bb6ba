// Fuzzes the HTML tokenizer: any bytes, with a handler that checks what it
// is given and sometimes asks to stop; and a tokenizer keeping only some
// attributes, whose events must be the others' less the attributes dropped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

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

// Every event as a string; with `only`, the attributes of other names left out.
class RecordingHandler : public HtmlHandler {
 public:
  explicit RecordingHandler(std::vector<std::string> only) : only_(std::move(only)) {}
  bool onText(const std::string& text) override { return record("T" + text); }
  bool onStartTag(const std::string& name, const StringMap& attributes) override {
    std::string event = "S" + name;
    for (const auto& attribute : attributes) {
      bool kept = only_.empty();
      for (const std::string& wanted : only_) kept = kept || wanted == attribute.first;
      if (kept) event += std::string(1, '\0') + attribute.first + "=" + attribute.second;
    }
    return record(event);
  }
  bool onEndTag(const std::string& name) override { return record("E" + name); }
  std::vector<std::string> events;

 private:
  bool record(const std::string& event) {
    events.push_back(event);
    return true;
  }
  std::vector<std::string> only_;
};

// The bytes in spans of `cut` bytes: where a span ends matters to what the
// tokenizer keeps.
class CutSource : public ByteSource {
 public:
  CutSource(const std::uint8_t* data, std::size_t size, std::size_t cut) : data_(data), size_(size), cut_(cut) {}
  int nextByte() override { return at_ < size_ ? data_[at_++] : -1; }
  int peekSpan(const unsigned char*& bytes) override {
    bytes = data_ + at_;
    return static_cast<int>(size_ - at_ < cut_ ? size_ - at_ : cut_);
  }
  void consume(int count) override { at_ += static_cast<std::size_t>(count); }

 private:
  const std::uint8_t* data_;
  std::size_t size_, cut_, at_ = 0;
};

void checkKeptAttributes(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> kept = {"bgcolor", "alt", "a"};
  StringByteSource all(data, size);
  CutSource some(data, size, size > 1 ? data[1] % 16 + 1 : 1);
  RecordingHandler everything(kept), filtered({});
  HtmlTokenizer whole, keeping;
  keeping.keepOnlyAttributes(kept);
  whole.run(&all, &everything);
  keeping.run(&some, &filtered);
  if (everything.events != filtered.events) std::abort();
}

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
  checkKeptAttributes(data, size);
  return 0;
}
