#include "binarygrid/FinalRelay.h"

FinalRelay::FinalRelay(const FinalValues& final) : final_(final) {
  thread_ = std::thread([this] { Relay(); });
}

FinalRelay::~FinalRelay() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void FinalRelay::Tell(const float* values, std::uint64_t first, std::uint64_t count) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    runs_.push_back({values, first, count});
  }
  changed_.notify_all();
}

void FinalRelay::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return runs_.empty() && !busy_; });
}

void FinalRelay::Relay() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !runs_.empty() || ending_; });
    if (runs_.empty()) return;
    const Run run = runs_.front();
    runs_.pop_front();
    busy_ = true;
    lock.unlock();
    final_(run.values, run.first, run.count);
    lock.lock();
    busy_ = false;
    changed_.notify_all();
  }
}
