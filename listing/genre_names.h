// The names of the genres in the exports: Japanese as the guide names them,
// English after the top-level content categories of digital broadcasting.
#pragma once

// Shift-JIS name of genre `number` (a GenreTable number); "" for none.
const char* genreNameJapanese(int number);
// English category of genre `number`; "" for none.
const char* genreNameEnglish(int number);
