// RowLook: what a list row draws (text, colours, the bold overdraw) as the
// lists decide it, and the system colours those decisions take in.
// Colours are COLORREF values, 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <string>

using ColourRef = std::uint32_t;

constexpr ColourRef kBlack = 0x000000;
constexpr ColourRef kWhite = 0xFFFFFF;

// A page colour 0xRRGGBB as GDI takes it (0x00BBGGRR): red and blue trade
// places. Stored colours stay as the page wrote them; only drawing converts.
constexpr ColourRef colourRefFromRgb(int rgb) {
  const ColourRef value = static_cast<ColourRef>(rgb) & 0xFFFFFFu;
  return ((value & 0xFFu) << 16) | (value & 0xFF00u) | ((value >> 16) & 0xFFu);
}

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
