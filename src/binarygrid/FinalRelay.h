#pragma once
// FinalValues told on a thread of its own, in order, one call at a time: a grid file's data block
// is written there (GridFileDraft) while the reading goes on with the next values, on two cores
// at once. The values told must stay where they are until they are told.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "textgrid/TextGridReader.h"

class FinalRelay {
 public:
  explicit FinalRelay(const FinalValues& final);
  // Waits until every run is told.
  ~FinalRelay();
  FinalRelay(const FinalRelay&) = delete;
  FinalRelay& operator=(const FinalRelay&) = delete;

  // values[first, first + count) are final.
  void Tell(const float* values, std::uint64_t first, std::uint64_t count);
  // Returns once every run told so far has been told on.
  void Wait();

 private:
  struct Run {
    const float* values;
    std::uint64_t first, count;
  };
  void Relay();

  FinalValues final_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Run> runs_;
  bool busy_ = false;
  bool ending_ = false;
  std::thread thread_;
};
