#include "textgrid/FileStream.h"

bool FileStream::Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) {
  if (file_.Read(buffer, size, got, problem)) return true;
  *problem = "cannot read: " + *problem;
  return false;
}

std::uint64_t FileStream::Remaining() const {
  return file_.IsRegular() && file_.Size() >= file_.Position() ? file_.Size() - file_.Position()
                                                               : kUnknownSize;
}
