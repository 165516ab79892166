#pragma once
// A file or standard input as a stream of its bytes, read in order, for every reader of a grid.

#include <string>

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
