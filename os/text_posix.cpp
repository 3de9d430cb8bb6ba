#include "os/text.h"

#include <iconv.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "os/lead_byte.h"
#include "os/text_native.h"

namespace os {

namespace {

// An iconv descriptor holds conversion state, so no two threads may share
// one (the sync server lists its folder on several threads at once): each
// thread opens its own and closes it when the thread ends.
class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~Converter() {
    if (descriptor_ != reinterpret_cast<iconv_t>(-1)) iconv_close(descriptor_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  iconv_t descriptor() const { return descriptor_; }

 private:
  iconv_t descriptor_;
};

iconv_t toUtf8() {
  thread_local const Converter converter("UTF-8", "CP932");
  return converter.descriptor();
}

iconv_t toCp932() {
  thread_local const Converter converter("CP932", "UTF-8");
  return converter.descriptor();
}

// Converts one character; false when iconv refuses it.
bool convertOne(iconv_t converter, const char* in, std::size_t length, std::string& out) {
  char buffer[16];
  char* input = const_cast<char*>(in);
  char* output = buffer;
  std::size_t inLeft = length, outLeft = sizeof buffer;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &input, &inLeft, &output, &outLeft) == static_cast<std::size_t>(-1) ||
      inLeft != 0) {
    return false;
  }
  out.append(buffer, output - buffer);
  return true;
}

}  // namespace

namespace {

// What iconv made of each character it was given, kept for the process: a
// call per character made a week's export spend most of its time in iconv.
// An entry is 0 until known, then kKnown | bytes << 8 | length (0: refused).
// Threads that race to fill one write the same value.
constexpr std::uint64_t kKnown = std::uint64_t{1} << 63;
std::atomic<std::uint64_t> gConverted[128 + 128 * 256];

std::size_t entryOf(const unsigned char* character, std::size_t length) {
  return length == 1 ? character[0] - 0x80u : 128 + (character[0] - 0x80u) * 256 + character[1];
}

// Writes the UTF-8 of one character (one byte from 0x80, or a lead byte
// and the next) at `out`; its length, 0 when iconv refuses it.
std::size_t writeConverted(const char* character, std::size_t length, char* out) {
  std::atomic<std::uint64_t>& entry = gConverted[entryOf(reinterpret_cast<const unsigned char*>(character), length)];
  std::uint64_t known = entry.load(std::memory_order_relaxed);
  if (known == 0) {
    std::string converted;
    known = kKnown;
    if (convertOne(toUtf8(), character, length, converted) && converted.size() <= 4) {
      known |= converted.size();
      for (std::size_t i = 0; i < converted.size(); ++i) {
        known |= std::uint64_t{static_cast<unsigned char>(converted[i])} << (8 + 8 * i);
      }
    }
    entry.store(known, std::memory_order_relaxed);
  }
  // All four bytes written (the caller leaves room), only `size` counted.
  out[0] = static_cast<char>(known >> 8 & 0xFF);
  out[1] = static_cast<char>(known >> 16 & 0xFF);
  out[2] = static_cast<char>(known >> 24 & 0xFF);
  out[3] = static_cast<char>(known >> 32 & 0xFF);
  return known & 7;
}

}  // namespace

std::string cp932ToUtf8(const std::string& text) {
  // Written through an index into room grown as it fills: a character at a
  // time through append was most of an export's time, and room for the
  // longest result would touch three times a large document's size.
  static const char kReplacement[] = "\xEF\xBF\xBD";
  // isLeadByte asked once a byte value, not once a character converted.
  static const std::vector<unsigned char> leads = [] {
    std::vector<unsigned char> bytes(256);
    for (unsigned byte = 0; byte < 256; ++byte) bytes[byte] = isLeadByte(static_cast<unsigned char>(byte));
    return bytes;
  }();
  std::string out(text.size() + text.size() / 2 + 4, '\0');
  std::size_t at = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (out.size() - at < 4) out.resize(out.size() * 2);
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out[at++] = static_cast<char>(byte);
      ++i;
      continue;
    }
    std::size_t length = leads[byte] && i + 1 < text.size() ? 2 : 1;
    std::size_t written = writeConverted(text.data() + i, length, &out[at]);
    if (written == 0) {
      std::memcpy(&out[at], kReplacement, 3);
      written = 3;
      length = 1;
    }
    at += written;
    i += length;
  }
  out.resize(at);
  return out;
}

std::string nativeCodePointToCp932(unsigned codePoint) {
  // iconv reads UTF-8 here; code points are whole characters by now.
  char utf8[4];
  std::size_t length;
  if (codePoint < 0x800) {
    utf8[0] = static_cast<char>(0xC0 | codePoint >> 6);
    utf8[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 2;
  } else if (codePoint < 0x10000) {
    utf8[0] = static_cast<char>(0xE0 | codePoint >> 12);
    utf8[1] = static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    utf8[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 3;
  } else {
    utf8[0] = static_cast<char>(0xF0 | codePoint >> 18);
    utf8[1] = static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
    utf8[2] = static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    utf8[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 4;
  }
  std::string out;
  return convertOne(toCp932(), utf8, length, out) ? out : std::string();
}

std::string argumentToCp932(const std::string& argument) { return utf8ToCp932(argument); }

std::string executablePath() {
  std::vector<char> buffer(4096);
  ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return length > 0 ? std::string(buffer.data(), length) : std::string();
}

std::string environmentVariable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool stderrIsTerminal() { return ::isatty(2) != 0; }

bool localeIsJapanese() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::string value = environmentVariable(name);
    if (!value.empty()) return value.compare(0, 2, "ja") == 0;
  }
  return false;
}

}  // namespace os
