// A fresh temporary folder per test, removed with everything in it.
#pragma once

#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a trailing separator.
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Whole-file helpers for tests; the content is raw bytes.
bool writeWholeFile(const std::string& path, const std::string& content);
std::string readWholeFile(const std::string& path);
