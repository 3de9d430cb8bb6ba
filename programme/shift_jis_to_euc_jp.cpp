// Shift-JIS to EUC-JP by arithmetic on the JIS row and cell.
#include "programme/shift_jis_to_euc_jp.h"

namespace {

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF); }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

}  // namespace

std::string shiftJisToEucJp(const std::string& shiftJis) {
  std::string euc;
  euc.reserve(shiftJis.size() + shiftJis.size() / 8);
  for (std::size_t i = 0; i < shiftJis.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(shiftJis[i]);
    if (c < 0x80) {
      euc += static_cast<char>(c);
    } else if (c >= 0xA1 && c <= 0xDF) {
      euc += '\x8E';
      euc += static_cast<char>(c);
    } else if (isLead(c) && i + 1 < shiftJis.size() && isTrail(static_cast<unsigned char>(shiftJis[i + 1]))) {
      unsigned char trail = static_cast<unsigned char>(shiftJis[++i]);
      int row = ((c < 0xA0 ? c : c - 0x40) - 0x81) * 2 + 0x21;
      int cell;
      if (trail >= 0x9F) {
        ++row;
        cell = trail - 0x7E;
      } else {
        cell = trail - 0x1F - (trail > 0x7F ? 1 : 0);
      }
      euc += static_cast<char>(row | 0x80);
      euc += static_cast<char>(cell | 0x80);
    } else {
      euc += '?';
    }
  }
  return euc;
}
