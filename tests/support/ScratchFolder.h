#pragma once
// A fresh empty folder for one test, removed with everything in it afterwards, and whole files
// as byte strings.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << bytes;
}

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              ("mvg-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Folder() const { return folder_.string(); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    WriteFileBytes(Path(name), bytes);
    return Path(name);
  }
  std::string Read(const std::string& name) const {
    return ReadFileBytes(Path(name));
  }  // "" if none
  bool Exists(const std::string& name) const { return std::filesystem::exists(folder_ / name); }

  // Everything in the folder, sorted: shows leftovers such as temporary files.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path folder_;
};
