#pragma once
// The progress line drawn on a terminal while a large file is read: "Scanning vp.txt: 45%",
// rewritten in place and wiped when the read ends.

#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>

#include "textgrid/TextGridReader.h"

class ProgressLine {
 public:
  // Files smaller than this are read too fast for a progress line to help.
  static constexpr std::uint64_t kLargeFileBytes = 8u << 20;

  ProgressLine(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  ~ProgressLine() { Clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // A callback for one read, labelled e.g. "Scanning vp.txt"; empty when the line is off.
  // It may be called from the reader's worker threads.
  ReadProgress For(const std::string& label);
  // Wipes the line, if one is shown.
  void Clear();

 private:
  void Show(const std::string& label, std::uint64_t done, std::uint64_t total);

  std::ostream& err_;
  const bool enabled_;
  std::mutex mutex_;
  std::string shownLabel_;
  int shownPercent_ = -1;
  std::size_t shownWidth_ = 0;
};
