#pragma once
// Bytes read once, in order: a file, standard input, or a decoder over another stream (gzip).
// Readers of a text grid see its text through a chain of them; the form of the text is told from
// its first bytes, looked at before they are read (PeekableStream).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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
};

// Text in memory (tests, fuzzing), given out in pieces of at most `pieceBytes`, as a pipe does.
class MemoryStream : public ByteStream {
 public:
  explicit MemoryStream(std::string_view text, std::size_t pieceBytes = ~std::size_t{0})
      : text_(text), pieceBytes_(pieceBytes == 0 ? 1 : pieceBytes) {}
  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override;
  std::uint64_t Remaining() const override { return text_.size() - done_; }
  std::uint64_t InputDone() const override { return done_; }
  std::uint64_t InputSize() const override { return text_.size(); }

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

 private:
  ByteStream& inner_;
  std::string peeked_;
  std::size_t taken_ = 0;  // of peeked_
};
