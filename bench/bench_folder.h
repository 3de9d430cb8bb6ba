// A fresh, empty folder for one benchmark program's files, named apart from
// other runs and removed with everything in it.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

class BenchFolder {
 public:
  explicit BenchFolder(const std::string& prefix)
      : path_(std::filesystem::temp_directory_path() /
              (prefix + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
    std::filesystem::create_directories(path_);
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  std::string file(const std::string& name) const { return (path_ / name).string(); }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path path_;
};
