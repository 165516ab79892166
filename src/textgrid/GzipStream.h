#pragma once
// The data of a gzip file, inflated by zlib as it is read. Members one after another (as
// `cat a.gz b.gz` makes them) read as one stream. Problems, said after the input's name:
//   "its gzip data is cut short"      "its gzip data is damaged (<zlib's reason>)"
//   "its gzip data is followed by other bytes"      "not enough memory to load it"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "textgrid/ByteStream.h"

struct z_stream_s;

class GzipStream : public ByteStream {
 public:
  explicit GzipStream(ByteStream& compressed);
  ~GzipStream() override;
  GzipStream(const GzipStream&) = delete;
  GzipStream& operator=(const GzipStream&) = delete;

  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override;
  std::uint64_t InputDone() const override { return compressed_.InputDone(); }
  std::uint64_t InputSize() const override { return compressed_.InputSize(); }

 private:
  bool Inflate(std::string* problem);

  ByteStream& compressed_;
  std::unique_ptr<z_stream_s> zlib_;
  bool started_ = false;  // zlib's state is set up
  bool inMember_ = true;  // a member has begun and not ended
  bool ended_ = false;    // the compressed input is all read
  std::unique_ptr<char[]> input_;
};
