#pragma once
// The process's current folder played in memory, so that tests of the dialog never move the
// real process between folders; the folders themselves are real.

#include <filesystem>
#include <string>
#include <utility>

#include "system/Folders.h"

class FakeFolders : public Folders {
 public:
  explicit FakeFolders(std::string current) : current_(std::move(current)) {}

  std::string Current() const override { return current_; }
  bool ChangeCurrent(const std::string& path) override {
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) return false;
    current_ = path;
    return true;
  }
  bool Exists(const std::string& path) const override {
    std::error_code error;
    return std::filesystem::exists(path, error);
  }
  bool Make(const std::string& path) override {
    std::error_code error;
    return std::filesystem::create_directory(path, error);
  }

 private:
  std::string current_;
};
