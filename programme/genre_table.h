// GenreTable: the fixed genre colours of the guide. A programme's genre is
// the genre of its cell's background colour.
#pragma once

#include <string>

struct GenreRow {
  const char* name;  // Shift-JIS; null in the closing row
  int colour;        // 0xRRGGBB, as ProgrammeCell::background
  int number;        // the number the companion tool knows the genre by
};

// The rows in search order, closed by {nullptr, 0, 10}.
extern const GenreRow kGenreTable[7];
constexpr int kGenreRowCount = 6;  // rows with a name
constexpr int kNoGenre = 10;

// The number of the first row whose colour is `colour`; kNoGenre when none.
int genreOf(int colour);
// The row named `name` (Shift-JIS), or null.
const GenreRow* findGenre(const std::string& name);
