// The cache's page and table files, by path on `files`: reading a guide
// page into a table, and reading and writing table files. guide/ names the
// files of a slot and wraps these in GuideCache.
#pragma once

#include <string>

class FileSystem;
class ProgrammeTable;

// Reads the page at `pagePath` into `table`, which gets `slotKey`, and
// writes its table file at `tablePath`; with `removePage` the page goes
// once read. A page that does not read stays for another try.
bool parseCachedPageFile(FileSystem& files, const std::string& pagePath, const std::string& tablePath, int slotKey,
                         bool removePage, ProgrammeTable& table);
// The same for a page just downloaded, which is removed when it does not
// read (the next crawl fetches it again).
bool parseDownloadedPageFile(FileSystem& files, const std::string& pagePath, const std::string& tablePath,
                             int slotKey, bool removePage, ProgrammeTable& table);
// Its first half: reads the page into `table` and removes a page that
// does not read; the table file is left to the caller.
bool readDownloadedPageFile(FileSystem& files, const std::string& pagePath, int slotKey, ProgrammeTable& table);
// What follows the reading of a downloaded page, made elsewhere (`read`
// tells whether it read): the table gets `slotKey`, or the page is
// removed. Returns `read`.
bool settleDownloadedPageFile(FileSystem& files, const std::string& pagePath, int slotKey, bool read,
                              ProgrammeTable& table);
// Reads the table file at `path` into `table`.
bool readTableFile(FileSystem& files, const std::string& path, ProgrammeTable& table);
// Writes `table` as the table file `path` (".tmp"): into the same name with
// kWritingExtension first, moved over `path` once whole, so that a reader
// (the window, a page, a sync) never sees part of a table and a killed run
// leaves no partial one. False when any step fails; nothing is left then.
bool writeTableFile(FileSystem& files, const std::string& path, const ProgrammeTable& table);
// Writes it straight into `path`, a temporary of the caller's; a file not
// written whole is removed.
bool writeTableFileInPlace(FileSystem& files, const std::string& path, const ProgrammeTable& table);
// The extension of a table file while it is written.
constexpr char kWritingExtension[] = "twr";
