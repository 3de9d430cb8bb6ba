// Numbers written with leading zeros, without the cost of printf: the
// exports and the schedule lines write two times for every programme.
#pragma once

#include <string>

// Appends the last `width` decimal digits of `value` (0 or more), as "%0*d"
// writes a value of at most `width` digits.
inline void appendZeroPadded(std::string& out, int value, int width) {
  char digits[10];
  for (int i = width; i-- > 0; value /= 10) digits[i] = static_cast<char>('0' + value % 10);
  out.append(digits, static_cast<std::size_t>(width));
}

// Appends "HH:MM".
inline void appendClockTime(std::string& out, int hour, int minute) {
  appendZeroPadded(out, hour, 2);
  out += ':';
  appendZeroPadded(out, minute, 2);
}

// Writes the last two digits of `value` (0 or more) at `at`, as
// appendZeroPadded(out, value, 2) appends them; returns the end.
inline char* writeTwoDigits(char* at, int value) {
  *at++ = static_cast<char>('0' + value / 10 % 10);
  *at++ = static_cast<char>('0' + value % 10);
  return at;
}
