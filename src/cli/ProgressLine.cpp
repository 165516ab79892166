#include "cli/ProgressLine.h"

#include <ostream>

ReadProgress ProgressLine::For(const std::string& label) {
  if (!enabled_) return {};
  return [this, label](std::uint64_t done, std::uint64_t total) { Show(label, done, total); };
}

void ProgressLine::Show(const std::string& label, std::uint64_t done, std::uint64_t total) {
  if (total < kLargeFileBytes) return;
  const int percent = static_cast<int>(done >= total ? 100 : done * 100 / total);
  std::lock_guard<std::mutex> lock(mutex_);
  if (label == shownLabel_ && percent == shownPercent_) return;
  const std::string text = label + ": " + std::to_string(percent) + "%";
  err_ << '\r' << text;
  if (text.size() < shownWidth_)
    err_ << std::string(shownWidth_ - text.size(), ' ') << '\r' << text;
  err_.flush();
  shownLabel_ = label;
  shownPercent_ = percent;
  shownWidth_ = text.size();
}

void ProgressLine::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (shownWidth_ == 0) return;
  err_ << '\r' << std::string(shownWidth_, ' ') << '\r';
  err_.flush();
  shownLabel_.clear();
  shownPercent_ = -1;
  shownWidth_ = 0;
}
