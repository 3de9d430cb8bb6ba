// Code page 932 as Unicode code points, written out by
// scripts/cp932_code_points.py rather than asked of the system character by
// character at start-up, which was most of a search's start: the bytes
// 0x80-0xFF, and each lead byte (0x81-0x9F, 0xE0-0xFC, in order) with the
// trail bytes 0x40-0xFC. 0xFFFD where the code page has no character, as
// os::cp932ToUtf8 reads it (tests/search holds every entry to it).
#pragma once

#include <cstdint>

constexpr int kCp932LeadBytes = 60;
constexpr int kCp932TrailBytes = 0xFC - 0x40 + 1;

extern const std::uint16_t kCp932SingleBytes[128];
extern const std::uint16_t kCp932Pairs[kCp932LeadBytes][kCp932TrailBytes];
