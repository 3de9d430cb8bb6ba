// GenreTable: the genre colours and their look-ups.
#include "programme/genre_table.h"

const GenreRow kGenreTable[7] = {
    {"\x89\x66\x89\xE6", 0xFFCCCC, 0},                  // film
    {"\x89\xB9\x8A\x79", 0xCCFFCC, 1},                  // music
    {"\x83\x68\x83\x89\x83\x7D", 0xFFFFCC, 2},          // drama
    {"\x83\x41\x83\x6A\x83\x81", 0xCCFFFF, 3},          // animation
    {"\x83\x58\x83\x7C\x81\x5B\x83\x63", 0xCCCCFF, 4},  // sports
    {"\x97\xBF\x97\x9D", 0xFFCC99, 7},                  // cooking
    {nullptr, 0, kNoGenre},
};

int genreOf(int colour) {
  for (int i = 0; i < kGenreRowCount; ++i) {
    if (kGenreTable[i].colour == colour) return kGenreTable[i].number;
  }
  return kNoGenre;
}

const GenreRow* findGenre(const std::string& name) {
  for (int i = 0; i < kGenreRowCount; ++i) {
    if (name == kGenreTable[i].name) return &kGenreTable[i];
  }
  return nullptr;
}
