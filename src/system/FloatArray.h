#pragma once
// An array of floats whose final length is found only while it is filled (the values of a text
// grid read once): address space is reserved for the most it may hold, and memory is taken only
// for what it holds, so it never moves and never needs a second copy. Or floats a file stores as
// the array holds them, the file's memory shared until a value is written (MapFile).

#include <cstddef>
#include <cstdint>

class ReadOnlyFile;

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
  // largePages: its memory in pages of 2 MiB where the system gives them on request (one fault
  // for 512 small pages, and fewer entries in the processor's address cache), for an array
  // filled at memory speed (a binary grid); else where the system gives them unasked.
  bool Reserve(std::uint64_t capacity, bool largePages = false);
  std::uint64_t Capacity() const { return capacity_; }
  // Holds `count` floats (at most the capacity); the values held keep theirs, memory taken anew
  // reads as zero. False when there is no memory for them; the array then stays as it was.
  bool Resize(std::uint64_t count);

  // Takes the memory for floats [first, first + count), held already, before they are written:
  // cheaper than the system's fault for each page as it is first written, where it can. It may
  // run while another thread resizes the array.
  void Prefault(std::uint64_t first, std::uint64_t count);

  // Holds the `count` floats stored in the file from `offset` (a multiple of 4), mapped
  // copy-on-write: the pages are the system's cache of the file until a value is written, and
  // that page alone is then copied. The file must stay as it is while the array lasts: cut short,
  // a read beyond its end faults. Capacity is the count. False when the system maps none; the
  // array is then empty.
  bool MapFile(const ReadOnlyFile& file, std::uint64_t offset, std::uint64_t count);

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
  static void* ReserveBytes(std::uint64_t bytes, bool largePages);
  static bool CommitBytes(void* start, std::uint64_t bytes);
  static void ReleaseBytes(void* start, std::uint64_t bytes);
  static void PrefaultBytes(void* start, std::uint64_t bytes);
  // The file's bytes [offset, offset + bytes), offset a multiple of MappingGranularity().
  static void* MapFileBytes(const ReadOnlyFile& file, std::uint64_t offset, std::uint64_t bytes);
  static void UnmapFileBytes(void* start, std::uint64_t bytes);
  static std::uint64_t MappingGranularity();

  float* data_ = nullptr;
  void* mapped_ = nullptr;  // the start of a file's mapping that holds the floats
  std::uint64_t mappedBytes_ = 0;
  std::uint64_t capacity_ = 0;   // floats of address space
  std::uint64_t committed_ = 0;  // floats backed by memory, from the start
  std::uint64_t size_ = 0;
};
