#pragma once
// A file or standard input as a stream of its bytes, read in order, for every reader of a grid;
// or a regular file mapped into memory, its bytes taken where they lie.

#include <string>

#include "system/FileMapping.h"
#include "system/ReadOnlyFile.h"
#include "textgrid/ByteStream.h"

class FileStream : public ByteStream {
 public:
  explicit FileStream(ReadOnlyFile& file) : file_(file) {}
  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override;
  std::uint64_t Remaining() const override;
  std::uint64_t InputDone() const override { return file_.Position(); }
  std::uint64_t InputSize() const override { return file_.Size(); }

 private:
  ReadOnlyFile& file_;
};

// The whole of a regular file mapped into memory, read-only: held (ByteStream::Held), and its
// floats shared as arrays of their own (ShareFloats). The memory of bytes read or passed is let
// go a MiB at a time, as a stream's would be. The file must stay as it is while the mapping
// and those arrays last: cut short, a read beyond its new end faults.
class MappedFileStream : public ByteStream {
 public:
  // False with the system's reason when the file cannot be mapped (an empty one cannot).
  bool Map(const ReadOnlyFile& file, std::string* reason);

  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override;
  std::uint64_t Remaining() const override { return mapping_.size() - position_; }
  std::uint64_t InputDone() const override { return position_; }
  std::uint64_t InputSize() const override { return mapping_.size(); }
  std::string_view Held() const override;
  void PassHeld(std::size_t count) override;
  FloatArray ShareFloats(const char* at, std::uint64_t count) override;

 private:
  void Advance(std::uint64_t count);

  const ReadOnlyFile* file_ = nullptr;
  FileMapping mapping_;
  std::uint64_t position_ = 0;
  std::uint64_t released_ = 0;  // the bytes before it are let go
};
