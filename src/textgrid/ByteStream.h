#pragma once
// Bytes read once, in order: a file, standard input, or a decoder over another stream (gzip).
// Readers of a text grid see its text through a chain of them; the form of the text is told from
// its first bytes, looked at before they are read (PeekableStream).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "system/FloatArray.h"

inline constexpr std::uint64_t kUnknownSize = ~std::uint64_t{0};

class ByteStream {
 public:
  virtual ~ByteStream() = default;
  // Up to `size` bytes; *got is 0 only at the end. False on a failure, with what to say after
  // the input's name ("cannot read: Input/output error").
  virtual bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) = 0;
  // The bytes still to come, when known in advance (a file); else kUnknownSize.
  virtual std::uint64_t Remaining() const { return kUnknownSize; }
  // How far the reading of the underlying input has come, and its size (0: not known), for a
  // progress line.
  virtual std::uint64_t InputDone() const = 0;
  virtual std::uint64_t InputSize() const = 0;

  // Where the whole input lies in memory at once (a file mapped, or bytes given whole), the bytes
  // still to come, with those read already just before them; else an empty view, no data. A
  // reader may then take the bytes where they lie rather than read them.
  virtual std::string_view Held() const { return {}; }
  // Takes `count` of the bytes Held shows (at most all of them), as Read would.
  virtual void PassHeld(std::size_t /*count*/) {}
  // `count` floats stored from `at`, a place among the bytes Held shows, as an array of their own
  // that shares the file's memory until a value is written (then only that page is copied); empty
  // where the input is no file mapped.
  virtual FloatArray ShareFloats(const char* /*at*/, std::uint64_t /*count*/) { return {}; }
};

// Text in memory (tests, fuzzing), given out in pieces of at most `pieceBytes`, as a pipe does;
// held whole (Held) when given out whole, as a file mapped is.
class MemoryStream : public ByteStream {
 public:
  explicit MemoryStream(std::string_view text, std::size_t pieceBytes = ~std::size_t{0})
      : text_(text), pieceBytes_(pieceBytes == 0 ? 1 : pieceBytes) {}
  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override;
  std::uint64_t Remaining() const override { return text_.size() - done_; }
  std::uint64_t InputDone() const override { return done_; }
  std::uint64_t InputSize() const override { return text_.size(); }
  std::string_view Held() const override;
  void PassHeld(std::size_t count) override;

 private:
  std::string_view text_;
  std::size_t pieceBytes_;
  std::size_t done_ = 0;
};

// A stream whose first bytes can be looked at before they are read, and taken without being read:
// how a gzip stream, a byte-order mark or a header is told before the values are read.
class PeekableStream : public ByteStream {
 public:
  explicit PeekableStream(ByteStream& inner) : inner_(inner) {}
  // The next bytes, `count` of them unless the stream ends sooner, left to be read. False on a
  // failure of the stream below.
  bool Peek(std::size_t count, std::string_view* bytes, std::string* problem);
  // Takes `count` bytes that Peek has shown.
  void Skip(std::size_t count);

  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override;
  std::uint64_t Remaining() const override;
  std::uint64_t InputDone() const override { return inner_.InputDone(); }
  std::uint64_t InputSize() const override { return inner_.InputSize(); }
  // The bytes peeked and not taken lie just before the inner stream's.
  std::string_view Held() const override;
  void PassHeld(std::size_t count) override;
  FloatArray ShareFloats(const char* at, std::uint64_t count) override {
    return inner_.ShareFloats(at, count);
  }

 private:
  ByteStream& inner_;
  std::string peeked_;
  std::size_t taken_ = 0;  // of peeked_
};
