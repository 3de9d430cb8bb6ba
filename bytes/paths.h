// Path helpers on byte strings in the ANSI code page: the trail byte of a
// double-byte character is never taken for a separator, even when it is 0x5C.
#pragma once

#include <cstddef>
#include <string>

class FileSystem;

// Index just past the last "\" or "/", 0 when there is none.
std::size_t lastSeparatorEnd(const std::string& path);
// The directory of `path`, with its separator.
std::string directoryOf(const std::string& path);
// `path` ending in "\" or "/" (appends "\" when it does not).
std::string withTrailingSeparator(const std::string& path);
// `path` without the separators it ends in (a root keeps its own).
std::string withoutTrailingSeparators(std::string path);
bool isDirectory(const std::string& path);
// Makes the folder and any folder above it that is missing on `files`. True
// when `path` was made now (as os::createDirectory); the system's reason
// stays in os::lastErrorText when it could not be.
bool createDirectoryWithParents(FileSystem& files, const std::string& path);
// The same on the local file system.
bool createDirectoryWithParents(const std::string& path);
bool isFile(const std::string& path);
