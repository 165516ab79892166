#pragma once
// An array of floats whose final length is found only while it is filled (the values of a text
// grid read once): address space is reserved for the most it may hold, and memory is taken only
// for what it holds, so it never moves and never needs a second copy.

#include <cstddef>
#include <cstdint>

class FloatArray {
 public:
  FloatArray() = default;
  ~FloatArray();
  FloatArray(FloatArray&& other) noexcept;
  FloatArray& operator=(FloatArray&& other) noexcept;
  FloatArray(const FloatArray&) = delete;
  FloatArray& operator=(const FloatArray&) = delete;

  // Address space for up to `capacity` floats, or for as many as the system grants when it grants
  // fewer (at least kMinimumCapacity). False when it grants none; the array is then empty.
  bool Reserve(std::uint64_t capacity);
  std::uint64_t Capacity() const { return capacity_; }
  // Holds `count` floats (at most the capacity); the values held keep theirs, memory taken anew
  // reads as zero. False when there is no memory for them; the array then stays as it was.
  bool Resize(std::uint64_t count);

  // Takes the memory for floats [first, first + count), held already, before they are written:
  // cheaper than the system's fault for each page as it is first written, where it can. It may
  // run while another thread resizes the array.
  void Prefault(std::uint64_t first, std::uint64_t count);

  float* data() { return data_; }
  const float* data() const { return data_; }
  std::uint64_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  float& operator[](std::size_t i) { return data_[i]; }
  const float& operator[](std::size_t i) const { return data_[i]; }

  static constexpr std::uint64_t kMinimumCapacity = std::uint64_t{1} << 20;

 private:
  void Release();
  // The platform's part (FloatArray-posix.cpp, FloatArray-win32.cpp), in bytes.
  static void* ReserveBytes(std::uint64_t bytes);
  static bool CommitBytes(void* start, std::uint64_t bytes);
  static void ReleaseBytes(void* start, std::uint64_t bytes);
  static void PrefaultBytes(void* start, std::uint64_t bytes);

  float* data_ = nullptr;
  std::uint64_t capacity_ = 0;   // floats of address space
  std::uint64_t committed_ = 0;  // floats backed by memory, from the start
  std::uint64_t size_ = 0;
};
