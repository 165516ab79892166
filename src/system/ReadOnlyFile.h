#pragma once
// A file opened for reading: at any offset, from several threads at once, or in order as a stream;
// or standard input, read in order from where it stands (the only platform calls of text grid
// reading).

#include <cstddef>
#include <cstdint>
#include <string>

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // A regular file. False with the system's reason ("No such file or directory") when it cannot
  // be opened, or "Not a regular file" (a folder, a named pipe: nothing waits for a writer).
  bool Open(const std::string& path, std::string* reason);
  // Standard input; it stays open after this object. A pipe or a terminal has no size.
  bool OpenStandardInput(std::string* reason);
  // A regular file (also as standard input): its size is known and it can be read at any offset.
  bool IsRegular() const { return regular_; }
  std::uint64_t Size() const { return size_; }  // from where reading starts; 0 when not regular

  // Reads up to `size` bytes at `offset` of a regular file; fewer only at the end of the file.
  // False with the system's reason on a read error.
  bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
              std::string* reason) const;
  // Reads on from where the last Read ended; fewer than `size` bytes only at the end.
  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* reason) {
    const bool read = regular_ ? ReadAt(position_, buffer, size, got, reason)
                               : ReadStream(buffer, size, got, reason);
    position_ += *got;
    return read;
  }
  std::uint64_t Position() const { return position_; }  // bytes Read has given
  // The system's handle (a descriptor on POSIX), for mapping the file (FileMapping.h).
  std::intptr_t NativeHandle() const { return handle_; }

 private:
  bool ReadStream(char* buffer, std::size_t size, std::size_t* got, std::string* reason);

  std::intptr_t handle_ = -1;
  bool ownsHandle_ = true;
  bool regular_ = false;
  std::uint64_t start_ = 0;  // where reading starts: standard input may stand further on
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
};
