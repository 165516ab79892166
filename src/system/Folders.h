#pragma once
// The process's current folder and the few folder calls around it, behind an interface so that
// tests can play them without moving the real process between folders.

#include <string>

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

class Folders {
 public:
  virtual ~Folders() = default;
  // The current folder, of any length; "" when it cannot be queried.
  virtual std::string Current() const = 0;
  virtual bool ChangeCurrent(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) const = 0;
  // Creates one folder level; its parent must exist.
  virtual bool Make(const std::string& path) = 0;
};

// The real process's folders.
class ProcessFolders : public Folders {
 public:
  std::string Current() const override;
  bool ChangeCurrent(const std::string& path) override;
  bool Exists(const std::string& path) const override;
  bool Make(const std::string& path) override;
};
