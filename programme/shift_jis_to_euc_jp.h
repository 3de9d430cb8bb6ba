// Shift-JIS to EUC-JP, the way round the guide service needs for its pages:
// the inverse of the reader's conversion for JIS X 0208 characters,
// half-width katakana as 0x8E xx, ASCII unchanged. Bytes that begin no
// such character become "?".
#pragma once

#include <string>

std::string shiftJisToEucJp(const std::string& shiftJis);
