// RowLook: what a list row draws (text, colours, the bold overdraw) as the
// lists decide it, and the system colours those decisions take in.
// Colours are COLORREF values, 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <string>

using ColourRef = std::uint32_t;

constexpr ColourRef kBlack = 0x000000;
constexpr ColourRef kWhite = 0xFFFFFF;

struct SystemColours {
  ColourRef highlight;      // COLOR_HIGHLIGHT
  ColourRef highlightText;  // COLOR_HIGHLIGHTTEXT
};

struct RowLook {
  std::string text;
  ColourRef textColour;
  ColourRef background;
  bool bold;  // drawn a second time one pixel to the right
};
