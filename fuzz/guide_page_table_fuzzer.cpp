// Fuzzes the slot tables the XMLTV import builds: a page made of the input's
// channel names and programmes must give, built directly, the very table its
// reader reads from the page's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_bytes.h"
#include "programme/guide_page.h"
#include "programme/programme_page_reader.h"

namespace {

// The input taken a field at a time: a byte, or a text of up to 63 bytes.
class Fields {
 public:
  Fields(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool more() const { return at_ < size_; }
  int byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string text() {
    const std::size_t length = static_cast<std::size_t>(byte() % 64);
    std::string out;
    for (std::size_t i = 0; i < length && at_ < size_; ++i) out += static_cast<char>(data_[at_++]);
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

GuidePage pageOf(Fields& fields) {
  GuidePage page(5 + 4 * (fields.byte() % 6));
  const int channels = 1 + fields.byte() % 6;
  for (int channel = 0; channel < channels; ++channel) {
    std::string name = fields.text();
    for (char& c : name) {
      if (c == '"') c = '\'';  // the import never writes a quote into an alt text
    }
    page.addChannel(name);
  }
  while (fields.more()) {
    PageProgramme programme;
    programme.channel = fields.byte() % channels;
    programme.start = fields.byte() + (fields.byte() & 1) * 256;
    programme.length = fields.byte();
    programme.style = static_cast<StartStyle>(fields.byte() % 3);
    programme.colour = fields.byte() * 0x10101 ^ fields.byte();
    programme.clock = fields.text();
    for (char& c : programme.clock) {
      // The import writes a clock as "HH:MM"; the builder declines markup there.
      if (static_cast<unsigned char>(c) <= 0x20 || c == '<' || c == '>' || c == '&' || c == '"') c = ':';
    }
    programme.title = fields.text();
    programme.detail = fields.text();
    page.addProgramme(programme);
  }
  return page;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Fields fields(data, size);
  const GuidePage page = pageOf(fields);
  ProgrammeTable read, built;
  StringByteSource source(page.eucJp());
  const bool readable = readPage(source, read);
  if (page.buildTable(built) != readable) std::abort();
  if (readable && fileOf(read) != fileOf(built)) std::abort();
  return 0;
}
