// The names of the files the program writes in the cache directory: the slot
// key in six digits, "tb.", and one of the extensions below. Clean-ups delete
// these names and nothing else, whatever else the directory holds.
#pragma once

#include <string>

constexpr char kPageFileNamePattern[] = "%06dtb.htm";          // a downloaded guide page
constexpr char kTableFileNamePattern[] = "%06dtb.tmp";         // a programme table
constexpr char kPartialTableFileNamePattern[] = "%06dtb.prt";  // a table a sync still receives
// The near-term refresh's files beside a slot: the last answer's entity
// tag, the page being checked, a personal table's later pages, the table
// being written, and a page kept aside because it did not read as a table.
constexpr const char* kRefreshFileExtensions[] = {"etg", "new", "nxt", "tnw", "bad"};
// What an XMLTV import knows of a slot beyond its table (listing/programme_extras.h).
constexpr char kExtrasFileExtension[] = "xtr";
// What a directory search asks for; isCacheFileName then picks the names.
constexpr char kCacheFileSearchPattern[] = "??????tb.???";

// `pattern` (one of the three above) filled with `slotKey`.
std::string cacheFileName(const char* pattern, int slotKey);
// True for six digits followed by "tb." and an extension the program writes.
bool isCacheFileName(const std::string& name);
