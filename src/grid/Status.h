#pragma once
// The outcome of an operation that can fail: ok, or the message that tells the user what went
// wrong. Every result of the core says ok() and carries its message this way.

#include <string>
#include <utility>

class Status {
 public:
  Status() = default;  // ok
  static Status Error(std::string message) {
    Status status;
    status.message_ = message.empty() ? "unknown error" : std::move(message);
    return status;
  }

  bool ok() const { return message_.empty(); }
  // Empty when ok.
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};
